#include "games/dice/duelform.h"

#include "assets/library.h"
#include "ui/keys.h"

namespace games {

namespace {
using dicerules::Bout;
using dicerules::kBoutsToWin;
using dicerules::kThrowsPerTurn;

constexpr ui::Rect kSmallDie{5520, 720, 600, 600};     // the first; the others follow at 720 twips
constexpr ui::Rect kLargeDie{3480, 2880, 1050, 1050};  // the first; the others follow at 1440 twips
constexpr int kDice = 3;

// She waits this many seconds before each throw, and speaks after the first.
constexpr int kOpponentWaitSeconds = 3;
constexpr int kLineAtSecondsLeft = 2;
// Loaded dice wait on the table showing fours as a bout begins.
constexpr int kLoadedWaitingPips = 4;

constexpr const char* kHeroine = "乃々香";

ui::Picture scenePicture(const char* name) { return assets::picture(name); }
ui::Picture storeFace(int pips) { return assets::picture("store/diceimg_" + std::to_string(pips)); }
ui::Picture storeNumber(int n) { return assets::picture("store/numberimg_" + std::to_string(n)); }
}  // namespace

DuelForm::DuelForm(app::App& app, assets::Sozai& sozai, const DuelLayout& layout)
    : GameForm(app, sozai, layout.form),
      layout_(layout),
      opponentNameLabel(label("opponentNameLabel", layout.opponentNameRect, layout.opponentName)),
      opponentPicture(image("opponentPicture", {480, 360, 1500, 1500}, assets::picture(layout.opponentPortrait))),
      opponentStarPictures(
          array<ui::Image>("opponentStarPictures", kBoutsToWin,
                           [this](const std::string& name, int i) -> ui::Image& {
                               return image(name, {0, i == 0 ? 600 : 1080, 450, 450}, scenePicture("scenes/dice/star"));
                           })),
      opponentResultPicture(image("opponentResultPicture", {2040, 360, 3000, 1500})),
      opponentLineLabel(label("opponentLineLabel", layout.opponentLineRect, "", ui::gothic(15.75))),
      smallDicePictures(imageArray(
          "smallDicePictures", kDice,
          [](int i) {
              return ui::Rect{kSmallDie.left + 720 * i, kSmallDie.top, 600, 600};
          },
          {}, &DuelForm::onSmallDieClicked)),
      bannerPicture(image("bannerPicture", {1320, 2040, 7500, 2775})),
      throwsLeftLabels(array<ui::Label>("throwsLeftLabels", 2,
                                        [this](const std::string& name, int i) -> ui::Label& {
                                            return i == 0 ? label(name, {240, 2640, 855, 375}, "あと", ui::gothic(18))
                                                          : label(name, {1320, 3600, 855, 375}, "かい", ui::gothic(18));
                                        })),
      throwsLeftPicture(image("throwsLeftPicture", {120, 3120, 1125, 1125}, storeNumber(kThrowsPerTurn))),
      dicePictures(array<ui::Image>(
          "dicePictures", kDice,
          [this, &layout](const std::string& name, int i) -> ui::Image& {
              return image(name, {kLargeDie.left + 1440 * i, kLargeDie.top, 1050, 1050}, storeFace(layout.firstFace + i));
          })),
      heroinePicture(image("heroinePicture", {480, 5160, 1500, 1500}, scenePicture("scenes/portraits/nonoka"))),
      heroineStarPictures(array<ui::Image>("heroineStarPictures", kBoutsToWin,
                                           [this, &layout](const std::string& name, int i) -> ui::Image& {
                                               return image(name, i == 0 ? ui::Rect{0, 6000, 450, 450} : layout.heroineSecondStar,
                                                            scenePicture("scenes/dice/star"));
                                           })),
      heroineResultPicture(image("heroineResultPicture", {2160, 5160, 3000, 1500})),
      exclamationPicture(image("exclamationPicture", layout.exclamationRect, scenePicture("scenes/common/exclamation"))),
      throwButton(button("throwButton", {5280, 6240, 1695, 495}, "Throw Dice", &DuelForm::onThrowClicked)),
      powerGauge(image("powerGauge", {3720, 6840, dicerules::kGaugeFull, 150}, scenePicture("scenes/common/redbar"))),
      heroineNameLabel(label("heroineNameLabel", {840, 6720, 975, 255}, "白瀬 乃々香")),
      nextButton(button("nextButton", {8160, 6480, 1695, 615}, layout.nextCaption, &DuelForm::onNextClicked)),
      gaugeTimer(timer("gaugeTimer", dicerules::kGaugeTickMs, &DuelForm::onGaugeTick)),
      rollTimer(timer("rollTimer", 100)),
      opponentWaitTimer(timer("opponentWaitTimer", 1000, &DuelForm::onOpponentWaitTick)),
      turnChangeTimer(timer("turnChangeTimer", 2000, &DuelForm::onTurnChangeTick)),
      judgementTimer(timer("judgementTimer", 1000, &DuelForm::onJudgementTick)),
      nextBoutTimer(timer("nextBoutTimer", 1000, &DuelForm::onNextBoutTick)),
      opponentBannerTimer(timer("opponentBannerTimer", 1000, &DuelForm::onOpponentBannerTick)),
      heroineBannerTimer(timer("heroineBannerTimer", 1000, &DuelForm::onHeroineBannerTick)),
      exclamationTimer(timer("exclamationTimer", 1000, &DuelForm::onExclamationTick)),
      rolling(rollTimer, {this, &DuelForm::drawRollingFaces}, {this, &DuelForm::showRollingFaces}, {this, &DuelForm::land}) {
    for (ui::Image& die : smallDicePictures) die.setSecret();
    // The bouts won; and her line, which one layout leaves up and the other takes down.
    carryOver(ui::cellsOf(opponentStarPictures, heroineStarPictures));
    carryOver({&opponentLineLabel});
    for (ui::Label* l : {&opponentNameLabel, &opponentLineLabel, &throwsLeftLabels[0], &throwsLeftLabels[1], &heroineNameLabel})
        l->setForeColor(ui::kWhite);
    for (ui::Image& star : opponentStarPictures) star.setVisible(false);
    for (ui::Image& star : heroineStarPictures) star.setVisible(false);
    for (ui::Image& die : dicePictures) die.setVisible(false);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&exclamationPicture, &throwButton, &powerGauge, &nextButton})
        c->setVisible(false);
    for (int i = 0; i < kBoutsToWin; ++i) {
        opponentStarPictures[i].setSpokenName(layout.opponentName + "の星" + std::to_string(i + 1) + "つ目");
        heroineStarPictures[i].setSpokenName(std::string(kHeroine) + "の星" + std::to_string(i + 1) + "つ目");
    }
    nameResults("", "");
    nameThrowsLeft(kThrowsPerTurn);
    powerGauge.setSpokenName("投げる力のゲージ");
    setKeyPreview(true);
}

