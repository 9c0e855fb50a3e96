#include "games/action/bootsdash.h"

#include <string>
#include <utility>

#include "assets/library.h"
#include "games/action/bootsdashrules.h"
#include "ui/keys.h"

namespace games {

namespace {
namespace rules = bootsdashrules;

constexpr ui::Rgb kLightCyan{192, 255, 255};
constexpr ui::Rgb kOutline{60, 34, 22};  // the outline colour of the figures drawn for the games

ui::Rect heading(int i) {
    constexpr int lefts[] = {1800, 3840, 6360};
    constexpr int widths[] = {975, 1695, 1695};
    return {lefts[i], 480, widths[i], 405};
}
}  // namespace

BootsDash::BootsDash(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {.name = kName, .caption = "長靴１００ｍ走", .background = kLightCyan}),
      // The running track lies beneath everything, the layout's own lines drawn on top of it.
      trackImage(image("trackImage", {240, 4440, 9240, 720}, assets::picture("scenes/nagagutsu/track"))),
      howToRunLabel(label("howToRunLabel", {2520, 6120, 2655, 375}, "走り方：左右交互", ui::gothic(15.75))),
      rightKeyLabel(label("rightKeyLabel", {2520, 5280, 2055, 360}, "→キー＝右足", ui::gothic(15.75))),
      leftKeyLabel(label("leftKeyLabel", {2520, 5640, 2055, 360}, "←キー＝左足", ui::gothic(15.75))),
      headingLabels(array<ui::Label>("headingLabels", 3,
                                     [this](const std::string& n, int i) -> ui::Label& {
                                         constexpr const char* captions[] = {"状態", "残り時間", "残り距離"};
                                         return label(n, heading(i), captions[i], ui::gothic(20.25));
                                     })),
      secondsLeftLabel(label("secondsLeftLabel", {4200, 1320, 855, 615}, std::to_string(rules::kRaceSeconds), ui::gothic(27.75),
                             ui::Align::Center)),
      metresLeftLabel(label("metresLeftLabel", {6480, 1320, 1455, 615}, std::to_string(rules::wholeMetres(rules::kCourse)),
                            ui::gothic(27.75), ui::Align::Center)),
      countdownImage(image("countdownImage", {4320, 3480, 1125, 1125})),
      markerImage(image("markerImage", {120, 3960, 540, 855}, assets::picture("scenes/figures/nonoka"))),
      runnerImage(image("runnerImage", {1560, 1080, 1440, 1440}, assets::picture("store/nagagutsu_0"))),
      resultImage(image("resultImage", {1080, 600, 7500, 2775})),
      trackLine(line("trackLine", 360, 4800, 9360, 4800, kOutline)),
      finishLine(line("finishLine", 9360, 4560, 9360, 5040, kOutline)),
      nextButton(button("nextButton", {8160, 6360, 1575, 615}, "NEXT AREA", &BootsDash::onNextClicked)),
      countdownTimer(timer("countdownTimer", 1000)),
      raceClockTimer(timer("raceClockTimer", 1000, &BootsDash::onRaceClockTick)),
      fallTimer(timer("fallTimer", 1000, &BootsDash::onFallTick)),
      countdown_(countdownTimer, countdownImage, sozai, {this, &BootsDash::startRace}) {
    for (ui::Label& l : headingLabels) l.setVisible(false);
    for (ui::Label* l : {&secondsLeftLabel, &metresLeftLabel}) l->setVisible(false);
    runnerImage.setVisible(false);
    nextButton.setVisible(false);
    setKeyPreview(true);

    codeLabel().onClick = [this] { onCodeClicked(); };
    codeLabel().setSecret();
}

void BootsDash::onLoad() {
    random().reseed();
    countdown_.start(6, rules::howToRun());
}

void BootsDash::onKeyDown(ui::KeyEvent& key) {
    if (countdown_.keyDown(key)) return;
    if (key.key() != ui::Key::Left && key.key() != ui::Key::Right) return;
    key.accept();  // the arrows are her feet: they never move the focus or press a button
    if (phases_.isAnyOf(Phase::Running, Phase::Down)) pause_.pressed();
    if (phases_.current() != Phase::Running) return;
    footstep(key.key() == ui::Key::Left ? Foot::Left : Foot::Right);
}

void BootsDash::footstep(Foot foot) {
    int gain = 0;
    if (lastFoot_ == foot)
        checkSameFoot();
    else
        gain = rules::stride(app_.random());
    gainedThisTick_ = static_cast<short>(gainedThisTick_ + gain);
    lastFoot_ = foot;
    distanceLeft_ = static_cast<short>(distanceLeft_ - gain);
    markerImage.setLeft(rules::markerLeft(distanceLeft_));
    metresLeftLabel.setCaption(std::to_string(rules::wholeMetres(distanceLeft_)));
    if (distanceLeft_ <= 0) goal();
}

void BootsDash::checkSameFoot() {
    if (!rules::tripsOnSameFoot(app_.random())) return;
    fall();
    announce("同じ足で転んだ！");
}

bool BootsDash::checkPace() {
    if (!rules::tripsAtPace(app_.random(), rules::kFallChance)) return false;
    fall();
    return true;
}

void BootsDash::fall() {
    phases_.enter(Phase::Down);
    runnerImage.setPicture(sozai_.runner(assets::Runner::Fallen));
}

void BootsDash::onFallTick() {
    runnerImage.setPicture(sozai_.runner(assets::Runner::Running));
    lastFoot_ = Foot::Either;
    phases_.enter(Phase::Running);
    announce("起きた");
}

void BootsDash::startRace() {
    phases_.enter(Phase::Running);
    countdownImage.setVisible(false);
    for (ui::Label& l : headingLabels) l.setVisible(true);
    announce("スタート！");
    runnerImage.setVisible(true);
    metresLeftLabel.setVisible(true);
    secondsLeftLabel.setVisible(true);
}

void BootsDash::onRaceClockTick() {
    const bool fell = gainedThisTick_ == rules::kRiskyPace && checkPace();
    gainedThisTick_ = 0;
    --secondsLeft_;
    secondsLeftLabel.setCaption(std::to_string(secondsLeft_));
    if (secondsLeft_ == 0) {
        timeUp();
        return;
    }
    // A fall and the clock in the same moment make one sentence. Every arrow cuts off what a
    // screen reader is saying, so a runner hears the clock when they stop to listen, too: on the
    // first tick without a step after one with.
    const bool paused = pause_.tick();
    std::string said = fell ? "転んだ！" : "";
    if (rules::clockWorthSaying(secondsLeft_) || paused) said += rules::clockSaid(secondsLeft_, distanceLeft_);
    announce(said);
}

void BootsDash::endRace(assets::Verdict verdict) {
    // A runner still down when the race ends stays down: getting up would let her run on.
    phases_.enter(Phase::Over);
    for (ui::Label& l : headingLabels) l.setVisible(false);
    runnerImage.setVisible(false);
    metresLeftLabel.setVisible(false);
    secondsLeftLabel.setVisible(false);
    resultImage.setPicture(sozai_.banner(verdict));
}

void BootsDash::goal() {
    endRace(assets::Verdict::Won);
    announce("ゴール！のこり" + std::to_string(secondsLeft_) + "秒");
    showExit(nextButton);
}

void BootsDash::timeUp() {
    endRace(assets::Verdict::Lost);
    announceLoss("時間切れ、" + rules::distanceSaid(distanceLeft_));
}

void BootsDash::onCodeClicked() { secondsLeft_ = rules::withBonus(secondsLeft_); }

std::string BootsDash::checkInvariants() const {
    if (distanceLeft_ > rules::kCourse || distanceLeft_ < -4) return "the distance left is out of range";
    if (distanceLeft_ > lowestDistanceLeft_) return "the distance left grew";
    lowestDistanceLeft_ = distanceLeft_;
    if (secondsLeft_ < 0) return "less than no time left";
    if ((countdownTimer.enabled() || countdown_.waiting()) != (phases_.current() == Phase::Countdown))
        return "the countdown runs outside its phase";
    if (!phases_.onlyItsOwnTimersRun() || !phases_.ownTimersRun())
        return "the race clock runs outside the race or stops in it, or she gets up while running or never";
    if (resultImage.picture().isNull() == (phases_.current() == Phase::Over)) return "the result shows outside the end";
    return {};
}

void BootsDash::onNextClicked() { leave("nextButton"); }

}  // namespace games
