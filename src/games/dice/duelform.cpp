#include "games/dice/duelform.h"

#include "assets/library.h"

namespace games {

namespace {
using dicerules::Bout;

constexpr ui::Rect kSmallDie{5520, 720, 600, 600};  // the first; the others follow at 720 twips
constexpr ui::Rect kLargeDie{3480, 2880, 1050, 1050};  // the first; the others follow at 1440 twips
constexpr int kDice = 3;

ui::Picture scenePicture(const char* name) { return assets::picture(name); }
ui::Picture storeFace(int pips) { return assets::picture("store/diceimg_" + std::to_string(pips)); }
}  // namespace

DuelForm::DuelForm(app::App& app, assets::Sozai& sozai, const DuelLayout& layout)
    : GameForm(app, sozai, layout.form),
      layout_(layout),
      Label1(label("Label1", layout.oppNameRect, layout.oppName)),
      Image1(image("Image1", {480, 360, 1500, 1500}, assets::picture(layout.portrait))),
      oppstarimg(array<ui::Image>(layout.opponent + "starimg", 2,
                                  [this](const std::string& name, int i) -> ui::Image& {
                                      return image(name, {0, i == 0 ? 600 : 1080, 450, 450},
                                                   scenePicture("scenes/dice/star"));
                                  })),
      oppkekka(image(layout.opponent + "kekka", {2040, 360, 3000, 1500})),
      oppmesLabel(label(layout.opponent + "mes", layout.oppmesRect, "", ui::gothic(15.75))),
      minidiceimg(imageArray("minidiceimg", kDice,
                             [](int i) { return ui::Rect{kSmallDie.left + 720 * i, kSmallDie.top, 600, 600}; }, {},
                             &DuelForm::minidiceimg_Click)),
      Image3(image("Image3", {1320, 2040, 7500, 2775})),
      Label3(array<ui::Label>("Label3", 2,
                              [this](const std::string& name, int i) -> ui::Label& {
                                  return i == 0 ? label(name, {240, 2640, 855, 375}, "あと", ui::gothic(18))
                                                : label(name, {1320, 3600, 855, 375}, "かい", ui::gothic(18));
                              })),
      lastthrow(image("lastthrow", {120, 3120, 1125, 1125}, scenePicture("store/numberimg_3"))),
      diceimg(array<ui::Image>("diceimg", kDice,
                               [this, &layout](const std::string& name, int i) -> ui::Image& {
                                   return image(name, {kLargeDie.left + 1440 * i, kLargeDie.top, 1050, 1050},
                                                storeFace(layout.firstFace + i));
                               })),
      Image2(image("Image2", {480, 5160, 1500, 1500}, scenePicture("scenes/portraits/nonoka"))),
      nonokastarimg(array<ui::Image>("nonokastarimg", 2,
                                     [this, &layout](const std::string& name, int i) -> ui::Image& {
                                         return image(name, i == 0 ? ui::Rect{0, 6000, 450, 450} : layout.nonokaStar1,
                                                      scenePicture("scenes/dice/star"));
                                     })),
      nonokakekka(image("nonokakekka", {2160, 5160, 3000, 1500})),
      Image4(image("Image4", layout.image4, scenePicture("scenes/common/exclamation"))),
      throwbutton(button("throwbutton", {5280, 6240, 1695, 495}, "Throw Dice", &DuelForm::throwbutton_Click)),
      powergage(image("powergage", {3720, 6840, 6000, 150}, scenePicture("scenes/common/redbar"))),
      Label2(label("Label2", {840, 6720, 975, 255}, "白瀬 乃々香")),
      Command1(button("Command1", {8160, 6480, 1695, 615}, layout.exitCaption, &DuelForm::Command1_Click)),
      gagetimer(timer("gagetimer", 60, &DuelForm::gagetimer_Timer)),
      dammytimer(timer("dammytimer", 100)),
      oppwaittimer(timer(layout.opponent + "waittimer", 1000, &DuelForm::oppwaittimer_Timer)),
      turnwaittimer(timer("turnwaittimer", 2000, &DuelForm::turnwaittimer_Timer)),
      hanteiwaittimer(timer("hanteiwaittimer", 1000, &DuelForm::hanteiwaittimer_Timer)),
      syobureplaytimer(timer("syobureplaytimer", 1000, &DuelForm::syobureplaytimer_Timer)),
      totaloppwintimer(timer("total" + layout.opponent + "wintimer", 1000, &DuelForm::totaloppwintimer_Timer)),
      totalnonokawintimer(timer("totalnonokawintimer", 1000, &DuelForm::totalnonokawintimer_Timer)),
      image4deletimer(timer("image4deletimer", 1000, &DuelForm::image4deletimer_Timer)),
      rolling(dammytimer, {this, &DuelForm::dammydraw}, {this, &DuelForm::dammyshow}, {this, &DuelForm::landDice}) {
    for (ui::Label* l : {&Label1, &oppmesLabel, &Label3[0], &Label3[1], &Label2}) l->setForeColor(ui::kWhite);
    for (ui::Image& star : oppstarimg) star.setVisible(false);
    for (ui::Image& star : nonokastarimg) star.setVisible(false);
    for (ui::Image& die : diceimg) die.setVisible(false);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Image4, &throwbutton, &powergage, &Command1})
        c->setVisible(false);

}

