#include "games/dice/kozueduel.h"

namespace games {

namespace {
enum Line { kWontLose, kGoingForIt, kPlea, kCanYouBeatMe, kMustNotLose };

const DuelLayout& layout() {
    static const DuelLayout kLayout{
        .form = {.name = KozueDuel::kName, .caption = "ちんちろ勝負Ａ", .background = {0, 64, 0}, .codeColor = ui::kWhite},
        .opponentName = "シルバー・ファントム",
        .opponentNameRect = {240, 120, 2055, 255},
        .opponentPortrait = "scenes/dice/kozue_masked",
        .opponentLineRect = {3600, 240, 3375, 375},
        .lineStaysShown = false,
        .firstFace = 1,
        .heroineSecondStar = {0, 5400, 450, 450},
        .exclamationRect = {6960, 5160, 1200, 1200},
        .nextCaption = "NEXT BUTTLE",
        .opponentLines = {"乃々香には負けない！", "決めにいくわよ！", "お願い・・・目がでて・・・", "私に勝てるかな？",
                          "負けられないんだから！"},
        .throwRules = dicerules::kDuelA,
    };
    return kLayout;
}
}  // namespace

KozueDuel::KozueDuel(app::App& app, assets::Sozai& sozai) : DuelForm(app, sozai, layout()) {}

// Her first throw of a turn always has a line, the later ones usually: the last is a plea.
int KozueDuel::lineBeforeThrow(const LineCue& cue) const {
    if (cue.throwsLeft == 0) return cue.draw <= 8 ? kPlea : -1;
    if (cue.throwsLeft == 1) return cue.draw <= 7 ? kMustNotLose : -1;
    if (cue.draw > 3) return kCanYouBeatMe;
    return cue.boutsWon == 1 ? kGoingForIt : kWontLose;
}

}  // namespace games
