#include "games/dice/sumireduel.h"

namespace games {

namespace {
const DuelLayout& layout() {
    static const DuelLayout kLayout{
        {"tintiro2", "ちんちろ対決Ｂ", {9915, 7125}, {0, 64, 0}, "codeLabel", {8640, 0, 1335, 255}, ui::kWhite},
        "sumire",
        "スミレ・デ・ワールズ",
        {480, 120, 1695, 255},
        "scenes/dice/kozue_question",
        {3240, 240, 6000, 375},  // wider than laid out, so that her longest line shows whole
        4,
        {0, 5520, 450, 450},
        {6960, 5280, 1200, 1200},
        "NEXT AREA",
        {"ニヤリ。負けないよ！", "おね・・あ、乃々香さんには負けないんだから。", "お願いっ・・・", "私はつよいんだよ！",
         "☆☆ニヤリ☆☆"},
        dicerules::kDuelB,
    };
    return kLayout;
}

// The middle small die slows the gauge a step per click, up to a tick a little under a second:
// a sweep then takes seven to ten seconds, slow enough to stop it anywhere.
constexpr int kGaugeSlowdown = 15;
constexpr int kSlowestGauge = 60 + 60 * kGaugeSlowdown;

}  // namespace

SumireDuel::SumireDuel(app::App& app, assets::Sozai& sozai)
    : DuelForm(app, sozai, layout()),
      caughtCheatingButton(button("caughtCheatingButton", {8160, 6480, 1695, 615}, "NEXT AREA",
                                  &SumireDuel::onCaughtCheatingClicked)),
      lineClearTimer(timer("lineClearTimer", 1000, &SumireDuel::onLineClearTick)),
      // Closed within the second before her banner: the exposure overturns it before it shows.
      exposure(*this, "いかさま発覚",
               {"乃々香「ワールズさん、【ずる】したよね？」", "ワールズ？「！！」",
                "乃々香「なんかおかしいなっておもったんだ」",
                "乃々香「見てたんだけど、今のサイコロ４と５と６しかないよね？」", "乃々香「違うなら見せてみて・・・」",
                "乃々香「・・・？いかさまなのかな？」", "ワールズ？「・・・ごめんなさい・・・」"},
               {&opponentBannerTimer}) {
    caughtCheatingButton.setVisible(false);
}

// Seven times in nine she starts the match with her loaded dice.
void SumireDuel::dealOpponent() {
    const int r = Int(Rnd() * 9);
    cheatflag = r < 7 ? 1 : 0;
}

// Every throw has a line; it tells whether her dice are loaded, not how the match stands.
int SumireDuel::oppline(int r) const {
    if (cheatflag == 1) return r < 4 ? 0 : 3;
    if (r == 0) return 0;
    return r <= 4 ? 1 : 2;
}

void SumireDuel::clearOppLine() { opponentLineLabel.setCaption(""); }

short SumireDuel::oppdie() { return static_cast<short>(cheatflag == 1 ? Int(Rnd() * 3) + 3 : Int(Rnd() * 6)); }

// Loaded dice roll a short, fixed while.
short SumireDuel::oppRollTicks(short drawn) { return cheatflag == 1 ? short{6} : drawn; }

short SumireDuel::rollingFace() {
    if (nonokaturn == 0 && cheatflag == 1) return static_cast<short>(Int(Rnd() * 3) + 3);
    return static_cast<short>(Int(Rnd() * 6));
}

void SumireDuel::turnChanging() {
    if (opphand < 9) opponentLineLabel.setCaption(oppmes[4]);
    lineClearTimer.setEnabled(true);
}

void SumireDuel::onLineClearTick() {
    opponentLineLabel.setCaption("");
    lineClearTimer.setEnabled(false);
}

// From the second bout on she always cheats; her hidden dice wait showing fours.
void SumireDuel::nextBoutBegins() {
    cheatflag = 1;
    for (int k = 0; k < 3; ++k) {
        dicePictures[k].setPicture(sozai_.diceimg(4));
        dicenum[k] = 4;
    }
}

void SumireDuel::onSmallDieClicked(int index) {
    if (index == 1 && gaugeTimer.interval() < kSlowestGauge)
        gaugeTimer.setInterval(gaugeTimer.interval() + kGaugeSlowdown);
}

void SumireDuel::oppmatchwin() {
    const int r = Int(Rnd() * 99);
    if (r == 77) exposure.arm();
    DuelForm::oppmatchwin();
}

void SumireDuel::showExit() {
    // The exposure comes after the losing display had taken the heroine away.
    heroinePicture.setVisible(true);
    heroineNameLabel.setVisible(true);
    (exposed != 0 ? caughtCheatingButton : nextButton).setVisible(true);
}

void SumireDuel::Form_Unload(bool& cancel) {
    if (exposure.tell(cancel)) exposecheat();
    // The window stays, and with it the picture store.
    if (!cancel) DuelForm::Form_Unload(cancel);
}

void SumireDuel::exposecheat() {
    exposed = 1;
    nonokamatchwin();
}

void SumireDuel::onNextClicked() { leave("nextButton"); }

void SumireDuel::onCaughtCheatingClicked() { leave("caughtCheatingButton"); }

}  // namespace games
