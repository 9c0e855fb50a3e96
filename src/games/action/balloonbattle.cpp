#include "games/action/balloonbattle.h"

#include <array>
#include <string>

#include "assets/library.h"

namespace games {

namespace {
using namespace mizuhusenrules;

constexpr ui::Rgb kLightYellow{255, 255, 128};
constexpr int kPositions = 17;
constexpr int kHeroineSide = kPositions - 1;

// The balloon's arc, from above the opponent (0) to above the heroine (16).
constexpr std::array<short, kPositions> kLeft{1080, 1320, 1680, 2040, 2400, 2880, 3240, 3600, 4080,
                                              4560, 4920, 5280, 5640, 5880, 6240, 6480, 6600};
constexpr std::array<short, kPositions> kTop{2880, 2400, 1920, 1680, 1440, 1320, 1200, 1080, 1080,
                                             1080, 1200, 1320, 1440, 1680, 2040, 2400, 2760};
constexpr int kBalloonWidth = 1500;
constexpr int kBalloonHeight = 1890;

ui::Rect balloon(int i) { return {kLeft.at(i), kTop.at(i), kBalloonWidth, kBalloonHeight}; }

// The spray reaches out around the BOMB star, centred on the balloon that burst.
ui::Rect spray(int i) {
    const ui::Rect b = balloon(i);
    const int w = b.width * 3 / 2;
    const int h = b.height * 3 / 2;
    return {b.left - (w - b.width) / 2, b.top - (h - b.height) / 2, w, h};
}
}  // namespace

mizuhusen::mizuhusen(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {"mizuhusen", "水風船投げバトル", {9885, 7095}, kLightYellow, "Label4", {8640, 0, 1335, 255}}),
      Command1(button("Command1", {3600, 5760, 1215, 735}, "Push", &mizuhusen::Command1_Click)),
      Command2(button("Command2", {5040, 5760, 1335, 735}, "Throw", &mizuhusen::Command2_Click)),
      Command3(button("Command3", {7800, 5880, 1815, 615}, "NEXT AREA", &mizuhusen::Command3_Click)),
      Label1(label("Label1", {1800, 6600, 1095, 255}, "危険度", ui::gothic(12))),
      Label2(array<ui::Label>("Label2", 2,
                              [this](const std::string& name, int i) -> ui::Label& {
                                  return i == 0 ? label(name, {360, 5520, 1935, 255}, "シルバーファントム", ui::gothic(9))
                                                : label(name, {7920, 5520, 1215, 255}, "白瀬 乃々香", ui::gothic(9));
                              })),
      Label3(label("Label3", {480, 6600, 975, 255}, "0", ui::dialogFont(), ui::Align::Center)),
      // Beneath the figures, so that the heroine can still be clicked while the spray covers her.
      Image8(image("Image8", spray(0), assets::picture("scenes/mizuhusen/splash"))),
      Image1(image("Image1", {840, 4560, 540, 855}, assets::picture("scenes/figures/masked"))),
      Image2(image("Image2", {8040, 4560, 540, 855}, assets::picture("scenes/figures/nonoka"),
                   &mizuhusen::Image2_Click)),
      Image3(imageArray("Image3", kPositions, balloon, assets::picture("scenes/mizuhusen/balloon"))),
      Image4(image("Image4", {3000, 6720, 0, 150}, assets::picture("scenes/mizuhusen/gauge"))),
      Image5(image("Image5", {1200, 1080, 7500, 2775})),
      Image6(image("Image6", {1560, 4680, 750, 750}, assets::picture("scenes/mizuhusen/arrow"))),
      Image7(image("Image7", {7080, 4560, 750, 750}, assets::picture("scenes/mizuhusen/arrow"))),
      Line1(line("Line1", 240, 5400, 9480, 5400)),
      Line2(line("Line2", 9000, 6600, 9000, 6960)),
      Line3(line("Line3", 3000, 6600, 3000, 6960)),
      Timer1(timer("Timer1", 40, &mizuhusen::Timer1_Timer)),
      Timer2(timer("Timer2", 40, &mizuhusen::Timer2_Timer)),
      kozuewaittimer(timer("kozuewaittimer", 1000, &mizuhusen::kozuewaittimer_Timer)),
      yazitimera(timer("yazitimera", 100, &mizuhusen::yazitimera_Timer)),
      yazitimerb(timer("yazitimerb", 300, &mizuhusen::yazitimerb_Timer)),
      hanteitimer(timer("hanteitimer", 3000, &mizuhusen::hanteitimer_Timer)) {
    Command1.setEnabled(false);
    Command2.setEnabled(false);
    Command3.setVisible(false);
    Label3.setVisible(false);
    Image8.setVisible(false);
    for (int i = 1; i < kPositions; ++i) Image3[i].setVisible(false);
    Image6.setVisible(false);
    Image7.setVisible(false);

}

void mizuhusen::Form_Load() {
    Randomize();
    husenpos = 0;
    kikendo = 0;
    Image4.setWidth(0);
    turn = 1;
    kozuepush = 3;
    kozuewaittimer.setEnabled(true);
}

void mizuhusen::pump() {
    const int sum = kikendo + pumpAmount(Rnd());
    // The hidden number shows the sum as drawn; only the gauge and the chances stop at the cap.
    Label3.setCaption(std::to_string(sum));
    kikendo = static_cast<short>(sum > kMaxKikendo ? kMaxKikendo : sum);
    pushcheck();
    Image4.setWidth(kikendo);
}

void mizuhusen::pushcheck() {
    if (bursts(kPushRisk, kikendo, Rnd())) bomb();
}

// A doomed throw bursts one step into its flight, still on the thrower's side.
void mizuhusen::throwcheck() {
    if (bursts(kThrowRisk, kikendo, Rnd())) bombflg = 1;
}

void mizuhusen::bomb() {
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
    kozuewaittimer.setEnabled(false);
    Image3[husenpos].setPicture(sozai_.bombimg());
    Image8.setRect(spray(husenpos));
    Image8.setVisible(true);
    bombflg = 1;
    Command1.setVisible(false);
    Command2.setVisible(false);
    hanteitimer.setEnabled(true);
}

void mizuhusen::judge() {
    Image3[husenpos].setVisible(false);
    Image8.setVisible(false);
    if (turn == 1) {
        Image1.setVisible(false);
        Label2[0].setVisible(false);
        Image5.setPicture(sozai_.hanmark(1));
        Command3.setVisible(true);
    } else {
        Image2.setVisible(false);
        Label2[1].setVisible(false);
        Image5.setPicture(sozai_.hanmark(0));
    }
}

void mizuhusen::hanteitimer_Timer() {
    judge();
    // Every later tick would only show the same result again.
    hanteitimer.setEnabled(false);
}

void mizuhusen::moveBalloon(int to) {
    Image3[husenpos].setVisible(false);
    husenpos = static_cast<short>(to);
    Image3[husenpos].setVisible(true);
}

// The opponent pumps once a second and throws after her last pump.
void mizuhusen::kozuewaittimer_Timer() {
    pump();
    Image6.setVisible(true);
    yazitimerb.setEnabled(true);
    --kozuepush;
    if (kozuepush == 0 && bombflg == 0) {
        kozuewaittimer.setEnabled(false);
        throwcheck();
        Timer1.setEnabled(true);
    }
}

void mizuhusen::yazitimerb_Timer() {
    Image6.setVisible(false);
    yazitimerb.setEnabled(false);
}

void mizuhusen::Timer1_Timer() {
    moveBalloon(husenpos + 1);
    if (bombflg == 1 && husenpos == 1) bomb();
    if (husenpos == kHeroineSide) {
        Timer1.setEnabled(false);
        Command1.setEnabled(true);
        pushnokori = 6;
        turn = 2;
    }
}

std::string mizuhusen::checkInvariants() const {
    if (husenpos < 0 || husenpos > 16) return "the balloon is off its arc";
    if (kikendo < 0) return "a danger level below zero";
    int shown = 0;
    for (const ui::Image& b : Image3) shown += b.visible();
    if (shown > 1) return "the balloon is in two places";
    // A doomed throw flies on with its flag set; the burst itself is the spray.
    if (Image8.visible() && (Command1.visible() || Command2.visible() || Timer1.enabled() || Timer2.enabled() ||
                         kozuewaittimer.enabled()))
        return "something still moves after the burst";
    return {};
}

void mizuhusen::Command1_Click() {
    pump();
    Image7.setVisible(true);
    yazitimera.setEnabled(true);
    Command1.setEnabled(false);
    Command2.setEnabled(false);
    --pushnokori;
}

void mizuhusen::yazitimera_Timer() {
    Image7.setVisible(false);
    Command1.setEnabled(pushnokori != 0);
    Command2.setEnabled(true);
    yazitimera.setEnabled(false);
}

void mizuhusen::Command2_Click() {
    Command2.setEnabled(false);
    Command1.setEnabled(false);
    throwcheck();
    Timer2.setEnabled(true);
}

void mizuhusen::Timer2_Timer() {
    moveBalloon(husenpos - 1);
    if (husenpos == kHeroineSide - 1 && bombflg != 0) bomb();
    if (husenpos == 0) {
        Timer2.setEnabled(false);
        kozuepush = static_cast<short>(kozuePushes(kikendo, app_.random()));
        kozuewaittimer.setEnabled(true);
        turn = 1;
    }
}

void mizuhusen::Image2_Click() { Label3.setVisible(true); }

void mizuhusen::Command3_Click() { leave("Command3"); }

}  // namespace games