// ---- The defaults: the fair duel ----

bool DuelForm::loadsDice(int) { return false; }
void DuelForm::turnPassed(short) {}
int DuelForm::gaugeTickAfterClick(int, int tickMs) const { return tickMs; }
void DuelForm::opponentWonMatch() {}
ui::Button& DuelForm::exitAfterWin(ui::Button& next) { return next; }

// ---- What the variants may do ----

void DuelForm::sayLine(const std::string& words) {
    opponentLineLabel.setCaption(words);
    if (!words.empty()) unheardLine_ = words;
}

std::string DuelForm::takeHeardLine() {
    std::string heard = unheardLine_.empty() ? "" : layout_.opponentName + "「" + unheardLine_ + "」";
    unheardLine_.clear();
    return heard;
}

void DuelForm::nameResults(const std::string& opponentWords, const std::string& heroineWords) {
    opponentResultPicture.setSpokenName(layout_.opponentName + "の結果" + (opponentWords.empty() ? "" : " ") + opponentWords);
    heroineResultPicture.setSpokenName(std::string(kHeroine) + "の結果" + (heroineWords.empty() ? "" : " ") + heroineWords);
}

void DuelForm::nameThrowsLeft(int n) { throwsLeftPicture.setSpokenName("あと" + std::to_string(n) + "回"); }

