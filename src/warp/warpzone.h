#pragma once

#include <string>
#include <vector>

#include "app/app.h"
#include "ui/form.h"

// A warp button: its caption, the form it opens and the code that reveals it ("----": only a later
// code does).
struct WarpTarget {
    std::string caption;
    std::string form;
    std::string code;
};

// The continue screen: a code typed here reveals the warp buttons up to its scene.
class warpzone final : public ui::Form {
public:
    // The targets in story order; button k (from 1) opens targets[k - 1]. Four to a row; the
    // window is drawn for four rows and grows by a row's height for each further one.
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
    std::vector<std::string> codes_;       // the targets' codes, for the check
    std::vector<ui::Button*> warpbutton_;  // warpbutton1, warpbutton2, ... from index 0
};
