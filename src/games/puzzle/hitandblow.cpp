#include "games/puzzle/hitandblow.h"

#include <string>
#include <vector>

#include "assets/library.h"
#include "ui/announcer.h"
#include "ui/keyboard.h"

namespace games {

using hitandblowrules::kDigits;
using hitandblowrules::kTries;
using hitandblowrules::Outcome;

namespace {

constexpr ui::Rgb kPink{255, 192, 192};

// Our Gothic's digits are wider than those the history column was laid out for; narrowed, four of
// them fit the column at their full height, and the counts beside them sit centred in their boxes
// so that a guess and its counts never read as one number.
const ui::Font kHistoryDigits = ui::condensed(ui::gothic(36), 82);

// The pictures the form was designed with; the store supplies every later one.
ui::Picture designed(const std::string& name) { return assets::picture(name); }

// The history grows upwards, a row for each try, filed by the tries left after it: the first try
// is recorded in the bottom row.
int historyTop(int k) { return 1440 + 600 * (kTries - 1 - k); }

// Where element i of each row stands.
ui::Rect dialUp(int i) { return {840 + 1320 * i, 3960, 735, 735}; }
ui::Rect dialDown(int i) { return {840 + 1320 * i, 6000, 735, 735}; }
ui::Rect guessDigit(int i) { return {240 + 600 * i, 2040, 1050, 900}; }
ui::Rect mark(int i) { return {3240 + 720 * i, 2040, 750, 750}; }
ui::Rect historyGuess(int k) { return {7920, historyTop(k), 1575, 735}; }
ui::Rect historyHits(int k) { return {9600, historyTop(k), 615, 615}; }
ui::Rect historyBlows(int k) { return {10320, historyTop(k), 615, 615}; }
ui::Rect secretDigit(int i) { return {240 + 240 * i, 120, 375, 375}; }

}  // namespace

HitAndBlow::HitAndBlow(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai,
               {.name = kName,
                .caption = "鍵を開けろ！",
                .client = {11235, 7095},
                .background = kPink,
                .codeRect = {9960, 0, 1335, 255}}),
      nextButton(button("nextButton", {8880, 6000, 1695, 735}, "NEXT AREA", &HitAndBlow::onNextClicked)),
      rouletteTimer(timer("rouletteTimer", 200)),
      recordTimer(timer("recordTimer", 2000, &HitAndBlow::onRecordTick)),
      padlockPicture(pictureBox("padlockPicture", {6120, 4680, 1260, 1560}, designed("scenes/hitandblow/padlock"),
                                &HitAndBlow::onPadlockClicked)),
      dialUpButtons(buttonArray("dialUpButtons", kDigits, dialUp, "↑", &HitAndBlow::onDialUpClicked, ui::gothic(12))),
      dialDownButtons(buttonArray("dialDownButtons", kDigits, dialDown, "↓", &HitAndBlow::onDialDownClicked, ui::gothic(12))),
      dialPictures(array<ui::Image>(
          "dialPictures", kDigits,
          [this](const std::string& n, int i) -> ui::Image& {
              return image(n, {600 + 1320 * i, 4800, 1125, 1125}, designed("store/numberimg_" + std::to_string(i)));
          })),
      promptPicture(image("promptPicture", {480, 2040, 6750, 900}, designed("scenes/hitandblow/passmes"))),
      guessPictures(imageArray("guessPictures", kDigits, guessDigit)),
      markPictures(imageArray("markPictures", kDigits, mark)),
      remainingPicture(image("remainingPicture", {720, 720, 2250, 900}, designed("scenes/hitandblow/nokori"))),
      triesLeftPicture(
          image("triesLeftPicture", {2280, 600, 1050, 900}, designed("store/sysnumberimg_" + std::to_string(kTries)))),
      timesPicture(image("timesPicture", {3360, 645, 1050, 900}, designed("scenes/hitandblow/kai"))),
      historyTitleLabel(label("historyTitleLabel", {7920, 360, 2775, 615}, "これまでの履歴", ui::gothic(20.25))),
      legendPictures(array<ui::Image>(
          "legendPictures", 2,
          [this](const std::string& n, int i) -> ui::Image& {
              return image(n, {9360 + 720 * i, 840, 750, 750}, designed(i == 0 ? "store/star_1" : "store/star_2"));
          },
          &HitAndBlow::onLegendClicked)),
      historyGuessLabels(labelArray("historyGuessLabels", kTries, historyGuess, "0000", kHistoryDigits)),
      historyHitLabels(labelArray("historyHitLabels", kTries, historyHits, "0", ui::gothic(36), ui::Align::Center)),
      historyBlowLabels(labelArray("historyBlowLabels", kTries, historyBlows, "0", ui::gothic(36), ui::Align::Center)),
      hintHotSpot(image("hintHotSpot", {7200, 0, 600, 600}, {}, &HitAndBlow::onHintHotSpotClicked)),
      secretDigitLabels(labelArray("secretDigitLabels", kDigits, secretDigit, "0")),
      verdictPicture(image("verdictPicture", {-120, 3720, 7500, 2775})),
      dividerLine(line("dividerLine", 7560, 0, 7560, 7080)),
      roulette_(rouletteTimer, {this, &HitAndBlow::drawRouletteFrame}, {this, &HitAndBlow::showRouletteFrame},
                {this, &HitAndBlow::showJudgement}) {
    for (ui::Image* aid : {&hintHotSpot, &legendPictures[0], &legendPictures[1]}) aid->setSecret();
    // The dials stay where the last guess left them, and their buttons and the padlock are named for
    // them; the tries, the history and the hint stay too.
    carryOver(ui::cellsOf(dialPictures, dialUpButtons, dialDownButtons, historyGuessLabels, historyHitLabels, historyBlowLabels,
                          secretDigitLabels));
    carryOver({&padlockPicture, &triesLeftPicture, &hintHotSpot});
    nextButton.setVisible(false);
    for (int i = 0; i < kDigits; ++i) {
        guessPictures[i].setVisible(false);
        markPictures[i].setVisible(false);
        secretDigitLabels[i].setVisible(false);
    }
    for (int k = 0; k < kTries; ++k)
        for (ui::Label* l : {&historyGuessLabels[k], &historyHitLabels[k], &historyBlowLabels[k]}) l->setVisible(false);
    hintHotSpot.setVisible(false);

    padlockPicture.setTabStop(true);
    ui::arrowGrid(kDigits, ui::cellsOf(dialUpButtons, dialDownButtons));
    // By ear a dial is one thing with a value: Up and Down turn it, Left and Right go to the next
    // dial, and Tab reads the dials left to right, each ↑ then its ↓, before the padlock.
    std::vector<ui::Control*> tabs;
    for (int i = 0; i < kDigits; ++i) {
        for (ui::Button* b : {&dialUpButtons[i], &dialDownButtons[i]}) {
            ui::turnWithUpDown(*b, [this, i](int step) {
                if (step > 0)
                    onDialUpClicked(i);
                else
                    onDialDownClicked(i);
            });
            tabs.push_back(b);
        }
    }
    tabs.push_back(&padlockPicture);
    ui::tabOrder(tabs);
    legendPictures[0].setSpokenName("☆ ヒット");
    legendPictures[1].setSpokenName("★ ブロー");
}

void HitAndBlow::onLoad() {
    random().reseed();
    secret_ = hitandblowrules::drawSecret(app_.random());
    for (int i = 0; i < kDigits; ++i) secretDigitLabels[i].setCaption(std::to_string(secret_[i]));
    for (int i = 0; i < kDigits; ++i) nameDial(i);
    roundBegins();
    afterFirstPaint([this] {
        // By ear the lock starts on its first dial, where the keys said next do something.
        if (ui::screenReaderRuns()) dialUpButtons[0].setFocus();
        announce("4桁の番号を当てる。上下キーで数字を回し、左右キーで桁を移る。南京錠で試す。のこり" + std::to_string(kTries) +
                 "回");
    });
}

void HitAndBlow::onDialUpClicked(int dial) {
    dialDigits_[dial] = static_cast<short>((dialDigits_[dial] + 1) % 10);
    showDial(dial);
}

void HitAndBlow::onDialDownClicked(int dial) {
    dialDigits_[dial] = static_cast<short>((dialDigits_[dial] + 9) % 10);
    showDial(dial);
}

void HitAndBlow::showDial(int dial) {
    dialPictures[dial].setPicture(sozai_.numberimg(dialDigits_[dial]));
    nameDial(dial);
    announce(std::to_string(dial + 1) + "桁目 " + std::to_string(dialDigits_[dial]));
}

void HitAndBlow::nameDial(int dial) {
    const std::string place = std::to_string(dial + 1) + "桁目 " + std::to_string(dialDigits_[dial]);
    dialUpButtons[dial].setSpokenName(place + " 上げる");
    dialDownButtons[dial].setSpokenName(place + " 下げる");
    padlockPicture.setSpokenName("南京錠 " + hitandblowrules::spelled(dialDigits_) + "で試す");
}

void HitAndBlow::onPadlockClicked() {
    promptPicture.setVisible(false);
    for (int i = 0; i < kDigits; ++i) {
        markPictures[i].setPicture(sozai_.mark(assets::Mark::None));
        markPictures[i].setVisible(true);
        guessPictures[i].setPicture(sozai_.sysnumberimg(dialDigits_[i]));
        guessPictures[i].setVisible(true);
        dialUpButtons[i].setEnabled(false);
        dialDownButtons[i].setEnabled(false);
    }
    padlockPicture.setVisible(false);
    judgeGuess();
}

void HitAndBlow::judgeGuess() {
    const auto ticks = static_cast<short>(random().below(9) + 11);
    const auto j = hitandblowrules::judge(dialDigits_, secret_);
    judgement_ = j;
    marks_ = hitandblowrules::sortedMarks(j);
    phases_.enter(Phase::Rolling);
    roulette_.start(ticks);
}

void HitAndBlow::drawRouletteFrame() {
    rouletteMarks_ = {};
    const int n = random().below(kDigits) + 1;
    const int m = random().below(n + 1);
    for (int k = 0; k < n; ++k) rouletteMarks_[k] = k < m ? assets::Mark::Hit : assets::Mark::Blow;
}

void HitAndBlow::showRouletteFrame() {
    for (int k = 0; k < kDigits; ++k) markPictures[k].setFrame(sozai_.mark(rouletteMarks_[k]));
}

void HitAndBlow::showJudgement() {
    for (int k = 0; k < kDigits; ++k) markPictures[k].setPicture(sozai_.mark(marks_[k]));
    phases_.enter(Phase::Recording);
    announce(hitandblowrules::resultSentence(dialDigits_, judgement_, triesLeft_ - 1));
}

void HitAndBlow::onRecordTick() {
    phases_.enter(Phase::Dialling);
    padlockPicture.setVisible(true);
    for (int i = 0; i < kDigits; ++i) {
        dialDownButtons[i].setEnabled(true);
        dialUpButtons[i].setEnabled(true);
        markPictures[i].setVisible(false);
        guessPictures[i].setVisible(false);
    }
    --triesLeft_;
    triesLeftPicture.setPicture(sozai_.sysnumberimg(triesLeft_));
    const int k = triesLeft_;
    const std::string guess = hitandblowrules::spelled(dialDigits_);
    historyGuessLabels[k].setCaption(guess);
    historyHitLabels[k].setCaption(std::to_string(judgement_.hits));
    historyBlowLabels[k].setCaption(std::to_string(judgement_.blows));
    for (ui::Label* l : {&historyGuessLabels[k], &historyHitLabels[k], &historyBlowLabels[k]}) l->setVisible(true);
    const Outcome outcome = hitandblowrules::outcome(judgement_, triesLeft_);
    if (outcome == Outcome::Opened) openLock();
    if (triesLeft_ == 1) hintHotSpot.setVisible(true);
    if (outcome == Outcome::StaysShut) failLock();
    promptPicture.setVisible(true);
    if (phases_.current() == Phase::Dialling) roundBegins();
}

void HitAndBlow::putDialAway() {
    for (int i = 0; i < kDigits; ++i) {
        dialUpButtons[i].setVisible(false);
        dialDownButtons[i].setVisible(false);
        dialPictures[i].setVisible(false);
    }
    padlockPicture.setVisible(false);
}

void HitAndBlow::openLock() {
    phases_.enter(Phase::Won);
    putDialAway();
    verdictPicture.setPicture(sozai_.banner(assets::Verdict::Won));
    verdictPicture.setVisible(true);
    showExit(nextButton);
    announce("鍵が開いた！ NEXT AREAで先へ");
}

void HitAndBlow::failLock() {
    phases_.enter(Phase::Lost);
    putDialAway();
    promptPicture.setPicture({});
    verdictPicture.setPicture(sozai_.banner(assets::Verdict::Lost));
    verdictPicture.setVisible(true);
    announceLoss("鍵は開かなかった");
}

void HitAndBlow::onLegendClicked(int column) {
    if (triesLeft_ == 1) secretDigitLabels[column].setVisible(true);
}

void HitAndBlow::onHintHotSpotClicked() {
    for (ui::Label& l : secretDigitLabels) l.setVisible(true);
}

std::string HitAndBlow::checkInvariants() const {
    if (!phases_.onlyItsOwnTimersRun() || !phases_.ownTimersRun())
        return "the roulette or the wait for the history runs outside its phase, or stalls in it";
    const bool judging = phases_.isAnyOf(Phase::Rolling, Phase::Recording);
    for (int i = 0; i < kDigits; ++i) {
        if (dialUpButtons[i].enabled() == judging || dialDownButtons[i].enabled() == judging)
            return "a dial turns while a guess is judged, or stays locked after it";
        if (markPictures[i].visible() != judging) return "the marks show without a guess being judged";
    }
    if (padlockPicture.visible() != (phases_.current() == Phase::Dialling)) return "the padlock shows while it cannot be tried";
    if (nextButton.visible() != (phases_.current() == Phase::Won)) return "the way on shows without the lock open";
    if (triesLeft_ < 0 || triesLeft_ > kTries) return "tries left out of 0..kTries";
    if (phases_.current() == Phase::Lost && triesLeft_ != 0) return "lost with tries left";
    return {};
}

void HitAndBlow::onNextClicked() { leave("nextButton"); }

}  // namespace games
