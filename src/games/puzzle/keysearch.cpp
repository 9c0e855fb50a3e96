#include "games/puzzle/keysearch.h"

#include <algorithm>
#include <string>

#include "assets/library.h"
#include "ui/keyboard.h"

namespace games {

namespace {
using keysearchrules::kBoxes;
using keysearchrules::kChecks;
using keysearchrules::kColumns;
using keysearchrules::kRows;
using keysearchrules::Outcome;

constexpr ui::Rgb kLightBlue{192, 192, 255};

// Box i of the grid, row by row.
ui::Rect box(int i) { return {360 + 720 * (i % kColumns), 360 + 720 * (i / kColumns), 600, 600}; }
}  // namespace

KeySearch::KeySearch(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {.name = kName, .caption = "鍵を探せ！", .background = kLightBlue}),
      // The stamp lies beneath the boxes: empty, it would otherwise swallow the clicks of the four
      // rows it covers, and once it shows, the boxes have gone.
      verdictPicture(image("verdictPicture", {0, 1680, 7500, 2775})),
      boxPictures(
          imageArray("boxPictures", kBoxes, box, assets::picture("scenes/keysearch/takarabako"), &KeySearch::onBoxClicked)),
      instructionLabel(label("instructionLabel", {2400, 120, 2655, 375}, "宝箱を選んでください", ui::gothic(14.25))),
      checksLeftTitleLabel(label("checksLeftTitleLabel", {6960, 840, 2775, 615}, "残りチェック回数", ui::gothic(18))),
      checksLeftLabel(label("checksLeftLabel", {7680, 1440, 975, 975}, "0", ui::gothic(48), ui::Align::Center,
                            &KeySearch::onChecksLeftClicked)),
      keyRowLabel(label("keyRowLabel", {7320, 240, 255, 255}, "0")),
      keyColumnLabel(label("keyColumnLabel", {7800, 240, 255, 255}, "0")),
      keyBoxLabel(label("keyBoxLabel", {9480, 3000, 255, 255}, "0")),
      keyPicture(image("keyPicture", {7080, 3240, 2250, 2250}, assets::picture("scenes/keysearch/bigkey"))),
      nextButton(button("nextButton", {8040, 6360, 1815, 735}, "NEXT AREA", &KeySearch::onNextClicked)),
      keyFoundTimer(timer("keyFoundTimer", 1500, &KeySearch::onKeyFoundTick)),
      keyMissedTimer(timer("keyMissedTimer", 1500, &KeySearch::onKeyMissedTick)) {
    checksLeftLabel.setSecret();
    for (ui::Label* l : {&keyRowLabel, &keyColumnLabel, &keyBoxLabel}) l->setVisible(false);
    keyPicture.setVisible(false);
    nextButton.setVisible(false);

    ui::arrowGrid(kColumns, ui::cellsOf(boxPictures));
    for (int i = 0; i < kBoxes; ++i) boxPictures[i].setSpokenName("宝箱 " + keysearchrules::place(i));
}

void KeySearch::onLoad() {
    random().reseed();
    checksLeft_ = kChecks;
    checksLeftLabel.setCaption(std::to_string(checksLeft_));
    keyRow_ = random().below(kRows);
    keyColumn_ = random().below(kColumns);
    keyRowLabel.setCaption(std::to_string(keyRow_));
    keyColumnLabel.setCaption(std::to_string(keyColumn_));
    keyBox_ = keyRow_ * kColumns + keyColumn_;
    keyBoxLabel.setCaption(std::to_string(keyBox_));
    afterFirstPaint([this] {
        announce(std::to_string(kRows) + "行" + std::to_string(kColumns) +
                 "列の宝箱から鍵を探す。矢印キーで選び、スペースで開ける。チェックは" + std::to_string(kChecks) + "回");
    });
}

void KeySearch::onBoxClicked(int box) {
    if (!opened_[box]) --checksLeft_;
    checksLeftLabel.setCaption(std::to_string(checksLeft_));
    opened_[box] = true;
    const Outcome outcome = keysearchrules::outcome(box, keyBox_, checksLeft_);
    if (outcome == Outcome::Found) {
        boxPictures[box].setSpokenName("宝箱 " + keysearchrules::place(box) + " 鍵");
        boxPictures[box].setPicture(sozai_.minikey());
        keyFound(box);
        // Said after the focus has left the closed boxes: a screen reader drops what is queued
        // when the focus moves.
        announce(keysearchrules::place(box) + "に鍵があった！");
        return;
    }
    const int d = keysearchrules::distance(box, keyBox_);
    boxPictures[box].setSpokenName("宝箱 " + keysearchrules::place(box) + " " +
                                   (d < keysearchrules::kFar ? std::to_string(d) : "×"));
    boxPictures[box].setPicture(sozai_.mininumber(d - 1));
    if (outcome == Outcome::Missed) keyMissed(box);
    announce(keysearchrules::checkSentence(box, keyBox_, checksLeft_));
}

void KeySearch::closeAllBoxes(int opened) {
    // The opened box, which has the focus when it was opened by key, goes last: the focus then
    // leaves the grid once instead of running across every box as each one goes.
    for (int i = 0; i < kBoxes; ++i)
        if (i != opened) boxPictures[i].setEnabled(false);
    boxPictures[opened].setEnabled(false);
}

void KeySearch::keyFound(int box) {
    closeAllBoxes(box);
    phases_.enter(Phase::KeyFound);
}

void KeySearch::keyMissed(int box) {
    closeAllBoxes(box);
    phases_.enter(Phase::KeyMissed);
}

void KeySearch::onKeyFoundTick() {
    for (ui::Image& box : boxPictures) box.setVisible(false);
    keyPicture.setVisible(true);
    verdictPicture.setPicture(sozai_.banner(assets::Verdict::Won));
    phases_.enter(Phase::Won);
    showExit(nextButton);
    announce("鍵を見つけた！ NEXT AREAで先へ");
}

void KeySearch::onKeyMissedTick() {
    for (ui::Image& box : boxPictures) box.setVisible(false);
    verdictPicture.setPicture(sozai_.banner(assets::Verdict::Lost));
    phases_.enter(Phase::Lost);
    announceLoss("鍵は見つからなかった");
}

void KeySearch::onChecksLeftClicked() {
    ++countClicks_;
    if (countClicks_ == 10) {
        keyRowLabel.setVisible(true);
        keyColumnLabel.setVisible(true);
    }
    if (countClicks_ == 19) countClicks_ = 11;  // the hint shows once; the count never comes back to 10
}

std::string KeySearch::checkInvariants() const {
    if (!phases_.onlyItsOwnTimersRun()) return "the verdict waits outside its phase";
    if (checksLeft_ < 0 || checksLeft_ > kChecks) return "checks left out of 0..kChecks";
    if (checksLeftLabel.caption() != std::to_string(checksLeft_)) return "the count shows another number than is left";
    if (std::count(opened_.begin(), opened_.end(), true) != kChecks - checksLeft_)
        return "opened boxes and checks spent disagree";
    return {};
}

void KeySearch::onNextClicked() { leave("nextButton"); }

}  // namespace games
