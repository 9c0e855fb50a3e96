#include "games/puzzle/raceto100.h"

#include <string>

#include "assets/library.h"
#include "ui/keyboard.h"

namespace games {

namespace rules = raceto100rules;

namespace {

constexpr ui::Rgb kSalmon{255, 128, 128};
constexpr int kSquareTwips = 72;     // the car's step along the road
constexpr int kCountAboveCar = 720;  // the count of squares to go rides this far right of the car's left
constexpr std::array<int, 2> kDiceIntervals{45, 67};

// Our Gothic's digits are wider than those the counts were laid out for; narrowed, "100" keeps
// clear of "マス" and a 66 fits above the car, at their full height.
const ui::Font kSquaresLeftDigits = ui::condensed(ui::gothic(48), 84);
const ui::Font kSquaresToGoDigits = ui::condensed(ui::gothic(18), 80);

// The pictures the form was designed with; the store supplies every later one.
ui::Picture designed(const std::string& name) { return assets::picture(name); }

int carLeft(int position) { return position * kSquareTwips; }

// Where die i of each pair stands, and what goes with it.
ui::Rect opponentDie(int i) { return {1920 + 1200 * i, 120, 1050, 1050}; }
ui::Rect choiceArrow(int i) { return {2040 + 1200 * i, 1320, 750, 750}; }
ui::Rect heroineDie(int i) { return {1920 + 1200 * i, 5280, 1050, 1050}; }
ui::Rect stopButton(int i) { return {2040 + 1200 * i, 6480, 855, 495}; }

}  // namespace

RaceTo100::RaceTo100(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai,
               {.name = kName, .caption = "１００を越えるな", .background = kSalmon, .codeRect = {8640, 0, 1335, 255}}),
      opponentPicture(image("opponentPicture", {120, 240, 1500, 1500}, designed("scenes/portraits/sumire_masked"),
                            &RaceTo100::onOpponentPictureClicked)),
      heroinePicture(image("heroinePicture", {120, 5160, 1500, 1500}, designed("scenes/portraits/nonoka"),
                           &RaceTo100::onHeroinePictureClicked)),
      opponentDicePictures(imageArray("opponentDicePictures", 2, opponentDie, designed("store/diceimg_7"))),
      choiceArrowPictures(imageArray("choiceArrowPictures", 2, choiceArrow, designed("scenes/max100/arrow"))),
      heroineDicePictures(
          imageArray("heroineDicePictures", 2, heroineDie, designed("store/diceimg_1"), &RaceTo100::onHeroineDieClicked)),
      stopButtons(buttonArray("stopButtons", 2, stopButton, "STOP", &RaceTo100::onStopClicked)),
      untilFallLabel(label("untilFallLabel", {4800, 240, 3135, 735}, "転落まで残り", ui::gothic(27.75))),
      squaresLeftLabel(label("squaresLeftLabel", {5520, 960, 1575, 1215}, std::to_string(rules::kRoad), kSquaresLeftDigits,
                             ui::Align::Center)),
      squaresUnitLabel(label("squaresUnitLabel", {7080, 1200, 1335, 735}, "マス", ui::gothic(27.75))),
      carPicture(image("carPicture", {0, 2760, 2100, 885}, designed("scenes/max100/car"))),
      squaresToGoLabel(label("squaresToGoLabel", {720, 2280, 375, 375}, "0", kSquaresToGoDigits, ui::Align::Center)),
      roadLine(line("roadLine", 480, 3480, 8640, 3480)),
      cliffLine(line("cliffLine", 8640, 3480, 8640, 3720)),
      exclamationPicture(image("exclamationPicture", {8280, 960, 1200, 1200}, designed("scenes/common/exclamation"))),
      fallenCarPicture(image("fallenCarPicture", {8760, 4320, 885, 2100}, designed("scenes/max100/car_fallen"))),
      verdictPicture(image("verdictPicture", {960, 2160, 7500, 2775})),
      choicePromptLabel(label("choicePromptLabel", {2400, 4800, 1575, 375}, "Choice it", ui::gothic(18))),
      forbiddenButton(button("forbiddenButton", {5520, 6240, 1215, 735}, "押さないで。", &RaceTo100::onForbiddenClicked)),
      nextButton(button("nextButton", {8040, 6360, 1815, 735}, "NEXT AREA", &RaceTo100::onNextClicked)),
      startTimer(timer("startTimer", 1000, &RaceTo100::onStartTick)),
      diceTimers(array<ui::Timer>(
          "diceTimers", 2, [this](const std::string& n, int i) -> ui::Timer& { return timer(n, kDiceIntervals[i]); },
          &RaceTo100::onDieTick)),
      choicePromptTimer(timer("choicePromptTimer", 1000, &RaceTo100::onChoicePromptTick)),
      carMoveTimer(timer("carMoveTimer", 150, &RaceTo100::onCarMoveTick)),
      heroineTurnTimer(timer("heroineTurnTimer", 1000, &RaceTo100::onHeroineTurnTick)),
      opponentTurnTimer(timer("opponentTurnTimer", 1000, &RaceTo100::onOpponentTurnTick)),
      firstStopTimer(timer("firstStopTimer", 149, &RaceTo100::onFirstStopTick)),
      secondStopTimer(timer("secondStopTimer", 149, &RaceTo100::onSecondStopTick)),
      opponentChoiceTimer(timer("opponentChoiceTimer", 1000, &RaceTo100::onOpponentChoiceTick)),
      fallTimer(timer("fallTimer", 1000, &RaceTo100::onFallTick)),
      winBannerTimer(timer("winBannerTimer", 1000, &RaceTo100::onWinBannerTick)),
      lossBannerTimer(timer("lossBannerTimer", 1000, &RaceTo100::onLossBannerTick)),
      // Closed in the second between the fall and the losing banner: the banner must not come after all.
      revival_(*this, "力ずく",
               {"乃々香「私はここで・・・負けられない！」", "ワールズ？「！？」", "乃々香「私の・・・１００％の力！！」",
                "乃々香「おおおおおお！」", "ワールズ？「車を１人で・・・持ち上げた！？」"},
               {&lossBannerTimer}) {
    for (ui::Image* portrait : {&opponentPicture, &heroinePicture}) portrait->setSecret();
    // The road behind, and the faces each side's dice last stopped on, which they roll on from.
    carryOver(ui::cellsOf(heroineDicePictures, opponentDicePictures));
    carryOver({&squaresLeftLabel, &forbiddenButton});  // the button, once she has found it
    for (ui::Image& arrow : choiceArrowPictures) arrow.setVisible(false);
    for (ui::Button& stop : stopButtons) stop.setEnabled(false);
    exclamationPicture.setVisible(false);
    fallenCarPicture.setVisible(false);
    choicePromptLabel.setVisible(false);
    forbiddenButton.setVisible(false);
    nextButton.setVisible(false);

    // Each die with its STOP below it: the arrows go from one to the other.
    ui::arrowGrid(2, ui::cellsOf(heroineDicePictures, stopButtons));
    nameHeroineDice();
    nameCounts();
}

// The counts go down a square at a time as the car moves: renamed then, they would flood the
// accessibility bus with a name for every square. Named at rest, they change once a move.
void RaceTo100::nameCounts() {
    squaresLeftLabel.setSpokenName("転落まで残り" + std::to_string(squaresLeft_) + "マス");
    squaresToGoLabel.setSpokenName("進むマス " + std::to_string(squaresToGo_));
}

// A rolling die keeps one name: its frames would otherwise rename it many times a second.
void RaceTo100::nameHeroineDice() {
    for (int k = 0; k < 2; ++k) heroineDicePictures[k].setSpokenName("サイコロ" + std::to_string(k + 1));
}

std::string RaceTo100::checkInvariants() const {
    if (!phases_.onlyItsOwnTimersRun()) return "a step of the race runs outside its phase";
    for (int k = 0; k < 2; ++k) {
        const bool stopping = phases_.isAnyOf(Phase::HeroineStops, Phase::OpponentStopsFirst) ||
                              (phases_.current() == Phase::OpponentStopsSecond && k == 1);
        if (diceTimers[k].enabled() && !stopping) return "a die rolls while nobody is stopping it";
        if (stopButtons[k].enabled() != (phases_.current() == Phase::HeroineStops && diceTimers[k].enabled()))
            return "a STOP button without her die rolling, or her die rolling without one";
        if (choiceArrowPictures[k].visible() && (phases_.current() != Phase::CarMoves || turn_ != Side::Opponent))
            return "an arrow shows outside the opponent's move";
    }
    if (choicePromptLabel.visible() && phases_.current() != Phase::HeroineChooses)
        return "Choice it shows with nothing to choose";
    const bool fallen = phases_.isAnyOf(Phase::WinDue, Phase::LossDue, Phase::Won, Phase::Lost);
    if (fallenCarPicture.visible() != fallen || carPicture.visible() == fallen) return "the car is where it is not";
    if (exclamationPicture.visible() != phases_.isAnyOf(Phase::WinDue, Phase::LossDue))
        return "the exclamation outside the second after the fall";
    if (nextButton.visible() != (phases_.current() == Phase::Won)) return "the way on without a win";
    if (phases_.current() == Phase::Won && !verdictPicture.picture().sameAs(sozai_.banner(assets::Verdict::Won)))
        return "won without the banner";
    if (squaresLeft_ < 0 || squaresLeft_ > rules::kRoad) return "the car is past the cliff or before the start";
    if (carPicture.left() > carLeft(rules::kRoad)) return "the car is drawn past the cliff";
    if (squaresToGo_ < 0) return "a move of fewer than no squares";
    return {};
}

void RaceTo100::onLoad() {
    random().reseed();
    ranks_ = rules::squareRanks();
    drawSixtySix();
    phases_.enter(Phase::Starting);
    afterFirstPaint([this] {
        announce("車を" + std::to_string(rules::kRoad) +
                 "マス目の崖から落とした方の負け。STOPで2つのサイコロを止め、進むサイコロを選ぶ");
    });
}

void RaceTo100::drawSixtySix() {
    if (random().chance(sixtySixChance_, 10000)) stopsOnSixtySix_ = true;
}

void RaceTo100::onStartTick() { rollHeroineDice(); }

void RaceTo100::rollHeroineDice() {
    nameHeroineDice();
    phases_.enter(Phase::HeroineStops);
    for (ui::Timer& t : diceTimers) t.setEnabled(true);
    for (ui::Button& stop : stopButtons) stop.setEnabled(true);
    roundBegins();
}

void RaceTo100::onHeroineTurnTick() {
    forbiddenButton.setEnabled(true);
    stopsOnSixtySix_ = false;
    drawSixtySix();
    diceStopped_ = 0;
    rollHeroineDice();
}

void RaceTo100::onDieTick(int die) {
    faces_[die] = rules::nextFace(faces_[die]);
    (turn_ == Side::Opponent ? opponentDicePictures : heroineDicePictures)[die].setFrame(sozai_.diceimg(faces_[die]));
}

void RaceTo100::onStopClicked(int die) {
    ++diceStopped_;
    forbiddenButton.setEnabled(false);
    stopButtons[die].setEnabled(false);
    diceTimers[die].setEnabled(false);
    if (stopsOnSixtySix_) faces_[die] = rules::kSixtySixFace;
    if (turn_ == Side::Heroine) {
        const std::string which = "サイコロ" + std::to_string(die + 1);
        const std::string value = std::to_string(rules::squares(faces_[die]));
        heroineDicePictures[die].setSpokenName(which + " " + value);
        heroineDicePictures[die].setPicture(sozai_.diceimg(faces_[die]));
        if (diceStopped_ < 2)
            announce(which + "は" + value);
        else
            announce(which + "は" + value + "。" + std::to_string(rules::squares(faces_[0])) + "と" +
                     std::to_string(rules::squares(faces_[1])) + "、どちらで進む？");
    }
    if (diceStopped_ == 2) offerChoice();
}

void RaceTo100::offerChoice() { phases_.enter(Phase::HeroineChooses); }

// "Choice it" blinks, shown on one tick and hidden on the next.
void RaceTo100::onChoicePromptTick() { choicePromptLabel.setVisible(!choicePromptLabel.visible()); }

void RaceTo100::onHeroineDieClicked(int die) {
    choicePromptTimer.setEnabled(false);
    choicePromptLabel.setVisible(false);
    if (phases_.current() != Phase::HeroineChooses) return;
    takeHeroineDie(die);
}

void RaceTo100::takeHeroineDie(int die) {
    squaresToGo_ = rules::squares(faces_[die]);
    squaresToGoLabel.setCaption(std::to_string(squaresToGo_));
    announce(rules::moveSentence(squaresToGo_, squaresLeft_));
    phases_.enter(Phase::CarMoves);
}

void RaceTo100::onCarMoveTick() {
    for (ui::Image& arrow : choiceArrowPictures) arrow.setVisible(false);
    --squaresToGo_;
    squaresToGoLabel.setCaption(std::to_string(squaresToGo_));
    --squaresLeft_;
    squaresLeftLabel.setCaption(std::to_string(squaresLeft_));
    const int position = rules::kRoad - squaresLeft_;
    carPicture.setLeft(carLeft(position));
    squaresToGoLabel.setLeft(carLeft(position) + kCountAboveCar);
    // The edge ends every move, however many squares it had left: the car never passes it.
    const bool atRest = squaresToGo_ == 0 || squaresLeft_ == 0;
    if (atRest) nameCounts();
    if (squaresToGo_ == 0 && squaresLeft_ != 0) nextTurn();
    if (squaresLeft_ == 0) carFalls();
}

void RaceTo100::nextTurn() {
    faces_ = {1, 1};  // the pictures keep the faces just played
    if (turn_ == Side::Opponent)
        heroineTurn();
    else
        opponentTurn();
}

void RaceTo100::heroineTurn() {
    turn_ = Side::Heroine;
    opponentPicture.setEnabled(true);
    phases_.enter(Phase::HeroineWaits);
}

void RaceTo100::opponentTurn() {
    turn_ = Side::Opponent;
    for (int k = 0; k < 2; ++k) diceTimers[k].setInterval(kDiceIntervals[k]);
    opponentPicture.setEnabled(false);
    phases_.enter(Phase::OpponentWaits);
}

// The opponent aims its dice: the first as the rules aim, the second likewise unless the first is
// already on the favourite face, when it may stop on any.
void RaceTo100::onOpponentTurnTick() {
    const auto rating = rules::rate(ranks_, rules::kRoad - squaresLeft_);
    targets_[0] = rules::aim(rating.bestFace, app_.random());
    if (targets_[0] != rating.bestFace)
        targets_[1] = rules::aim(rating.bestFace, app_.random());
    else
        targets_[1] = random().below(7) + 1;
    spinTicksLeft_ = random().below(7) + 7;
    phases_.enter(Phase::OpponentStopsFirst);
    for (ui::Timer& t : diceTimers) t.setEnabled(true);
}

void RaceTo100::onFirstStopTick() {
    if (spinTicksLeft_ > 0) --spinTicksLeft_;
    if (spinTicksLeft_ == 0 && faces_[0] == targets_[0]) stopFirstDie();
}

void RaceTo100::stopFirstDie() {
    diceTimers[0].setEnabled(false);
    opponentDicePictures[0].setPicture(sozai_.diceimg(faces_[0]));  // at rest: named now
    spinTicksLeft_ = random().below(7) + 7;
    phases_.enter(Phase::OpponentStopsSecond);
}

void RaceTo100::onSecondStopTick() {
    if (spinTicksLeft_ > 0) --spinTicksLeft_;
    if (spinTicksLeft_ == 0 && faces_[1] == targets_[1]) stopSecondDie();
}

void RaceTo100::stopSecondDie() {
    diceTimers[1].setEnabled(false);
    opponentDicePictures[1].setPicture(sozai_.diceimg(faces_[1]));
    phases_.enter(Phase::OpponentChooses);
}

void RaceTo100::onOpponentChoiceTick() {
    takeOpponentDie(rules::choose(ranks_, rules::kRoad - squaresLeft_, faces_[0], faces_[1]));
}

void RaceTo100::takeOpponentDie(int die) {
    choiceArrowPictures[die].setVisible(true);
    squaresToGo_ = rules::squares(faces_[die]);
    squaresToGoLabel.setCaption(std::to_string(squaresToGo_));
    announce("相手は" + std::to_string(rules::squares(faces_[0])) + "と" + std::to_string(rules::squares(faces_[1])) + "から" +
             rules::moveSentence(squaresToGo_, squaresLeft_));
    phases_.enter(Phase::CarMoves);
}

void RaceTo100::carFalls() { phases_.enter(Phase::Falling); }

void RaceTo100::onFallTick() {
    carPicture.setVisible(false);
    squaresToGoLabel.setVisible(false);
    exclamationPicture.setVisible(true);
    fallenCarPicture.setVisible(true);
    judgeFall();
}

// Whoever moved the car over the edge loses.
void RaceTo100::judgeFall() {
    if (turn_ == Side::Opponent) {
        phases_.enter(Phase::WinDue);
        return;
    }
    if (surpriseComes()) revival_.arm();
    phases_.enter(Phase::LossDue);
}

void RaceTo100::onWinBannerTick() {
    phases_.enter(Phase::Won);
    roadLine.setVisible(false);
    cliffLine.setVisible(false);
    verdictPicture.setPicture(sozai_.banner(assets::Verdict::Won));
    exclamationPicture.setVisible(false);
    showExit(nextButton);
    announce("相手が落ちた。あなたの勝ち！ NEXT AREAで先へ");
}

void RaceTo100::onLossBannerTick() {
    phases_.enter(Phase::Lost);
    roadLine.setVisible(false);
    cliffLine.setVisible(false);
    exclamationPicture.setVisible(false);
    verdictPicture.setPicture(sozai_.banner(assets::Verdict::Lost));
    announceLoss("あなたが落ちた。あなたの負け");
}

void RaceTo100::onOpponentPictureClicked() {
    for (int k = 0; k < 2; ++k) {
        const int interval = rules::slowed(diceTimers[k].interval(), kDiceIntervals[k]);
        // A new interval restarts a rolling die; at the slowest one, more clicks must not hold it still.
        if (interval != diceTimers[k].interval()) diceTimers[k].setInterval(interval);
    }
}

void RaceTo100::onHeroinePictureClicked() { forbiddenButton.setVisible(true); }

void RaceTo100::onForbiddenClicked() {
    if (squaresLeft_ != 67 && squaresLeft_ != 68) sixtySixChance_ = rules::kSpoiledSixtySixChance;
    stopsOnSixtySix_ = true;
}

void RaceTo100::onNextClicked() { leave("nextButton"); }

void RaceTo100::onUnload(ui::UnloadRequest& request) {
    if (revival_.tell(request)) revive();
    // The store goes even when the window stays: the next picture the game shows loads it again.
    GameForm::onUnload(request);
}

void RaceTo100::revive() {
    roadLine.setVisible(true);
    cliffLine.setVisible(true);
    exclamationPicture.setVisible(false);
    verdictPicture.setPicture({});
    squaresLeft_ = 1;
    squaresLeftLabel.setCaption("1");
    fallenCarPicture.setVisible(false);
    const int position = rules::kRoad - 1;
    carPicture.setLeft(carLeft(position));
    carPicture.setVisible(true);
    // The count rides with the car again, at rest until the opponent's move.
    squaresToGo_ = 0;
    squaresToGoLabel.setCaption("0");
    squaresToGoLabel.setLeft(carLeft(position) + kCountAboveCar);
    squaresToGoLabel.setVisible(true);
    nameCounts();
    // Her dice may still hold the 66 that threw the car over; the opponent rolls them from 1, as
    // after every move.
    faces_ = {1, 1};
    opponentTurn();
}

}  // namespace games