ui::Timer* DuelForm::timerOf(Phase p) const {
    switch (p) {
        case Phase::OpponentWaits: return &oppwaittimer;
        case Phase::Rolling: return &dammytimer;
        case Phase::TurnPasses: return &turnwaittimer;
        case Phase::HeroineAims: return &gagetimer;
        case Phase::Judging: return &hanteiwaittimer;
        case Phase::NextBout: return &syobureplaytimer;
        case Phase::OpponentWonMatch: return &totaloppwintimer;
        case Phase::HeroineWonMatch: return &totalnonokawintimer;
        case Phase::Over: break;
    }
    return nullptr;
}

void DuelForm::enter(Phase p) {
    phase_ = p;
    if (ui::Timer* t = timerOf(p)) t->setEnabled(true);
}

std::string DuelForm::checkInvariants() const {
    for (const ui::Timer* t : {&gagetimer, &dammytimer, &oppwaittimer, &turnwaittimer, &hanteiwaittimer,
                               &syobureplaytimer, &totaloppwintimer, &totalnonokawintimer})
        if (t->enabled() && t != timerOf(phase_)) return "a step of the duel runs outside its phase";
    if (gauge < 0 || gauge > 6000) return "the gauge is off its bar";
    if (oppwins < 0 || oppwins > 2 || nonokawins < 0 || nonokawins > 2) return "a bout count out of 0..2";
    return {};
}

void DuelForm::Form_Load() {
    Randomize();
    throwleft = 3;
    oppwins = 0;
    nonokawins = 0;
    dealOpponent();
    oppmes = layout_.oppmes;
    oppwaitcount = 3;
    enter(Phase::OpponentWaits);
}

// ---- The opponent's turn ----

void DuelForm::oppwaittimer_Timer() {
    --oppwaitcount;
    if (oppwaitcount == 2)
        oppmessage();
    else if (oppwaitcount == 0)
        oppthrow();
}

// Her line comes before each throw, which it counts; which line, if any, is hers to choose.
void DuelForm::oppmessage() {
    --throwleft;
    oppmesLabel.setVisible(true);
    const int line = oppline(Int(Rnd() * 10));
    if (line >= 0) oppmesLabel.setCaption(oppmes[static_cast<std::size_t>(line)]);
}

void DuelForm::clearOppLine() {
    oppmesLabel.setCaption("");
    oppmesLabel.setVisible(false);
}

short DuelForm::oppdie() { return static_cast<short>(Int(Rnd() * 6)); }

short DuelForm::rollingFace() { return static_cast<short>(Int(Rnd() * 6)); }

void DuelForm::oppthrow() {
    clearOppLine();
    oppwaittimer.setEnabled(false);
    for (int k = 0; k < kDice; ++k) {
        diceimg[k].setVisible(true);
        dicenum[k] = oppdie();
    }
    hand = dicerules::kNoHandYet;
    roll(oppRollTicks(static_cast<short>(Int(Rnd() * 13) + 7)));
}

void DuelForm::oppnext() {
    oppwaitcount = 3;
    enter(Phase::OpponentWaits);
}

void DuelForm::oppend() { enter(Phase::TurnPasses); }

void DuelForm::turnwaittimer_Timer() {
    lastthrow.setPicture(sozai_.numberimg(3));
    turnChanging();
    for (int k = 0; k < kDice; ++k) {
        minidiceimg[k].setPicture(sozai_.minidiceimg(dicenum[k]));
        diceimg[k].setVisible(false);
        dicenum[k] = 0;
    }
    nonokaturn = 1;
    throwbutton.setEnabled(true);
    throwbutton.setVisible(true);
    powergage.setVisible(true);
    enter(Phase::HeroineAims);
    gauge = 0;
    throwleft = 3;
    turnwaittimer.setEnabled(false);
}

// ---- The heroine's turn ----

void DuelForm::gagetimer_Timer() {
    gauge = dicerules::gaugeAfter(gauge, dicerules::gaugeStep(app_.random()));
    powergage.setWidth(gauge);
}

void DuelForm::throwbutton_Click() {
    throwbutton.setEnabled(false);
    --throwleft;
    gagetimer.setEnabled(false);
    playerthrow();
}

void DuelForm::playerthrow() {
    hand = dicerules::kNoHandYet;
    const dicerules::Zone zone = dicerules::zone(layout_.throwRules, gauge);
    if (zone == dicerules::Zone::Perfect) {
        Image4.setVisible(true);
        image4deletimer.setEnabled(true);
    }
    dicenum = dicerules::throwIn(zone, layout_.throwRules, app_.random());
    for (ui::Image& die : diceimg) die.setVisible(true);
    roll(static_cast<short>(Int(Rnd() * 13) + 7));
}

