#include "games/action/candleblowing.h"

#include <initializer_list>
#include <string>

#include "assets/library.h"
#include "games/action/candleblowingrules.h"

namespace games {

namespace {
namespace rules = rosokurules;

constexpr ui::Rgb kPink{255, 192, 192};
constexpr ui::Rgb kRed{255, 0, 0};

constexpr int kSlots = 10;
constexpr int kOmissionSlot = 7;  // candles 8 to 97 hide behind it; it later becomes candle 98

// Candles stand 24 px apart and their numbers are 24 px high; our Gothic's digits are wide, so
// narrowed, two of them keep a clear gap from their neighbours.
const ui::Font kCandleNumber = ui::condensed(ui::gothic(18), 60);
// Three digits of the big counts must fit between their heading and their unit.
const ui::Font kBigCount = ui::condensed(ui::gothic(48), 72);

ui::Rect slot(int i) { return {2400 + 360 * i, 3360, 375, 900}; }
// The number under a candle, centred on it and wide enough for "100"; the last, with no neighbour
// to its right, stands a little to that side, clear of "99".
ui::Rect number(int i) { return {2400 + 360 * i - 60 + (i == 9 ? 45 : 0), 4440, 495, 420}; }

std::string candleNumber(int i) { return i < 7 ? std::to_string(i + 1) : std::to_string(91 + i); }
}  // namespace

rosoku::rosoku(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {"rosoku", "ろうそく消し", {9885, 7095}, kPink, "Label11", {8520, 0, 1335, 255}}),
      // The cake the candles stand on lies beneath everything.
      cake(image("cake", {2160, 3960, 4080, 1800}, assets::picture("scenes/rosoku/cake"))),
      rouimg(array<ui::Image>("rouimg", kSlots,
                              [this](const std::string& n, int i) -> ui::Image& {
                                  return image(n, slot(i),
                                               i == kOmissionSlot ? assets::picture("scenes/rosoku/omission")
                                                                  : assets::picture("store/rouimg_1"));
                              })),
      Label7(array<ui::Label>("Label7", kSlots,
                              [this](const std::string& n, int i) -> ui::Label& {
                                  return label(n, number(i), candleNumber(i), kCandleNumber, ui::Align::Center);
                              })),
      Image5(image("Image5", {120, 3360, 540, 855}, assets::picture("scenes/figures/nonoka"))),
      kazeimg(image("kazeimg", {1320, 3360, 600, 420}, assets::picture("scenes/rosoku/breath"))),
      huta(image("huta", {720, 2760, 1500, 1500}, assets::picture("scenes/rosoku/windspirit"))),
      Label3(label("Label3", {600, 4080, 2415, 495}, "空丸降臨！！", ui::gothic(18))),
      countlast(image("countlast", {4200, 2040, 1125, 1125}, {}, &rosoku::countlast_Click)),
      label1(label("label1", {6960, 240, 2535, 615}, "残り時間", ui::gothic(26.25))),
      lastime(label("lastime", {7320, 1080, 1335, 1095}, "15", ui::gothic(48), ui::Align::Center)),
      Image3(image("Image3", {3360, 5880, 10, 150}, assets::picture("scenes/common/redbar"))),
      Label2(label("Label2", {6720, 2520, 2775, 495}, "パワー吸い込み", ui::gothic(18))),
      percent(label("percent", {7440, 3240, 1320, 1095}, "0", kBigCount, ui::Align::Center)),
      Label4(label("Label4", {8760, 3720, 495, 495}, "％", ui::gothic(18))),
      Image1(image("Image1", {3360, 6720, 6000, 150}, assets::picture("scenes/rosoku/timingbar"))),
      Image2(image("Image2", {3240, 6240, 240, 450}, assets::picture("scenes/rosoku/pointer"))),
      Image4(image("Image4", {6720, 4440, 3000, 900})),
      Label5(label("Label5", {2160, 600, 3135, 1095}, "計測！", ui::gothic(48))),
      Label6(label("Label6", {1680, 2280, 1680, 615}, "本数＝", ui::gothic(26.25))),
      kiehonsu(label("kiehonsu", {3360, 2160, 1320, 1095}, "0", kBigCount, ui::Align::Center)),
      Label8(label("Label8", {4680, 2640, 495, 495}, "本", ui::gothic(18))),
      Command1(button("Command1", {120, 120, 1575, 735}, "NEXT AREA")),
      Command2(button("Command2", {120, 120, 1575, 735}, "NEXT AREA")),
      Command3(button("Command3", {120, 120, 1575, 735}, "NEXT AREA")),
      Command4(button("Command4", {120, 120, 1575, 735}, "NEXT AREA")),
      countdowntimer(timer("countdowntimer", 1000)),
      gagetametimer(timer("gagetametimer", 66, &rosoku::gagetametimer_Timer)),
      nokorizikan(timer("nokorizikan", 1000, &rosoku::nokorizikan_Timer)),
      Timer2(timer("Timer2", 1000, &rosoku::Timer2_Timer)),
      Timer1(timer("Timer1", 30, &rosoku::Timer1_Timer)),
      Timer3(timer("Timer3", 1200, &rosoku::Timer3_Timer)),
      roudeletimer(timer("roudeletimer", 100, &rosoku::roudeletimer_Timer)),
      countwait(timer("countwait", 1800)),
      Timer4(timer("Timer4", 50, &rosoku::Timer4_Timer)),
      prehatudo(timer("prehatudo", 1000, &rosoku::prehatudo_Timer)),
      Timer5(timer("Timer5", 500, &rosoku::Timer5_Timer)),
      sptimer(timer("sptimer", 500)),
      counting(countdowntimer, countlast, sozai, {this, &rosoku::startinhale}),
      scrollwait(countwait, {&Label5, nullptr}, {this, &rosoku::startrenumber}),
      announcement(sptimer, {&Label6, &kiehonsu, &Label8}, {this, &rosoku::showexit}) {
    Label7[kOmissionSlot].setVisible(false);
    Label7[9].setForeColor(kRed);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&kazeimg, &huta, &Label3, &label1, &lastime, &Label2,
                                                              &percent, &Label4, &Label5, &Label6, &kiehonsu, &Label8,
                                                              &Command1, &Command2, &Command3, &Command4})
        c->setVisible(false);
    setKeyPreview(true);

    Command1.onClick = [this] { leave("Command1"); };
    Command2.onClick = [this] { leave("Command2"); };
    Command3.onClick = [this] { leave("Command3"); };
    Command4.onClick = [this] { leave("Command4"); };
}

