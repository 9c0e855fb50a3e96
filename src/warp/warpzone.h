#pragma once

#include <string>
#include <vector>

#include "app/app.h"
#include "ui/form.h"

// A warp button's caption and the form it opens.
struct WarpTarget {
    std::string caption;
    std::string form;
};

// The continue screen: a code typed here reveals the warp buttons up to its scene.
class warpzone final : public ui::Form {
public:
    // The sixteen targets in story order; button k (1..16) opens targets[k - 1].
    warpzone(app::App& app, std::vector<WarpTarget> targets);

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
    std::vector<WarpTarget> targets_;
    std::vector<ui::Button*> warpbutton_;  // warpbutton1 .. warpbutton16, from index 0
};