std::string DuelForm::sideOnTurn() const { return isHeroinesTurn_ ? kHeroine : layout_.opponentName; }

void DuelForm::heroineWinsMatch() { phases_.enter(Phase::HeroineWonMatch); }

// ---- What always holds ----

std::string DuelForm::checkInvariants() const {
    if (!phases_.onlyItsOwnTimersRun()) return "a step of the duel runs outside its phase";
    if ((phases_.current() == Phase::HeroineAims) != (throwButton.visible() && throwButton.enabled()))
        return "the throw button can be pressed outside the heroine's aim";
    if (gauge_ < 0 || gauge_ > dicerules::kGaugeFull) return "the gauge is off its bar";
    if (opponentWins_ < 0 || opponentWins_ > kBoutsToWin || heroineWins_ < 0 || heroineWins_ > kBoutsToWin)
        return "a bout count out of 0..2";
    return {};
}

void DuelForm::onLoad() {
    random().reseed();
    hasLoadedDice_ = loadsDice(bout_);
    opponentWaitSeconds_ = kOpponentWaitSeconds;
    phases_.enter(Phase::OpponentWaits);
    roundBegins();
    announce("先に" + std::to_string(kBoutsToWin) + "勝したほうの勝ち、" + layout_.opponentName + "が先に投げる");
}

// Space throws while she aims, wherever the focus is: her button gives the focus up at every throw,
// and a listener should not have to find it again against the running gauge.
void DuelForm::onKeyDown(ui::KeyEvent& key) {
    if (key.key() != ui::Key::Space || phases_.current() != Phase::HeroineAims) return;
    key.accept();
    onThrowClicked();
}

// ---- The opponent's turn ----

void DuelForm::onOpponentWaitTick() {
    --opponentWaitSeconds_;
    if (opponentWaitSeconds_ == kLineAtSecondsLeft)
        opponentSpeaks();
    else if (opponentWaitSeconds_ == 0)
        opponentThrows();
}

// Her line comes before each throw, which it counts; which line, if any, is hers to choose.
void DuelForm::opponentSpeaks() {
    --throwsLeft_;
    opponentLineLabel.setVisible(true);
    const int line = lineBeforeThrow({random().below(10), throwsLeft_, opponentWins_, hasLoadedDice_});
    if (line >= 0) sayLine(layout_.opponentLines[static_cast<std::size_t>(line)]);
    if (const std::string heard = takeHeardLine(); !heard.empty()) announce(heard);
}

void DuelForm::opponentThrows() {
    sayLine("");
    if (!layout_.lineStaysShown) opponentLineLabel.setVisible(false);
    for (ui::Image& die : dicePictures) die.setVisible(true);
    dice_ = hasLoadedDice_ ? dicerules::loadedThrow(app_.random()) : dicerules::fairThrow(app_.random());
    const short frames = dicerules::rollFrames(app_.random());  // drawn for loaded dice too
    roll(hasLoadedDice_ ? dicerules::kLoadedRollFrames : frames);
}

void DuelForm::onTurnChangeTick() {
    throwsLeftPicture.setPicture(sozai_.numberimg(kThrowsPerTurn));
    nameThrowsLeft(kThrowsPerTurn);
    turnPassed(opponentHand_);
    // The gauge sweeps too fast to follow by ear: a listener is told only how to throw.
    const std::string grin = takeHeardLine();
    announce((grin.empty() ? "" : grin + "、") + kHeroine + "の番、スペースで投げる");
    for (int k = 0; k < kDice; ++k) {
        smallDicePictures[k].setPicture(sozai_.minidiceimg(dice_[k]));
        dicePictures[k].setVisible(false);
    }
    isHeroinesTurn_ = true;
    throwButton.setEnabled(true);
    throwButton.setVisible(true);
    powerGauge.setVisible(true);
    gauge_ = 0;  // the bar keeps its width until the first tick
    throwsLeft_ = kThrowsPerTurn;
    phases_.enter(Phase::HeroineAims);
}

