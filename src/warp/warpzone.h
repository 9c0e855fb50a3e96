#pragma once

#include <array>

#include "app/app.h"
#include "ui/form.h"

// The continue screen: a code typed here reveals the warp buttons up to its scene.
class warpzone final : public ui::Form {
public:
    explicit warpzone(app::App& app);

private:
    void passarea_GotFocus();
    void passarea_KeyPress(int& keyAscii);
    void passarea_KeyDown(int& keyCode);
    void Command1_Click();
    void Command2_Click();
    void warpbutton_Click(int k);
    void warpopen(int k);

    app::App& app_;
    ui::TextBox& passarea;
    ui::Button& Command1;
    ui::Button& Command2;
    std::array<ui::Button*, 17> warpbutton{};  // 1..16
};
