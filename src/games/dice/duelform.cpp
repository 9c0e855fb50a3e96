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
      opponentNameLabel(label("opponentNameLabel", layout.oppNameRect, layout.oppName)),
      opponentPicture(image("opponentPicture", {480, 360, 1500, 1500}, assets::picture(layout.portrait))),
      opponentStarPictures(array<ui::Image>("opponentStarPictures", 2,
                                  [this](const std::string& name, int i) -> ui::Image& {
                                      return image(name, {0, i == 0 ? 600 : 1080, 450, 450},
                                                   scenePicture("scenes/dice/star"));
                                  })),
      opponentResultPicture(image("opponentResultPicture", {2040, 360, 3000, 1500})),
      opponentLineLabel(label("opponentLineLabel", layout.oppmesRect, "", ui::gothic(15.75))),
      smallDicePictures(imageArray("smallDicePictures", kDice,
                             [](int i) { return ui::Rect{kSmallDie.left + 720 * i, kSmallDie.top, 600, 600}; }, {},
                             &DuelForm::onSmallDieClicked)),
      bannerPicture(image("bannerPicture", {1320, 2040, 7500, 2775})),
      throwsLeftLabels(array<ui::Label>("throwsLeftLabels", 2,
                              [this](const std::string& name, int i) -> ui::Label& {
                                  return i == 0 ? label(name, {240, 2640, 855, 375}, "あと", ui::gothic(18))
                                                : label(name, {1320, 3600, 855, 375}, "かい", ui::gothic(18));
                              })),
      throwsLeftPicture(image("throwsLeftPicture", {120, 3120, 1125, 1125}, scenePicture("store/numberimg_3"))),
      dicePictures(array<ui::Image>("dicePictures", kDice,
                               [this, &layout](const std::string& name, int i) -> ui::Image& {
                                   return image(name, {kLargeDie.left + 1440 * i, kLargeDie.top, 1050, 1050},
                                                storeFace(layout.firstFace + i));
                               })),
      heroinePicture(image("heroinePicture", {480, 5160, 1500, 1500}, scenePicture("scenes/portraits/nonoka"))),
      heroineStarPictures(array<ui::Image>("heroineStarPictures", 2,
                                     [this, &layout](const std::string& name, int i) -> ui::Image& {
                                         return image(name, i == 0 ? ui::Rect{0, 6000, 450, 450} : layout.nonokaStar1,
                                                      scenePicture("scenes/dice/star"));
                                     })),
      heroineResultPicture(image("heroineResultPicture", {2160, 5160, 3000, 1500})),
      exclamationPicture(image("exclamationPicture", layout.image4, scenePicture("scenes/common/exclamation"))),
      throwButton(button("throwButton", {5280, 6240, 1695, 495}, "Throw Dice", &DuelForm::onThrowClicked)),
      powerGauge(image("powerGauge", {3720, 6840, 6000, 150}, scenePicture("scenes/common/redbar"))),
      heroineNameLabel(label("heroineNameLabel", {840, 6720, 975, 255}, "白瀬 乃々香")),
      nextButton(button("nextButton", {8160, 6480, 1695, 615}, layout.exitCaption, &DuelForm::onNextClicked)),
      gaugeTimer(timer("gaugeTimer", 60, &DuelForm::onGaugeTick)),
      rollTimer(timer("rollTimer", 100)),
      opponentWaitTimer(timer("opponentWaitTimer", 1000, &DuelForm::onOpponentWaitTick)),
      turnChangeTimer(timer("turnChangeTimer", 2000, &DuelForm::onTurnChangeTick)),
      judgementTimer(timer("judgementTimer", 1000, &DuelForm::onJudgementTick)),
      nextBoutTimer(timer("nextBoutTimer", 1000, &DuelForm::onNextBoutTick)),
      opponentBannerTimer(timer("opponentBannerTimer", 1000, &DuelForm::onOpponentBannerTick)),
      heroineBannerTimer(timer("heroineBannerTimer", 1000, &DuelForm::onHeroineBannerTick)),
      exclamationTimer(timer("exclamationTimer", 1000, &DuelForm::onExclamationTick)),
      rolling(rollTimer, {this, &DuelForm::dammydraw}, {this, &DuelForm::dammyshow}, {this, &DuelForm::landDice}) {
    for (ui::Label* l :
         {&opponentNameLabel, &opponentLineLabel, &throwsLeftLabels[0], &throwsLeftLabels[1], &heroineNameLabel})
        l->setForeColor(ui::kWhite);
    for (ui::Image& star : opponentStarPictures) star.setVisible(false);
    for (ui::Image& star : heroineStarPictures) star.setVisible(false);
    for (ui::Image& die : dicePictures) die.setVisible(false);
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&exclamationPicture, &throwButton, &powerGauge, &nextButton})
        c->setVisible(false);

}

