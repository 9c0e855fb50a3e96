#include "games/puzzle/raceto100.h"

#include <string>

#include "assets/library.h"
#include "ui/keyboard.h"

namespace games {

namespace {

constexpr ui::Rgb kSalmon{255, 128, 128};
constexpr int kSquareTwips = 72;  // the car's step along the road
constexpr int kCountAboveCar = 720;  // the count of squares to go rides this far right of the car's left
constexpr std::array<int, 2> kDiceIntervals{45, 67};

// Our Gothic's digits are wider than those the counts were laid out for; narrowed, "100" keeps
// clear of "マス" and a 66 fits above the car, at their full height.
const ui::Font kSquaresLeftDigits = ui::condensed(ui::gothic(48), 84);
const ui::Font kSquaresToGoDigits = ui::condensed(ui::gothic(18), 80);

// The pictures the form was designed with; the store supplies every later one.
ui::Picture designed(const std::string& name) { return assets::picture(name); }

int carLeft(int position) { return position * kSquareTwips; }

}  // namespace

max100game::max100game(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {"max100game", "１００を越えるな", {9885, 7095}, kSalmon, "Label4", {8640, 0, 1335, 255}}),
      Image4(image("Image4", {120, 240, 1500, 1500}, designed("scenes/portraits/sumire_masked"), &max100game::Image4_Click)),
      Image5(image("Image5", {120, 5160, 1500, 1500}, designed("scenes/portraits/nonoka"), &max100game::Image5_Click)),
      enediceimg(imageArray("enediceimg", 2, [](int i) { return ui::Rect{1920 + 1200 * i, 120, 1050, 1050}; },
                            designed("store/diceimg_7"))),
      yazirusi(imageArray("yazirusi", 2, [](int i) { return ui::Rect{2040 + 1200 * i, 1320, 750, 750}; },
                          designed("scenes/max100/arrow"))),
      diceimg(imageArray("diceimg", 2, [](int i) { return ui::Rect{1920 + 1200 * i, 5280, 1050, 1050}; },
                         designed("store/diceimg_1"), &max100game::diceimg_Click)),
      stopbutton(buttonArray("stopbutton", 2, [](int i) { return ui::Rect{2040 + 1200 * i, 6480, 855, 495}; }, "STOP",
                             &max100game::stopbutton_Click)),
      Label1(label("Label1", {4800, 240, 3135, 735}, "転落まで残り", ui::gothic(27.75))),
      nokorimasu(label("nokorimasu", {5520, 960, 1575, 1215}, "100", kSquaresLeftDigits, ui::Align::Center)),
      Label2(label("Label2", {7080, 1200, 1335, 735}, "マス", ui::gothic(27.75))),
      carimage(image("carimage", {0, 2760, 2100, 885}, designed("scenes/max100/car"))),
      susumukazu(label("susumukazu", {720, 2280, 375, 375}, "0", kSquaresToGoDigits, ui::Align::Center)),
      Line1(line("Line1", 480, 3480, 8640, 3480)),
      Line2(line("Line2", 8640, 3480, 8640, 3720)),
      Image1(image("Image1", {8280, 960, 1200, 1200}, designed("scenes/common/exclamation"))),
      Image2(image("Image2", {8760, 4320, 885, 2100}, designed("scenes/max100/car_fallen"))),
      Image3(image("Image3", {960, 2160, 7500, 2775})),
      Label3(label("Label3", {2400, 4800, 1575, 375}, "Choice it", ui::gothic(18))),
      Command1(button("Command1", {5520, 6240, 1215, 735}, "押さないで。", &max100game::Command1_Click)),
      Command2(button("Command2", {8040, 6360, 1815, 735}, "NEXT AREA", &max100game::Command2_Click)),
      kaisiwait(timer("kaisiwait", 1000, &max100game::kaisiwait_Timer)),
      dicetimer(array<ui::Timer>("dicetimer", 2,
                                 [this](const std::string& n, int i) -> ui::Timer& { return timer(n, kDiceIntervals[i]); },
                                 &max100game::dicetimer_Timer)),
      choicemessage(timer("choicemessage", 1000, &max100game::choicemessage_Timer)),
      carsusumitimer(timer("carsusumitimer", 150, &max100game::carsusumitimer_Timer)),
      nonokaturnmati(timer("nonokaturnmati", 1000, &max100game::nonokaturnmati_Timer)),
      sumireturnmati(timer("sumireturnmati", 1000, &max100game::sumireturnmati_Timer)),
      oneriletome(timer("oneriletome", 149, &max100game::oneriletome_Timer)),
      tworiletome(timer("tworiletome", 149, &max100game::tworiletome_Timer)),
      choicemati(timer("choicemati", 1000, &max100game::choicemati_Timer)),
      rakkamati(timer("rakkamati", 1000, &max100game::rakkamati_Timer)),
      nonokawinwait(timer("nonokawinwait", 1000, &max100game::nonokawinwait_Timer)),
      sumirewinwait(timer("sumirewinwait", 1000, &max100game::sumirewinwait_Timer)),
      // Closed in the second between the fall and the losing banner: the banner must not come after all.
      revivalstory(*this, "力ずく",
                   {"乃々香「私はここで・・・負けられない！」", "ワールズ？「！？」", "乃々香「私の・・・１００％の力！！」",
                    "乃々香「おおおおおお！」", "ワールズ？「車を１人で・・・持ち上げた！？」"},
                   {&sumirewinwait}) {
    for (ui::Image& arrow : yazirusi) arrow.setVisible(false);
    for (ui::Button& stop : stopbutton) stop.setEnabled(false);
    Image1.setVisible(false);
    Image2.setVisible(false);
    Label3.setVisible(false);
    Command1.setVisible(false);
    Command2.setVisible(false);

    // Each die with its STOP below it: the arrows go from one to the other.
    ui::arrowGrid(2, ui::cellsOf(diceimg, stopbutton));
}

std::string max100game::checkInvariants() const {
    if (masunokori < 0 || masunokori > 100) return "the car is past the cliff or before the start";
    if (carimage.left() > 100 * 72) return "the car is drawn past the cliff";
    if (susumu < 0) return "a move of fewer than no squares";
    if (Command2.visible() && !Image3.picture().sameAs(sozai_.hanmark(1))) return "the way on without a win";
    return {};
}

void max100game::Form_Load() {
    Randomize();
    masurank = max100rules::masurank();
    masunokori = max100rules::kRoad;
    turn = kHeroine;
    dice = {1, 1};
    stopcount = 0;
    choiceok = 0;
    sixtysixflg = 0;
    sixtysixrate = 38;
    drawSixtysix();
    kaisiwait.setEnabled(true);
}

void max100game::drawSixtysix() {
    if (Int(Rnd() * 10000) < sixtysixrate) sixtysixflg = 1;
}

void max100game::kaisiwait_Timer() {
    for (ui::Timer& t : dicetimer) t.setEnabled(true);
    for (ui::Button& stop : stopbutton) stop.setEnabled(true);
    kaisiwait.setEnabled(false);
}

void max100game::nonokaturnmati_Timer() {
    Command1.setEnabled(true);
    sixtysixflg = 0;
    drawSixtysix();
    stopcount = 0;
    for (ui::Timer& t : dicetimer) t.setEnabled(true);
    for (ui::Button& stop : stopbutton) stop.setEnabled(true);
    nonokaturnmati.setEnabled(false);
}

void max100game::dicetimer_Timer(int k) {
    dice[k] = static_cast<short>(max100rules::nextFace(dice[k]));
    (turn == kOpponent ? enediceimg : diceimg)[k].setPicture(sozai_.diceimg(dice[k]));
}

void max100game::stopbutton_Click(int k) {
    ++stopcount;
    Command1.setEnabled(false);
    stopbutton[k].setEnabled(false);
    dicetimer[k].setEnabled(false);
    if (sixtysixflg == 1) dice[k] = 8;
    if (turn == kHeroine) diceimg[k].setPicture(sozai_.diceimg(dice[k]));
    if (stopcount == 2) choicestart();
}

void max100game::choicestart() {
    choicemessage.setEnabled(true);
    choiceflash = 0;
    choiceok = 1;
}

void max100game::choicemessage_Timer() {
    Label3.setVisible(choiceflash == 0);
    choiceflash = choiceflash == 0 ? 1 : 0;
}

void max100game::diceimg_Click(int k) {
    choicemessage.setEnabled(false);
    Label3.setVisible(false);
    if (choiceok != 1) return;
    choiceno = static_cast<short>(k);
    herotake();
}

void max100game::herotake() {
    choiceok = 0;
    susumu = static_cast<short>(max100rules::squares(dice[choiceno]));
    susumukazu.setCaption(std::to_string(susumu));
    carsusumitimer.setEnabled(true);
}

void max100game::carsusumitimer_Timer() {
    for (ui::Image& arrow : yazirusi) arrow.setVisible(false);
    --susumu;
    susumukazu.setCaption(std::to_string(susumu));
    --masunokori;
    nokorimasu.setCaption(std::to_string(masunokori));
    const int position = max100rules::kRoad - masunokori;
    carimage.setLeft(carLeft(position));
    susumukazu.setLeft(carLeft(position) + kCountAboveCar);
    // The edge ends every move, however many squares it had left: the car never passes it.
    if (susumu == 0 && masunokori != 0) nextturn();
    if (masunokori == 0) carfall();
    if (susumu == 0 || masunokori == 0) carsusumitimer.setEnabled(false);
}

void max100game::nextturn() {
    dice = {1, 1};  // the pictures keep the faces just played
    if (turn == kOpponent)
        heroturn();
    else
        eneturn();
}

void max100game::heroturn() {
    turn = kHeroine;
    Image4.setEnabled(true);
    nonokaturnmati.setEnabled(true);
}

void max100game::eneturn() {
    turn = kOpponent;
    for (int k = 0; k < 2; ++k) dicetimer[k].setInterval(kDiceIntervals[k]);
    Image4.setEnabled(false);
    sumireturnmati.setEnabled(true);
}

void max100game::sumireturnmati_Timer() {
    aimhit = 0;
    const auto rating = max100rules::rate(masurank, max100rules::kRoad - masunokori);
    bestface = static_cast<short>(rating.bestface);
    bestrank = static_cast<short>(rating.bestrank);
    aimfirst();
    if (aimhit == 0)
        aimsecond();
    else
        enetarget2 = static_cast<short>(Int(Rnd() * 7) + 1);
    spinwait = static_cast<short>(Int(Rnd() * 7) + 7);
    oneriletome.setEnabled(true);
    for (ui::Timer& t : dicetimer) t.setEnabled(true);
    sumireturnmati.setEnabled(false);
}

void max100game::aimfirst() {
    enetarget1 = static_cast<short>(max100rules::aim(bestface, app_.random()));
    if (enetarget1 == bestface) aimhit = 1;
}

void max100game::aimsecond() { enetarget2 = static_cast<short>(max100rules::aim(bestface, app_.random())); }

void max100game::oneriletome_Timer() {
    if (spinwait > 0) --spinwait;
    if (spinwait == 0 && dice[0] == enetarget1) enestop0();
}

void max100game::enestop0() {
    oneriletome.setEnabled(false);
    dicetimer[0].setEnabled(false);
    spinwait = static_cast<short>(Int(Rnd() * 7) + 7);
    tworiletome.setEnabled(true);
}

void max100game::tworiletome_Timer() {
    if (spinwait > 0) --spinwait;
    if (spinwait == 0 && dice[1] == enetarget2) enestop1();
}

void max100game::enestop1() {
    dicetimer[1].setEnabled(false);
    tworiletome.setEnabled(false);
    choicemati.setEnabled(true);
}

void max100game::choicemati_Timer() {
    if (max100rules::choose(masurank, max100rules::kRoad - masunokori, dice[0], dice[1]) == 1)
        enetake1();
    else
        enetake0();
    choicemati.setEnabled(false);
}

void max100game::enetake0() { enetake(0); }
void max100game::enetake1() { enetake(1); }

void max100game::enetake(int k) {
    yazirusi[k].setVisible(true);
    susumu = static_cast<short>(max100rules::squares(dice[k]));
    susumukazu.setCaption(std::to_string(susumu));
    carsusumitimer.setEnabled(true);
}

void max100game::carfall() { rakkamati.setEnabled(true); }

void max100game::rakkamati_Timer() {
    carimage.setVisible(false);
    susumukazu.setVisible(false);
    Image1.setVisible(true);
    Image2.setVisible(true);
    falljudge();
    rakkamati.setEnabled(false);
}

void max100game::falljudge() {
    if (turn == kOpponent)
        winstart();
    else
        losestart();
}

void max100game::winstart() { nonokawinwait.setEnabled(true); }

void max100game::losestart() {
    if (Int(Rnd() * 99) == 77) revivalstory.arm();
    sumirewinwait.setEnabled(true);
}

void max100game::nonokawinwait_Timer() {
    Line1.setVisible(false);
    Line2.setVisible(false);
    Image3.setPicture(sozai_.hanmark(1));
    Image1.setVisible(false);
    Command2.setVisible(true);
    nonokawinwait.setEnabled(false);
}

void max100game::sumirewinwait_Timer() {
    Line1.setVisible(false);
    Line2.setVisible(false);
    Image1.setVisible(false);
    Image3.setPicture(sozai_.hanmark(0));
    sumirewinwait.setEnabled(false);
}

void max100game::Image4_Click() {
    for (int k = 0; k < 2; ++k) {
        const int interval = max100rules::slowed(dicetimer[k].interval(), kDiceIntervals[k]);
        // A new interval restarts a rolling die; at the slowest one, more clicks must not hold it still.
        if (interval != dicetimer[k].interval()) dicetimer[k].setInterval(interval);
    }
}

void max100game::Image5_Click() { Command1.setVisible(true); }

void max100game::Command1_Click() {
    if (masunokori != 67 && masunokori != 68) sixtysixrate = 8508;
    sixtysixflg = 1;
}

void max100game::Command2_Click() { leave("Command2"); }

void max100game::Form_Unload(bool& cancel) {
    if (revivalstory.tell(cancel)) revival();
    // The store goes even when the window stays: the next picture the game shows loads it again.
    GameForm::Form_Unload(cancel);
}

void max100game::revival() {
    Line1.setVisible(true);
    Line2.setVisible(true);
    Image1.setVisible(false);
    Image3.setPicture({});
    masunokori = 1;
    nokorimasu.setCaption("1");
    Image2.setVisible(false);
    const int position = max100rules::kRoad - 1;
    carimage.setLeft(carLeft(position));
    carimage.setVisible(true);
    // The count rides with the car again, at rest until the opponent's move.
    susumu = 0;
    susumukazu.setCaption("0");
    susumukazu.setLeft(carLeft(position) + kCountAboveCar);
    susumukazu.setVisible(true);
    // Her dice may still hold the 66 that threw the car over; the opponent rolls them from 1, as
    // after every move.
    dice = {1, 1};
    eneturn();
}

}  // namespace games
