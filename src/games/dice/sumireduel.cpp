#include "games/dice/sumireduel.h"

namespace games {

namespace {
enum Line { kSmugWontLose, kSlipOfTheTongue, kPlea, kImStrong, kGrin };

const DuelLayout& layout() {
    static const DuelLayout kLayout{
        .form = {.name = SumireDuel::kName,
                 .caption = "ちんちろ対決Ｂ",
                 .client = {9915, 7125},
                 .background = {0, 64, 0},
                 .codeRect = {8640, 0, 1335, 255},
                 .codeColor = ui::kWhite},
        .opponentName = "スミレ・デ・ワールズ",
        .opponentNameRect = {480, 120, 1695, 255},
        .opponentPortrait = "scenes/dice/kozue_question",
        .opponentLineRect = {3240, 240, 6000, 375},  // wider than laid out, so that her longest line shows whole
        .lineStaysShown = true,
        .firstFace = 4,
        .heroineSecondStar = {0, 5520, 450, 450},
        .exclamationRect = {6960, 5280, 1200, 1200},
        .nextCaption = "NEXT AREA",
        .opponentLines = {"ニヤリ。負けないよ！", "おね・・あ、乃々香さんには負けないんだから。", "お願いっ・・・",
                          "私はつよいんだよ！", "☆☆ニヤリ☆☆"},
        .throwRules = dicerules::kDuelB,
    };
    return kLayout;
}

// The middle small die slows the gauge a step per click, up to a tick a little under a second:
// a sweep then takes seven to ten seconds, slow enough to stop it anywhere.
constexpr int kGaugeSlowdown = 15;
constexpr int kSlowestGauge = dicerules::kGaugeTickMs + 60 * kGaugeSlowdown;

// A hand of hers below this (a pair with a 5, or better) makes her grin as the turn passes.
constexpr short kGrinsBelow = 9;

}  // namespace

SumireDuel::SumireDuel(app::App& app, assets::Sozai& sozai)
    : DuelForm(app, sozai, layout()),
      caughtCheatingButton(
          button("caughtCheatingButton", {8160, 6480, 1695, 615}, "NEXT AREA", &SumireDuel::onCaughtCheatingClicked)),
      lineClearTimer(timer("lineClearTimer", 1000, &SumireDuel::onLineClearTick)),
      // Closed within the second before her banner: the exposure overturns it before it shows.
      exposure(*this, "いかさま発覚",
               {"乃々香「ワールズさん、【ずる】したよね？」", "ワールズ？「！！」", "乃々香「なんかおかしいなっておもったんだ」",
                "乃々香「見てたんだけど、今のサイコロ４と５と６しかないよね？」", "乃々香「違うなら見せてみて・・・」",
                "乃々香「・・・？いかさまなのかな？」", "ワールズ？「・・・ごめんなさい・・・」"},
               stepTimers()) {
    caughtCheatingButton.setVisible(false);
}

// Seven times in nine she starts the match with her loaded dice; from the second bout on, always.
bool SumireDuel::loadsDice(int bout) { return bout > 0 || random().chance(7, 9); }

// Every throw has a line; it tells whether her dice are loaded, not how the match stands.
int SumireDuel::lineBeforeThrow(const LineCue& cue) const {
    if (cue.loaded) return cue.draw < 4 ? kSmugWontLose : kImStrong;
    if (cue.draw == 0) return kSmugWontLose;
    return cue.draw <= 4 ? kSlipOfTheTongue : kPlea;
}

void SumireDuel::turnPassed(short opponentHand) {
    if (opponentHand < kGrinsBelow) sayLine(layout().opponentLines[kGrin]);
    lineClearTimer.setEnabled(true);
}

void SumireDuel::onLineClearTick() {
    sayLine("");
    lineClearTimer.setEnabled(false);
}

int SumireDuel::gaugeTickAfterClick(int die, int tickMs) const {
    return die == 1 && tickMs < kSlowestGauge ? tickMs + kGaugeSlowdown : tickMs;
}

void SumireDuel::opponentWonMatch() {
    if (surpriseComes()) exposure.arm();
}

ui::Button& SumireDuel::exitAfterWin(ui::Button& nextButton) { return wasCaughtCheating_ ? caughtCheatingButton : nextButton; }

void SumireDuel::onUnload(ui::UnloadRequest& request) {
    if (exposure.tell(request)) {
        wasCaughtCheating_ = true;
        announce("いかさま発覚、勝負は乃々香のもの");
        heroineWinsMatch();
    }
    // The window stays, and with it the picture store.
    if (!request.refused()) DuelForm::onUnload(request);
}

void SumireDuel::onCaughtCheatingClicked() { leave("caughtCheatingButton"); }

}  // namespace games
