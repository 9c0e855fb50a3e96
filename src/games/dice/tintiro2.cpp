#include "games/dice/tintiro2.h"

#include "ui/messagebox.h"

namespace games {

namespace {
const DuelLayout& layout() {
    static const DuelLayout kLayout{
        {"tintiro2", "ちんちろ対決Ｂ", {9915, 7125}, {0, 64, 0}, "Label4", {8640, 0, 1335, 255}, "3896", ui::kWhite},
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
        throwzones::kDuelB,
    };
    return kLayout;
}

// The middle small die slows the gauge a step per click, up to a tick a little under a second:
// a sweep then takes seven to ten seconds, slow enough to stop it anywhere.
constexpr int kGaugeSlowdown = 15;
constexpr int kSlowestGauge = 60 + 60 * kGaugeSlowdown;

constexpr const char* kExposure = "いかさま発覚";
constexpr const char* kExposureLines[] = {
    "乃々香「ワールズさん、【ずる】したよね？」",
    "ワールズ？「！！」",
    "乃々香「なんかおかしいなっておもったんだ」",
    "乃々香「見てたんだけど、今のサイコロ４と５と６しかないよね？」",
    "乃々香「違うなら見せてみて・・・」",
    "乃々香「・・・？いかさまなのかな？」",
    "ワールズ？「・・・ごめんなさい・・・」",
};
}  // namespace

tintiro2::tintiro2(app::App& app, assets::Sozai& sozai)
    : DuelForm(app, sozai, layout()),
      Command2(button("Command2", {8160, 6480, 1695, 615}, "NEXT AREA")),
      mesdelete(timer("mesdelete", 1000)) {
    Command2.setVisible(false);
    Command2.onClick = [this] { Command2_Click(); };
    mesdelete.onTick = [this] { mesdelete_Timer(); };
    minidiceimg.onClick = [this](int i) { minidiceimg_Click(i); };
}

// Seven times in nine she starts the match with her loaded dice.
void tintiro2::dealOpponent() {
    const int r = Int(Rnd() * 9);
    cheatflag = r < 7 ? 1 : 0;
}

// Every throw has a line; it tells whether her dice are loaded, not how the match stands.
void tintiro2::oppmessage() {
    --throwleft;
    oppmesLabel.setVisible(true);
    const int r = Int(Rnd() * 10);
    if (cheatflag == 1)
        oppmesLabel.setCaption(r < 4 ? oppmes[0] : oppmes[3]);
    else if (r == 0)
        oppmesLabel.setCaption(oppmes[0]);
    else
        oppmesLabel.setCaption(r <= 4 ? oppmes[1] : oppmes[2]);
}

void tintiro2::clearOppLine() { oppmesLabel.setCaption(""); }

short tintiro2::oppdie() { return static_cast<short>(cheatflag == 1 ? Int(Rnd() * 3) + 3 : Int(Rnd() * 6)); }

// Loaded dice roll a short, fixed while.
short tintiro2::oppRollTicks(short drawn) { return cheatflag == 1 ? short{6} : drawn; }

short tintiro2::rollingFace() {
    if (nonokaturn == 0 && cheatflag == 1) return static_cast<short>(Int(Rnd() * 3) + 3);
    return static_cast<short>(Int(Rnd() * 6));
}

void tintiro2::turnChanging() {
    if (opphand < 9) oppmesLabel.setCaption(oppmes[4]);
    mesdelete.setEnabled(true);
}

void tintiro2::mesdelete_Timer() {
    oppmesLabel.setCaption("");
    mesdelete.setEnabled(false);
}

// From the second bout on she always cheats; her hidden dice wait showing fours.
void tintiro2::nextBoutBegins() {
    cheatflag = 1;
    for (int k = 0; k < 3; ++k) {
        diceimg[k].setPicture(sozai_.diceimg(4));
        dicenum[k] = 4;
    }
}

void tintiro2::minidiceimg_Click(int index) {
    if (index == 1 && gagetimer.interval() < kSlowestGauge)
        gagetimer.setInterval(gagetimer.interval() + kGaugeSlowdown);
}

void tintiro2::oppmatchwin() {
    const int r = Int(Rnd() * 99);
    if (r == 77) exposeflag = 1;
    DuelForm::oppmatchwin();
}

void tintiro2::showExit() {
    // The exposure comes after the losing display had taken the heroine away.
    Image2.setVisible(true);
    Label2.setVisible(true);
    (exposed != 0 ? Command2 : Command1).setVisible(true);
}

void tintiro2::Form_Unload(bool& cancel) {
    if (exposeflag == 1) {
        // The window stays, and with it the picture store. A close asked for while the boxes are
        // up is refused and changes nothing.
        cancel = true;
        if (exposed == 0) exposecheat();
        return;
    }
    DuelForm::Form_Unload(cancel);
}

void tintiro2::exposecheat() {
    exposed = 1;
    // Closed within the second before her banner: the exposure overturns it before it shows. The
    // boxes run their own event loop, so the banner must be stopped before the first of them.
    totaloppwintimer.setEnabled(false);
    for (const char* line : kExposureLines) ui::messageBox(*this, kExposure, line);
    exposeflag = 0;
    nonokamatchwin();
}

void tintiro2::Command1_Click() { changeScene("mesarea6"); }

void tintiro2::Command2_Click() { changeScene("mesareaspecial"); }

}  // namespace games