void rosoku::Form_Load() {
    // Along the story an earlier game has seeded chance; straight from the warp zone none has.
    if (app_.isLoaded("warpzone")) Randomize();
    meterpos = rules::kMeterStart;
    power = rules::kMinPower;
    Image3.setWidth(power);
    draindiv = 1;
    counting.start(6);
}

// ---- countdown -------------------------------------------------------------------------------

std::string rosoku::checkInvariants() const {
    if (kekka < 0 || kekka > 100) return "a count of candles out of 0..100";
    if (power < 0 || power > 6000) return "a breath out of 0..6000";
    int exits = 0;
    for (const ui::Button* b : {&Command1, &Command2, &Command3, &Command4}) exits += b->visible();
    if (exits > 1) return "more than one way on";
    return {};
}

void rosoku::countlast_Click() {
    if (counting.left() == 3) draindiv = 2;
}

// ---- breathing in ----------------------------------------------------------------------------

void rosoku::startinhale() {
    gagetametimer.setEnabled(true);
    nokorisec = 15;
    countlast.setVisible(false);
    label1.setVisible(true);
    lastime.setVisible(true);
    nokorizikan.setEnabled(true);
    suikomiflg = 1;
}

void rosoku::Form_KeyDown(int& keyCode) {
    switch (keyCode) {
        case 39:
            if (suikomiflg == 1) {
                if (lastkey == 2) inhale();
                lastkey = 1;
            }
            break;
        case 37:
            if (suikomiflg == 1) {
                if (lastkey == 1) inhale();
                lastkey = 2;
            }
            break;
        case 32:
            if (keisokuflg == 1) stopmeter();
            break;
        default: return;
    }
    keyCode = 0;
}

void rosoku::inhale() {
    power = static_cast<short>(power + rules::kInhaleStep);
    if (power > rules::kMaxPower) power = rules::kMaxPower;
    Image3.setWidth(power);
}

void rosoku::gagetametimer_Timer() {
    draincalc();
    power = static_cast<short>(power - drain);
    if (power < rules::kMinPower) power = rules::kMinPower;
    Image3.setWidth(power);
}

void rosoku::draincalc() {
    const int r = Int(Rnd() * 10);
    drain = static_cast<short>(rules::draincalc(power, r, draindiv));
}

void rosoku::nokorizikan_Timer() {
    --nokorisec;
    lastime.setCaption(std::to_string(nokorisec));
    if (nokorisec == 0) endinhale();
}

void rosoku::endinhale() {
    nokorizikan.setEnabled(false);
    suikomiflg = 0;
    gagetametimer.setEnabled(false);
    percent.setCaption(std::to_string(rules::percentOf(power)));
    percent.setVisible(true);
    label1.setVisible(false);
    lastime.setVisible(false);
    Label2.setVisible(true);
    Label4.setVisible(true);
    Timer2.setEnabled(true);
}

