#include "warp/warpzone.h"

#include "warp/passcode.h"

#include <array>
#include <stdexcept>

namespace {

constexpr std::array<int, 4> kColumns{720, 2400, 4080, 5760};
constexpr std::array<int, 4> kRows{1440, 2280, 3120, 3960};

}  // namespace

warpzone::warpzone(app::App& app, std::vector<WarpTarget> targets)
    : ui::Form(app.clock(), "warpzone", "ワープゾーン", {8055, 6030}, ui::kButtonFace),
      app_(app),
      passarea(textBox("passarea", {2280, 360, 735, 375}, "0000", ui::gothic(12))),
      Command1(button("Command1", {3240, 240, 1815, 615}, "ＰＡＳＳ決定")),
      Command2(button("Command2", {6840, 5400, 1095, 615}, "戻る")),
      targets_(std::move(targets)) {
    if (targets_.size() != 16) throw std::invalid_argument("the warp zone has sixteen buttons");
    for (int k = 1; k <= 16; ++k) {
        const int cell = k - 1;
        ui::Button& b = button("warpbutton" + std::to_string(k),
                               {kColumns[cell % 4], kRows[cell / 4], 1575, 735}, targets_[cell].caption);
        b.setVisible(k == 1);
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
    if (auto k = warp::warpButtonForCode(passarea.text())) warpopen(*k);
}

void warpzone::Command2_Click() { app_.changeScene(*this, "maintitle"); }

void warpzone::warpbutton_Click(int k) { app_.changeScene(*this, targets_[k - 1].form); }

void warpzone::warpopen(int k) {
    warpbutton_[k - 1]->setVisible(true);
    if (k > 2) warpopen(k - 1);
}
