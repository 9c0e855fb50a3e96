#pragma once

#include <string>
#include <vector>

#include "app/app.h"
#include "ui/form.h"

namespace warp {

// A warp button: its caption, the form it opens and the code that reveals it (app::kNoCode: only a later
// code does).
struct WarpTarget {
    std::string caption;
    std::string form;
    std::string code;
};

// The continue screen: a code typed here reveals the warp buttons up to its scene.
class WarpZone final : public ui::Form {
public:
    // The targets in story order; warp button i opens targets[i]. Four to a row; the window is
    // drawn for four rows and grows by a row's height for each further one.
    WarpZone(app::App& app, std::vector<WarpTarget> targets);

    void onLoad() override;

private:
    void onCodeBoxGotFocus();
    void onCodeBoxKeyPress(ui::KeyEvent& typed);
    void onCodeBoxKeyDown(ui::KeyEvent& key);
    void onCheckCodeClicked();
    void onBackClicked();
    void onWarpClicked(int button);
    void revealUpTo(int button);

    app::App& app_;
    ui::TextBox& codeBox;
    ui::Button& checkCodeButton;
    ui::Button& backButton;
    std::vector<ui::Button*> warpButtons;  // "warpButtons(0)", "warpButtons(1)", ...
    std::vector<WarpTarget> targets_;
    std::vector<std::string> codes_;  // the targets' codes, for the check
};

}  // namespace warp