// ---- The heroine's turn ----

void DuelForm::onGaugeTick() {
    gauge_ = dicerules::gaugeAfter(gauge_, dicerules::gaugeStep(app_.random()));
    powerGauge.setWidth(gauge_);
}

void DuelForm::onSmallDieClicked(int die) {
    const int tick = gaugeTickAfterClick(die, gaugeTimer.interval());
    if (tick != gaugeTimer.interval()) gaugeTimer.setInterval(tick);
}

void DuelForm::onThrowClicked() {
    throwButton.setEnabled(false);
    --throwsLeft_;
    heroineThrows();
}

void DuelForm::heroineThrows() {
    const dicerules::Zone zone = dicerules::zone(layout_.throwRules, gauge_);
    if (zone == dicerules::Zone::Perfect) {
        exclamationPicture.setVisible(true);
        exclamationTimer.setEnabled(true);
    }
    dice_ = dicerules::throwIn(zone, layout_.throwRules, app_.random());
    for (ui::Image& die : dicePictures) die.setVisible(true);
    roll(dicerules::rollFrames(app_.random()));
}

void DuelForm::onExclamationTick() {
    exclamationPicture.setVisible(false);
    exclamationTimer.setEnabled(false);
}

// ---- Either side's throw ----

void DuelForm::roll(short frames) {
    phases_.enter(Phase::Rolling);
    rolling.start(frames);
}

// Her loaded dice roll loaded faces too; the heroine's always roll fair ones.
void DuelForm::drawRollingFaces() {
    rollingFaces_ =
        hasLoadedDice_ && !isHeroinesTurn_ ? dicerules::loadedThrow(app_.random()) : dicerules::fairThrow(app_.random());
}

void DuelForm::showRollingFaces() {
    for (int k = 0; k < kDice; ++k) dicePictures[k].setFrame(sozai_.diceimg(rollingFaces_[k] + 1));
}

void DuelForm::land() {
    for (int k = 0; k < kDice; ++k) dicePictures[k].setPicture(sozai_.diceimg(dice_[k] + 1));
    const short hand = dicerules::handOf(dice_);
    const bool throwsAgain = hand == dicerules::kNoHandYet && throwsLeft_ != 0;
    announce(sideOnTurn() + "、" + dicerules::throwWords(dice_, hand) +
             (throwsAgain ? "、あと" + std::to_string(throwsLeft_) + "回" : ""));
    if (hand != dicerules::kNoHandYet)
        turnEnds(hand);
    else if (throwsLeft_ != 0)
        throwAgain();
    else
        turnEnds(dicerules::kNoHand);
}

void DuelForm::throwAgain() {
    throwsLeftPicture.setPicture(sozai_.numberimg(throwsLeft_));
    nameThrowsLeft(throwsLeft_);
    if (isHeroinesTurn_) {
        throwButton.setEnabled(true);
        phases_.enter(Phase::HeroineAims);  // the gauge goes on from where the click stopped it
    } else {
        opponentWaitSeconds_ = kOpponentWaitSeconds;
        phases_.enter(Phase::OpponentWaits);
    }
}

void DuelForm::turnEnds(short hand) {
    if (isHeroinesTurn_) {
        heroineHand_ = hand;
        throwButton.setVisible(false);
        phases_.enter(Phase::Judging);
        powerGauge.setVisible(false);
    } else {
        opponentHand_ = hand;
        phases_.enter(Phase::TurnPasses);
    }
}

// ---- The bout and the match ----

