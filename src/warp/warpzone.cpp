#include "warp/warpzone.h"

#include "warp/passcode.h"

#include <algorithm>

namespace {

constexpr int kColumns = 4;
constexpr int kLeft = 720;
constexpr int kTop = 1440;
constexpr int kColumnStep = 1680;
constexpr int kRowStep = 840;
constexpr int kRowsDrawn = 4;

// How much taller than drawn the window is for this many buttons.
int growth(std::size_t targets) {
    const int rows = static_cast<int>((targets + kColumns - 1) / kColumns);
    return kRowStep * std::max(0, rows - kRowsDrawn);
}

}  // namespace

warpzone::warpzone(app::App& app, std::vector<WarpTarget> targets)
    : ui::Form(app.clock(), "warpzone", "ワープゾーン", {8055, 6030 + growth(targets.size())}, ui::kButtonFace),
      app_(app),
      passarea(textBox("passarea", {2280, 360, 735, 375}, "0000", ui::gothic(12))),
      Command1(button("Command1", {3240, 240, 1815, 615}, "ＰＡＳＳ決定")),
      Command2(button("Command2", {6840, 5400 + growth(targets.size()), 1095, 615}, "戻る")),
      targets_(std::move(targets)) {
    for (int k = 1; k <= static_cast<int>(targets_.size()); ++k) {
        const int cell = k - 1;
        const auto& target = targets_[static_cast<std::size_t>(cell)];
        ui::Button& b = button("warpbutton" + std::to_string(k),
                               {kLeft + kColumnStep * (cell % kColumns), kTop + kRowStep * (cell / kColumns), 1575, 735},
                               target.caption);
        b.setVisible(k == 1);
        codes_.push_back(target.code);
        b.onClick = [this, k] { warpbutton_Click(k); };
        warpbutton_.push_back(&b);
    }
    passarea.onGotFocus = [this] { passarea_GotFocus(); };
    passarea.onKeyPress = [this](int& c) { passarea_KeyPress(c); };
    passarea.onKeyDown = [this](int& c) { passarea_KeyDown(c); };
    // Typing alone is guarded by the key-press rule; pasting, dropping and input methods are not,
    // so the box itself refuses to hold anything but four ASCII digits.
    passarea.setTextFilter(warp::sanitizeCode);
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

void warpzone::passarea_GotFocus() { passarea.setText(""); }

void warpzone::passarea_KeyPress(int& keyAscii) {
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != 8) keyAscii = 0;
    if (passarea.text().size() >= 4 && keyAscii != 8) keyAscii = 0;
}

void warpzone::passarea_KeyDown(int& keyCode) {
    if (keyCode == 13) Command1_Click();
}

void warpzone::Command1_Click() {
    if (passarea.text().empty()) passarea.setText("0");
    if (auto k = warp::warpButtonForCode(passarea.text(), codes_)) warpopen(*k);
}

void warpzone::Command2_Click() { app_.leave(*this, "Command2"); }

void warpzone::warpbutton_Click(int k) { app_.changeScene(*this, targets_[static_cast<std::size_t>(k - 1)].form); }

void warpzone::warpopen(int k) {
    warpbutton_[static_cast<std::size_t>(k - 1)]->setVisible(true);
    if (k > 2) warpopen(k - 1);
}
