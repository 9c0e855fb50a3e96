#include "games/action/bootsdash.h"

#include <string>

#include "assets/library.h"
#include "games/action/bootsdashrules.h"

namespace games {

namespace {
namespace rules = nagagutsurules;

constexpr ui::Rgb kLightCyan{192, 255, 255};
constexpr ui::Rgb kOutline{60, 34, 22};  // the outline colour of the figures drawn for the games
constexpr int kLeftKey = 37;
constexpr int kRightKey = 39;
constexpr short kLeftFoot = 1;
constexpr short kRightFoot = 2;

ui::Rect heading(int i) {
    constexpr int lefts[] = {1800, 3840, 6360};
    constexpr int widths[] = {975, 1695, 1695};
    return {lefts[i], 480, widths[i], 405};
}
}  // namespace

nagagutsu::nagagutsu(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {"nagagutsu", "長靴１００ｍ走", {9885, 7095}, kLightCyan, "Label4", {8520, 0, 1335, 255}}),
      // The running track lies beneath everything, the layout's own lines drawn on top of it.
      trackimg(image("trackimg", {240, 4440, 9240, 720}, assets::picture("scenes/nagagutsu/track"))),
      Label5(label("Label5", {2520, 6120, 2655, 375}, "走り方：左右交互", ui::gothic(15.75))),
      Label2(label("Label2", {2520, 5280, 2055, 360}, "→キー＝右足", ui::gothic(15.75))),
      Label3(label("Label3", {2520, 5640, 2055, 360}, "←キー＝左足", ui::gothic(15.75))),
      Label1(array<ui::Label>("Label1", 3,
                              [this](const std::string& n, int i) -> ui::Label& {
                                  constexpr const char* captions[] = {"状態", "残り時間", "残り距離"};
                                  return label(n, heading(i), captions[i], ui::gothic(20.25));
                              })),
      nokoritime(label("nokoritime", {4200, 1320, 855, 615}, "40", ui::gothic(27.75), ui::Align::Center)),
      nkyori(label("nkyori", {6480, 1320, 1455, 615}, "100", ui::gothic(27.75), ui::Align::Center)),
      Image1(image("Image1", {4320, 3480, 1125, 1125})),
      Image2(image("Image2", {120, 3960, 540, 855}, assets::picture("scenes/figures/nonoka"))),
      Image3(image("Image3", {1560, 1080, 1440, 1440}, assets::picture("store/nagagutsu_0"))),
      Image4(image("Image4", {1080, 600, 7500, 2775})),
      Line1(line("Line1", 360, 4800, 9360, 4800, kOutline)),
      Line5(line("Line5", 9360, 4560, 9360, 5040, kOutline)),
      Command1(button("Command1", {8160, 6360, 1575, 615}, "NEXT AREA", &nagagutsu::Command1_Click)),
      countdown(timer("countdown", 1000)),
      lasttime(timer("lasttime", 1000, &nagagutsu::lasttime_Timer)),
      korobitimer(timer("korobitimer", 1000, &nagagutsu::korobitimer_Timer)),
      counting(countdown, Image1, sozai, {this, &nagagutsu::racestart}) {
    for (ui::Label& l : Label1) l.setVisible(false);
    for (ui::Label* l : {&nokoritime, &nkyori}) l->setVisible(false);
    Image3.setVisible(false);
    Command1.setVisible(false);
    setKeyPreview(true);

    codeLabel().onClick = [this] { Label4_Click(); };
}

void nagagutsu::Form_Load() {
    Randomize();
    kyori = rules::kCourse;
    nokorisec = rules::kRaceSeconds;
    lastfoot = 0;
    runflg = 0;
    sokudo = 0;
    korobiritu = 2;
    counting.start(6);
}

void nagagutsu::Form_KeyDown(int& keyCode) {
    const int key = keyCode;
    if (key != kLeftKey && key != kRightKey) return;
    keyCode = 0;  // the arrows are her feet: they never move the focus or press a button
    if (runflg != 1) return;
    footstep(key == kLeftKey ? kLeftFoot : kRightFoot);
}

void nagagutsu::footstep(short foot) {
    int gain = 0;
    if (lastfoot == foot)
        samefootcheck();
    else
        gain = rules::stride(app_.random());
    sokudo = static_cast<short>(sokudo + gain);
    lastfoot = foot;
    kyori = static_cast<short>(kyori - gain);
    Image2.setLeft(rules::markerLeft(kyori));
    nkyori.setCaption(std::to_string(rules::wholeMetres(kyori)));
    if (kyori <= 0) goal();
}

void nagagutsu::samefootcheck() {
    if (rules::tripsOnSameFoot(app_.random())) tumble();
}

void nagagutsu::speedcheck() {
    if (rules::tripsAtPace(app_.random(), korobiritu)) tumble();
}

void nagagutsu::tumble() {
    runflg = 0;
    Image3.setPicture(sozai_.nagagutsu(1));
    korobitimer.setEnabled(true);
}

void nagagutsu::korobitimer_Timer() {
    Image3.setPicture(sozai_.nagagutsu(0));
    lastfoot = 0;
    runflg = 1;
    korobitimer.setEnabled(false);
}

void nagagutsu::racestart() {
    lasttime.setEnabled(true);
    Image1.setVisible(false);
    for (ui::Label& l : Label1) l.setVisible(true);
    runflg = 1;
    Image3.setVisible(true);
    nkyori.setVisible(true);
    nokoritime.setVisible(true);
}

void nagagutsu::lasttime_Timer() {
    if (sokudo == rules::kRiskyPace) speedcheck();
    sokudo = 0;
    --nokorisec;
    nokoritime.setCaption(std::to_string(nokorisec));
    if (nokorisec == 0) timeup();
}

void nagagutsu::raceover(int mark) {
    lasttime.setEnabled(false);
    // A runner still down when the race ends stays down: getting up would let her run on.
    korobitimer.setEnabled(false);
    runflg = 0;
    for (ui::Label& l : Label1) l.setVisible(false);
    Image3.setVisible(false);
    nkyori.setVisible(false);
    nokoritime.setVisible(false);
    Image4.setPicture(sozai_.hanmark(mark));
}

void nagagutsu::goal() {
    raceover(1);
    Command1.setVisible(true);
}

void nagagutsu::timeup() { raceover(0); }

void nagagutsu::Label4_Click() { nokorisec = rules::withBonus(nokorisec); }

std::string nagagutsu::checkInvariants() const {
    if (kyori > 1000 || kyori < -4) return "the distance left is out of range";
    if (kyori > lowestKyori_) return "the distance left grew";
    lowestKyori_ = kyori;
    if (nokorisec < 0) return "less than no time left";
    if (runflg == 1 && (!lasttime.enabled() || korobitimer.enabled())) return "running without the race clock, or while down";
    if (!Image4.picture().isNull() && (runflg != 0 || lasttime.enabled() || korobitimer.enabled()))
        return "the race goes on after it has ended";
    return {};
}

void nagagutsu::Command1_Click() { leave("Command1"); }

}  // namespace games