void DuelForm::playernext() {
    throwbutton.setEnabled(true);
    enter(Phase::HeroineAims);  // the gauge goes on from where the click stopped it
}

void DuelForm::playerend() {
    throwbutton.setVisible(false);
    enter(Phase::Judging);
    powergage.setVisible(false);
}

void DuelForm::image4deletimer_Timer() {
    Image4.setVisible(false);
    image4deletimer.setEnabled(false);
}

// ---- Either side's throw ----

void DuelForm::roll(short ticks) {
    phase_ = Phase::Rolling;
    rolling.start(ticks);
}

void DuelForm::landDice() {
    diceshow();
    yakucheck();
}

void DuelForm::dammydraw() {
    for (short& face : dammynum) face = rollingFace();
}

void DuelForm::diceshow() {
    for (int k = 0; k < kDice; ++k) diceimg[k].setPicture(sozai_.diceimg(dicenum[k] + 1));
}

void DuelForm::dammyshow() {
    for (int k = 0; k < kDice; ++k) diceimg[k].setPicture(sozai_.diceimg(dammynum[k] + 1));
}

void DuelForm::yakucheck() {
    hand = dicerules::yakucheck(dicenum);
    if (hand >= 1)
        yakuset();
    else if (throwleft != 0)
        nextthrow();
    else
        menashi();
}

void DuelForm::menashi() {
    hand = dicerules::kNoHand;
    yakuset();
}

void DuelForm::nextthrow() {
    lastthrow.setPicture(sozai_.numberimg(throwleft));
    if (nonokaturn != 0)
        playernext();
    else
        oppnext();
}

void DuelForm::yakuset() {
    if (nonokaturn != 0) {
        nonokahand = hand;
        playerend();
    } else {
        opphand = hand;
        oppend();
    }
}

// ---- The bout and the match ----

void DuelForm::hanteiwaittimer_Timer() {
    switch (dicerules::judge(opphand, nonokahand)) {
        case Bout::Opponent: oppwin(); break;
        case Bout::Heroine: nonokawin(); break;
        case Bout::Draw: drawbout(); break;
    }
    hanteiwaittimer.setEnabled(false);
}

void DuelForm::oppwin() { boutwon(oppkekka, nonokakekka, oppstarimg, oppwins, &DuelForm::oppmatchwin); }

void DuelForm::nonokawin() {
    boutwon(nonokakekka, oppkekka, nonokastarimg, nonokawins, &DuelForm::nonokamatchwin);
}

// The winner's mark, the loser's, a star for the winner; the second star takes the match.
void DuelForm::boutwon(ui::Image& winnerMark, ui::Image& loserMark, ui::ControlArray<ui::Image>& stars, short& wins,
                       void (DuelForm::*matchwon)()) {
    winnerMark.setPicture(sozai_.minimark(0));
    loserMark.setPicture(sozai_.minimark(1));
    stars[wins].setVisible(true);
    ++wins;
    if (wins == 2)
        (this->*matchwon)();
    else
        nextbout();
}

void DuelForm::drawbout() {
    oppkekka.setPicture(sozai_.minimark(2));
    nonokakekka.setPicture(sozai_.minimark(2));
    nextbout();
}

void DuelForm::nextbout() { enter(Phase::NextBout); }

void DuelForm::syobureplaytimer_Timer() {
    lastthrow.setPicture(sozai_.numberimg(3));
    for (int k = 0; k < kDice; ++k) {
        minidiceimg[k].setPicture(sozai_.diceimg(0));
        diceimg[k].setVisible(false);
        dicenum[k] = 0;
    }
    nonokaturn = 0;
    throwleft = 3;
    oppkekka.setPicture(sozai_.diceimg(0));
    nonokakekka.setPicture(sozai_.diceimg(0));
    nextBoutBegins();
    oppwaitcount = 3;
    enter(Phase::OpponentWaits);
    syobureplaytimer.setEnabled(false);
}

void DuelForm::oppmatchwin() { enter(Phase::OpponentWonMatch); }

void DuelForm::nonokamatchwin() { enter(Phase::HeroineWonMatch); }

void DuelForm::matchEnds() {
    for (ui::Image& die : diceimg) die.setVisible(false);
    for (ui::Image& die : minidiceimg) die.setVisible(false);
    oppkekka.setVisible(false);
    nonokakekka.setVisible(false);
}

void DuelForm::totaloppwintimer_Timer() {
    matchEnds();
    Image2.setVisible(false);
    Label2.setVisible(false);
    Image3.setPicture(sozai_.hanmark(0));
    totaloppwintimer.setEnabled(false);
    phase_ = Phase::Over;
}

void DuelForm::totalnonokawintimer_Timer() {
    matchEnds();
    Image1.setVisible(false);
    Label1.setVisible(false);
    Image3.setPicture(sozai_.hanmark(1));
    showExit();
    totalnonokawintimer.setEnabled(false);
    phase_ = Phase::Over;
}

void DuelForm::showExit() { Command1.setVisible(true); }

}  // namespace games
