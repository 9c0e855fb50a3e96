#pragma once

#include <array>

#include "app/app.h"
#include "scenes/scenelayout.h"
#include "ui/form.h"

namespace scenes {

// A story scene: twelve rows of text, "NEXT PAGE", the exit, and the continue code.
class MessageScene : public ui::Form {
public:
    MessageScene(app::App& app, const SceneLayout& layout);

    void Form_Load() override;

protected:
    void Command1_Click();

    app::App& app_;
    const SceneLayout& layout_;
    std::array<ui::Label*, 12> meslabel1{};
    ui::Button& Command2;
    ui::Button* Command1 = nullptr;  // the final epilogue has none
    ui::Label& Label1;
    ui::Timer& messagedisp;
    ui::Timer& messagewaittimer;

private:
    ui::Button& declareNextPage();
};

}  // namespace scenes
