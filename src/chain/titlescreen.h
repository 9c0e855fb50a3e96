#pragma once

#include "app/app.h"
#include "ui/form.h"

namespace chain {

// The title screen: start the story, or open the warp zone to continue from a code.
class TitleScreen final : public ui::Form {
public:
    explicit TitleScreen(app::App& app);
    void onLoad() override;

private:
    void onStartClicked();
    void onContinueClicked();

    app::App& app_;
    ui::Label& titleLabel;
    ui::Label& subtitleLabel;
    ui::Button& startButton;     // はじめから: the story from its first scene
    ui::Button& continueButton;  // 続きから: the warp zone
};

}  // namespace chain