ui::Timer* DuelForm::timerOf(Phase p) const {
    switch (p) {
        case Phase::OpponentWaits: return &opponentWaitTimer;
        case Phase::Rolling: return &rollTimer;
        case Phase::TurnPasses: return &turnChangeTimer;
        case Phase::HeroineAims: return &gaugeTimer;
        case Phase::Judging: return &judgementTimer;
        case Phase::NextBout: return &nextBoutTimer;
        case Phase::OpponentWonMatch: return &opponentBannerTimer;
        case Phase::HeroineWonMatch: return &heroineBannerTimer;
        case Phase::Over: break;
    }
    return nullptr;
}

void DuelForm::enter(Phase p) {
    phase_ = p;
    if (ui::Timer* t = timerOf(p)) t->setEnabled(true);
}

std::string DuelForm::checkInvariants() const {
    for (const ui::Timer* t : {&gaugeTimer, &rollTimer, &opponentWaitTimer, &turnChangeTimer, &judgementTimer,
                               &nextBoutTimer, &opponentBannerTimer, &heroineBannerTimer})
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

void DuelForm::onOpponentWaitTick() {
    --oppwaitcount;
    if (oppwaitcount == 2)
        oppmessage();
    else if (oppwaitcount == 0)
        oppthrow();
}

// Her line comes before each throw, which it counts; which line, if any, is hers to choose.
void DuelForm::oppmessage() {
    --throwleft;
    opponentLineLabel.setVisible(true);
    const int line = oppline(Int(Rnd() * 10));
    if (line >= 0) opponentLineLabel.setCaption(oppmes[static_cast<std::size_t>(line)]);
}

void DuelForm::clearOppLine() {
    opponentLineLabel.setCaption("");
    opponentLineLabel.setVisible(false);
}

short DuelForm::oppdie() { return static_cast<short>(Int(Rnd() * 6)); }

short DuelForm::rollingFace() { return static_cast<short>(Int(Rnd() * 6)); }

void DuelForm::oppthrow() {
    clearOppLine();
    opponentWaitTimer.setEnabled(false);
    for (int k = 0; k < kDice; ++k) {
        dicePictures[k].setVisible(true);
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

void DuelForm::onTurnChangeTick() {
    throwsLeftPicture.setPicture(sozai_.numberimg(3));
    turnChanging();
    for (int k = 0; k < kDice; ++k) {
        smallDicePictures[k].setPicture(sozai_.minidiceimg(dicenum[k]));
        dicePictures[k].setVisible(false);
        dicenum[k] = 0;
    }
    nonokaturn = 1;
    throwButton.setEnabled(true);
    throwButton.setVisible(true);
    powerGauge.setVisible(true);
    enter(Phase::HeroineAims);
    gauge = 0;
    throwleft = 3;
    turnChangeTimer.setEnabled(false);
}

// ---- The heroine's turn ----

void DuelForm::onGaugeTick() {
    gauge = dicerules::gaugeAfter(gauge, dicerules::gaugeStep(app_.random()));
    powerGauge.setWidth(gauge);
}

void DuelForm::onThrowClicked() {
    throwButton.setEnabled(false);
    --throwleft;
    gaugeTimer.setEnabled(false);
    playerthrow();
}

void DuelForm::playerthrow() {
    hand = dicerules::kNoHandYet;
    const dicerules::Zone zone = dicerules::zone(layout_.throwRules, gauge);
    if (zone == dicerules::Zone::Perfect) {
        exclamationPicture.setVisible(true);
        exclamationTimer.setEnabled(true);
    }
    dicenum = dicerules::throwIn(zone, layout_.throwRules, app_.random());
    for (ui::Image& die : dicePictures) die.setVisible(true);
    roll(static_cast<short>(Int(Rnd() * 13) + 7));
}

void DuelForm::playernext() {
    throwButton.setEnabled(true);
    enter(Phase::HeroineAims);  // the gauge goes on from where the click stopped it
}

void DuelForm::playerend() {
    throwButton.setVisible(false);
    enter(Phase::Judging);
    powerGauge.setVisible(false);
}

void DuelForm::onExclamationTick() {
    exclamationPicture.setVisible(false);
    exclamationTimer.setEnabled(false);
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
    for (int k = 0; k < kDice; ++k) dicePictures[k].setPicture(sozai_.diceimg(dicenum[k] + 1));
}

void DuelForm::dammyshow() {
    for (int k = 0; k < kDice; ++k) dicePictures[k].setPicture(sozai_.diceimg(dammynum[k] + 1));
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
    throwsLeftPicture.setPicture(sozai_.numberimg(throwleft));
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

void DuelForm::onJudgementTick() {
    switch (dicerules::judge(opphand, nonokahand)) {
        case Bout::Opponent: oppwin(); break;
        case Bout::Heroine: nonokawin(); break;
        case Bout::Draw: drawbout(); break;
    }
    judgementTimer.setEnabled(false);
}

void DuelForm::oppwin() {
    boutwon(opponentResultPicture, heroineResultPicture, opponentStarPictures, oppwins, &DuelForm::oppmatchwin);
}

void DuelForm::nonokawin() {
    boutwon(heroineResultPicture, opponentResultPicture, heroineStarPictures, nonokawins, &DuelForm::nonokamatchwin);
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
    opponentResultPicture.setPicture(sozai_.minimark(2));
    heroineResultPicture.setPicture(sozai_.minimark(2));
    nextbout();
}

void DuelForm::nextbout() { enter(Phase::NextBout); }

void DuelForm::onNextBoutTick() {
    throwsLeftPicture.setPicture(sozai_.numberimg(3));
    for (int k = 0; k < kDice; ++k) {
        smallDicePictures[k].setPicture(sozai_.diceimg(0));
        dicePictures[k].setVisible(false);
        dicenum[k] = 0;
    }
    nonokaturn = 0;
    throwleft = 3;
    opponentResultPicture.setPicture(sozai_.diceimg(0));
    heroineResultPicture.setPicture(sozai_.diceimg(0));
    nextBoutBegins();
    oppwaitcount = 3;
    enter(Phase::OpponentWaits);
    nextBoutTimer.setEnabled(false);
}

void DuelForm::oppmatchwin() { enter(Phase::OpponentWonMatch); }

void DuelForm::nonokamatchwin() { enter(Phase::HeroineWonMatch); }

void DuelForm::matchEnds() {
    for (ui::Image& die : dicePictures) die.setVisible(false);
    for (ui::Image& die : smallDicePictures) die.setVisible(false);
    opponentResultPicture.setVisible(false);
    heroineResultPicture.setVisible(false);
}

void DuelForm::onOpponentBannerTick() {
    matchEnds();
    heroinePicture.setVisible(false);
    heroineNameLabel.setVisible(false);
    bannerPicture.setPicture(sozai_.hanmark(0));
    opponentBannerTimer.setEnabled(false);
    phase_ = Phase::Over;
}

void DuelForm::onHeroineBannerTick() {
    matchEnds();
    opponentPicture.setVisible(false);
    opponentNameLabel.setVisible(false);
    bannerPicture.setPicture(sozai_.hanmark(1));
    showExit();
    heroineBannerTimer.setEnabled(false);
    phase_ = Phase::Over;
}

void DuelForm::showExit() { nextButton.setVisible(true); }

}  // namespace games