void DuelForm::onJudgementTick() {
    const Bout bout = dicerules::judge(opponentHand_, heroineHand_);
    if (bout == Bout::Draw) {
        nameResults("引き分け", "引き分け");
        announce("引き分け、もう一度");
    } else {
        const bool heroineWon = bout == Bout::Heroine;
        nameResults(heroineWon ? "負け" : "勝ち", heroineWon ? "勝ち" : "負け");
        announce((heroineWon ? kHeroine : layout_.opponentName) + "の勝ち、" + kHeroine +
                 std::to_string(heroineWins_ + heroineWon) + "勝、" + layout_.opponentName +
                 std::to_string(opponentWins_ + !heroineWon) + "勝");
    }
    switch (bout) {
        case Bout::Opponent:
            boutWon(opponentResultPicture, heroineResultPicture, opponentStarPictures, opponentWins_, Phase::OpponentWonMatch);
            break;
        case Bout::Heroine:
            boutWon(heroineResultPicture, opponentResultPicture, heroineStarPictures, heroineWins_, Phase::HeroineWonMatch);
            break;
        case Bout::Draw:
            opponentResultPicture.setPicture(sozai_.boutMark(assets::BoutMark::Drawn));
            heroineResultPicture.setPicture(sozai_.boutMark(assets::BoutMark::Drawn));
            phases_.enter(Phase::NextBout);
            break;
    }
}

// The winner's mark, the loser's, a star for the winner; the second star takes the match.
void DuelForm::boutWon(ui::Image& winnerMark, ui::Image& loserMark, ui::ControlArray<ui::Image>& stars, int& wins,
                       Phase matchWon) {
    winnerMark.setPicture(sozai_.boutMark(assets::BoutMark::Won));
    loserMark.setPicture(sozai_.boutMark(assets::BoutMark::Lost));
    stars[wins].setVisible(true);
    ++wins;
    if (wins < kBoutsToWin) {
        phases_.enter(Phase::NextBout);
        return;
    }
    if (matchWon == Phase::OpponentWonMatch) opponentWonMatch();
    phases_.enter(matchWon);
}

void DuelForm::onNextBoutTick() {
    throwsLeftPicture.setPicture(sozai_.numberimg(kThrowsPerTurn));
    for (int k = 0; k < kDice; ++k) {
        smallDicePictures[k].setPicture(sozai_.diceimg(0));  // the empty picture
        dicePictures[k].setVisible(false);
    }
    isHeroinesTurn_ = false;
    throwsLeft_ = kThrowsPerTurn;
    opponentResultPicture.setPicture(sozai_.diceimg(0));
    heroineResultPicture.setPicture(sozai_.diceimg(0));
    nameResults("", "");
    nameThrowsLeft(kThrowsPerTurn);
    hasLoadedDice_ = loadsDice(++bout_);
    if (hasLoadedDice_)
        for (ui::Image& die : dicePictures) die.setPicture(sozai_.diceimg(kLoadedWaitingPips));
    opponentWaitSeconds_ = kOpponentWaitSeconds;
    phases_.enter(Phase::OpponentWaits);
    roundBegins();
}

// What either end of the match clears away: the table, and the loser.
void DuelForm::matchEnds(ui::Image& loserPicture, ui::Label& loserName, assets::Verdict verdict) {
    for (ui::Image& die : dicePictures) die.setVisible(false);
    for (ui::Image& die : smallDicePictures) die.setVisible(false);
    opponentResultPicture.setVisible(false);
    heroineResultPicture.setVisible(false);
    loserPicture.setVisible(false);
    loserName.setVisible(false);
    bannerPicture.setPicture(sozai_.banner(verdict));
}

void DuelForm::onOpponentBannerTick() {
    matchEnds(heroinePicture, heroineNameLabel, assets::Verdict::Lost);
    announceLoss("勝負あり、" + layout_.opponentName + "の勝ち、" + kHeroine + "の負け");
    phases_.enter(Phase::Over);
}

void DuelForm::onHeroineBannerTick() {
    matchEnds(opponentPicture, opponentNameLabel, assets::Verdict::Won);
    // A lost match overturned after its banner had taken the heroine away brings her back.
    heroinePicture.setVisible(true);
    heroineNameLabel.setVisible(true);
    ui::Button& exit = exitAfterWin(nextButton);
    showExit(exit);
    announce(std::string("勝負あり、") + kHeroine + "の勝ち、" + exit.caption() + "で次へ");
    phases_.enter(Phase::Over);
}

void DuelForm::onNextClicked() { leave("nextButton"); }

}  // namespace games