// ---- the timing shot -------------------------------------------------------------------------

void rosoku::Timer2_Timer() {
    Timer1.setEnabled(true);
    keisokuflg = 1;
    Timer2.setEnabled(false);
}

void rosoku::Timer1_Timer() {
    meterpos = static_cast<short>(meterpos + rules::kMeterStep);
    if (meterpos == rules::kMeterHide) Image2.setVisible(false);
    Image2.setLeft(meterpos);
    if (meterpos == rules::kMeterEnd) stopmeter();
}

void rosoku::stopmeter() {
    Timer1.setEnabled(false);
    keisokuflg = 0;
    Image2.setVisible(true);
    grading();
    blowresult();
    nokorirou = kekka;
    Timer3.setEnabled(true);
}

void rosoku::grading() {
    hyouka = static_cast<short>(rules::grading(meterpos));
    Image4.setPicture(sozai_.seiseki(hyouka));
}

void rosoku::blowresult() {
    const rules::Blow b = rules::blowresult(hyouka, power, app_.random());
    kouritu = static_cast<short>(b.kouritu);
    kekka = static_cast<short>(b.kekka);
    if (b.kazeflg) kazeflg = 1;
}

// ---- the candles go out ----------------------------------------------------------------------

void rosoku::Timer3_Timer() {
    kazeimg.setVisible(true);
    roudeletimer.setEnabled(true);
    Timer3.setEnabled(false);
}

void rosoku::putOut(int slotIndex) { rouimg[slotIndex].setPicture(sozai_.rouimg(2)); }

void rosoku::roudeletimer_Timer() {
    if (kekka == 0) {
        showresult();
        return;
    }
    ++kiecount;
    --nokorirou;
    // Candles 8 to 98 are out of sight behind the omission mark.
    if (kiecount <= 7)
        putOut(kiecount - 1);
    else if (kiecount >= 99)
        putOut(kiecount - 91);
    if (nokorirou == 0) {
        if (kiecount <= 6 || kiecount >= 99)
            showresult();
        else
            startscroll();
    }
}

void rosoku::showresult() {
    roudeletimer.setEnabled(false);
    kiehonsu.setCaption(std::to_string(kekka));
    announce();
}

void rosoku::startscroll() {
    roudeletimer.setEnabled(false);
    scrollwait.start();
}

void rosoku::startrenumber() {
    kiecount = 0;
    Timer4.setEnabled(true);
}

// The seven left candles, all out by now, are renumbered until the last of them shows the first
// candle still burning.
void rosoku::Timer4_Timer() {
    ++kiecount;
    kiehonsu.setCaption(std::to_string(kiecount + 7));
    for (int i = 0; i <= 6; ++i) Label7[i].setCaption(std::to_string(kiecount + i + 1));
    if (kiecount == 90) show98();
    if (kekka == kiecount + 6) rouimg[6].setPicture(sozai_.rouimg(1));
    if (kekka == kiecount + 6 || kiecount == 90) endscroll();
}

void rosoku::show98() {
    rouimg[kOmissionSlot].setPicture(sozai_.rouimg(kekka >= 98 ? 2 : 1));
    Label7[kOmissionSlot].setVisible(true);
}

void rosoku::endscroll() {
    kiehonsu.setCaption(std::to_string(kekka));
    Timer4.setEnabled(false);
    Label5.setVisible(false);
    announce();
}

// The wind spirit, when she comes, finishes the job before the count is announced.
void rosoku::announce() {
    if (kazeflg == 1)
        prehatudo.setEnabled(true);
    else
        announcement.start();
}

// ---- the wind spirit -------------------------------------------------------------------------

void rosoku::prehatudo_Timer() {
    huta.setVisible(true);
    Label3.setVisible(true);
    prehatudo.setEnabled(false);
    Timer5.setEnabled(true);
}

void rosoku::Timer5_Timer() {
    for (int i = 0; i < kSlots; ++i)
        if (i != kOmissionSlot) putOut(i);
    // The omission slot is candle 98 only once the count has reached it.
    if (kekka >= 98) putOut(kOmissionSlot);
    kekka = 100;
    kiehonsu.setCaption("100");
    Timer5.setEnabled(false);
    announcement.start();
}

// ---- the announcement ------------------------------------------------------------------------

void rosoku::showexit() {
    if (kekka == 100 && kazeflg == 0)
        Command1.setVisible(true);
    else if (kekka == 100)
        Command4.setVisible(true);
    else if (kekka >= 50)
        Command2.setVisible(true);
    else
        Command3.setVisible(true);
}

}  // namespace games
