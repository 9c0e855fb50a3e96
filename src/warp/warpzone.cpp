#include "warp/warpzone.h"

#include "ui/announcer.h"
#include "ui/keys.h"
#include "warp/passcode.h"

#include <algorithm>

namespace warp {

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

WarpZone::WarpZone(app::App& app, std::vector<WarpTarget> targets)
    : ui::Form(app.clock(), "warpzone", "ワープゾーン", {8055, 6030 + growth(targets.size())}, ui::kButtonFace),
      app_(app),
      codeBox(textBox("codeBox", {2280, 360, 735, 375}, "0000", ui::gothic(12))),
      checkCodeButton(button("checkCodeButton", {3240, 240, 1815, 615}, "ＰＡＳＳ決定", &WarpZone::onCheckCodeClicked)),
      backButton(button("backButton", {6840, 5400 + growth(targets.size()), 1095, 615}, "戻る", &WarpZone::onBackClicked)),
      targets_(std::move(targets)) {
    for (int i = 0; i < static_cast<int>(targets_.size()); ++i) {
        const auto& target = targets_[static_cast<std::size_t>(i)];
        ui::Button& b =
            button(ui::indexed("warpButtons", i),
                   {kLeft + kColumnStep * (i % kColumns), kTop + kRowStep * (i / kColumns), 1575, 735}, target.caption);
        b.setVisible(i == 0);
        codes_.push_back(target.code);
        b.onClick = [this, i] { onWarpClicked(i); };
        warpButtons.push_back(&b);
    }
    codeBox.onGotFocus = [this] { onCodeBoxGotFocus(); };
    codeBox.onKeyPress = [this](ui::KeyEvent& typed) { onCodeBoxKeyPress(typed); };
    codeBox.onKeyDown = [this](ui::KeyEvent& key) { onCodeBoxKeyDown(key); };
    // Typing alone is guarded by the key-press rule; pasting, dropping and input methods are not,
    // so the box itself refuses to hold anything but four ASCII digits.
    codeBox.setTextFilter(sanitizeCode);
    codeBox.setSpokenName("ワープコード、数字4桁");
}

// A screen reader reads the window's title as it opens, but not the box that already had the focus.
void WarpZone::onLoad() { announce(codeBox.spokenName() + "。入れてエンターで開く"); }

void WarpZone::onCodeBoxGotFocus() { codeBox.setText(""); }

void WarpZone::onCodeBoxKeyPress(ui::KeyEvent& typed) {
    if (typed.key() == ui::Key::Backspace) return;
    const char32_t c = typed.character();
    const bool digit = typed.key() == ui::Key::Character && c >= '0' && c <= '9';
    if (!digit || codeBox.text().size() >= kCodeDigits) typed.accept();  // not typed
}

void WarpZone::onCodeBoxKeyDown(ui::KeyEvent& key) {
    if (key.key() == ui::Key::Enter) onCheckCodeClicked();
}

void WarpZone::onCheckCodeClicked() {
    if (codeBox.text().empty()) codeBox.setText("0");
    const auto button = warpButtonForCode(codeBox.text(), codes_);
    if (!button) {
        announce("このコードで開くワープ先はありません");
        return;
    }
    revealUpTo(*button);
    // By ear the button is a dozen Tabs away; by sight the box keeps the focus for the next code.
    if (ui::screenReaderRuns()) warpButtons[static_cast<std::size_t>(*button)]->setFocus();
    const auto open = std::count_if(warpButtons.begin(), warpButtons.end(), [](ui::Button* b) { return b->visible(); });
    announce("「" + targets_[static_cast<std::size_t>(*button)].caption + "」が開きました。開いているワープ先は" +
             std::to_string(open) + "個");  // "つ" counts only to nine
}

void WarpZone::onBackClicked() { app_.leave(*this, "backButton"); }

void WarpZone::onWarpClicked(int button) { app_.changeScene(*this, targets_[static_cast<std::size_t>(button)].form); }

// This button and every one before it; the first always shows.
void WarpZone::revealUpTo(int button) {
    warpButtons[static_cast<std::size_t>(button)]->setVisible(true);
    if (button > 1) revealUpTo(button - 1);
}

}  // namespace warp
