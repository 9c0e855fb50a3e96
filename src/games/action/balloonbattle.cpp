#include "games/action/balloonbattle.h"

#include <array>
#include <string>

#include "assets/library.h"

namespace games {

namespace {
using namespace balloonbattlerules;

constexpr ui::Rgb kLightYellow{255, 255, 128};
constexpr int kPositions = 17;
constexpr int kHeroineSide = kPositions - 1;
constexpr const char* kArrow = "scenes/mizuhusen/arrow";  // shown beside whoever pumps

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

BalloonBattle::BalloonBattle(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai,
               {.name = kName, .caption = "水風船投げバトル", .background = kLightYellow, .codeRect = {8640, 0, 1335, 255}}),
      pumpButton(button("pumpButton", {3600, 5760, 1215, 735}, "Push", &BalloonBattle::onPumpClicked)),
      throwButton(button("throwButton", {5040, 5760, 1335, 735}, "Throw", &BalloonBattle::onThrowClicked)),
      nextButton(button("nextButton", {7800, 5880, 1815, 615}, "NEXT AREA", &BalloonBattle::onNextClicked)),
      dangerHeadingLabel(label("dangerHeadingLabel", {1800, 6600, 1095, 255}, "危険度", ui::gothic(12))),
      nameLabels(array<ui::Label>("nameLabels", 2,
                                  [this](const std::string& name, int i) -> ui::Label& {
                                      return i == 0 ? label(name, {360, 5520, 1935, 255}, "シルバーファントム", ui::gothic(9))
                                                    : label(name, {7920, 5520, 1215, 255}, "白瀬 乃々香", ui::gothic(9));
                                  })),
      dangerLabel(label("dangerLabel", {480, 6600, 975, 255}, "0", ui::dialogFont(), ui::Align::Center)),
      // Beneath the figures, so that the heroine can still be clicked while the spray covers her.
      sprayImage(image("sprayImage", spray(0), assets::picture("scenes/mizuhusen/splash"))),
      opponentImage(image("opponentImage", {840, 4560, 540, 855}, assets::picture("scenes/figures/masked"))),
      heroineImage(image("heroineImage", {8040, 4560, 540, 855}, assets::picture("scenes/figures/nonoka"),
                         &BalloonBattle::onHeroineClicked)),
      balloonImages(imageArray("balloonImages", kPositions, balloon, assets::picture("scenes/mizuhusen/balloon"))),
      dangerGauge(image("dangerGauge", {3000, 6720, 0, 150}, assets::picture("scenes/mizuhusen/gauge"))),
      resultImage(image("resultImage", {1200, 1080, 7500, 2775})),
      opponentArrowImage(image("opponentArrowImage", {1560, 4680, 750, 750}, assets::picture(kArrow))),
      heroineArrowImage(image("heroineArrowImage", {7080, 4560, 750, 750}, assets::picture(kArrow))),
      groundLine(line("groundLine", 240, 5400, 9480, 5400)),
      gaugeEndLine(line("gaugeEndLine", 9000, 6600, 9000, 6960)),
      gaugeStartLine(line("gaugeStartLine", 3000, 6600, 3000, 6960)),
      flightToHeroineTimer(timer("flightToHeroineTimer", 40, &BalloonBattle::onFlightToHeroineTick)),
      flightToOpponentTimer(timer("flightToOpponentTimer", 40, &BalloonBattle::onFlightToOpponentTick)),
      opponentPumpTimer(timer("opponentPumpTimer", 1000, &BalloonBattle::onOpponentPumpTick)),
      heroineArrowTimer(timer("heroineArrowTimer", 100, &BalloonBattle::onHeroineArrowTick)),
      opponentArrowTimer(timer("opponentArrowTimer", 300, &BalloonBattle::onOpponentArrowTick)),
      verdictTimer(timer("verdictTimer", 3000, &BalloonBattle::onVerdictTick)) {
    heroineImage.setSecret();
    // The danger the balloon has come to, on the gauge and, once she has found it, as a number.
    carryOver({&dangerGauge, &dangerLabel});
    dangerGauge.setSpokenName(dangerSaid(0));
    pumpButton.setEnabled(false);
    throwButton.setEnabled(false);
    nextButton.setVisible(false);
    dangerLabel.setVisible(false);
    sprayImage.setVisible(false);
    for (int i = 1; i < kPositions; ++i) balloonImages[i].setVisible(false);
    opponentArrowImage.setVisible(false);
    heroineArrowImage.setVisible(false);
}

void BalloonBattle::onLoad() {
    random().reseed();
    phases_.enter(Phase::OpponentPumps);
    roundBegins();
}

bool BalloonBattle::pump() {
    const int sum = danger_ + pumpAmount(random());
    // The hidden number shows the sum as drawn; only the gauge and the chances stop at the cap.
    dangerLabel.setCaption(std::to_string(sum));
    danger_ = static_cast<short>(sum > kMaxDanger ? kMaxDanger : sum);
    const bool burstNow = checkPump();
    dangerGauge.setWidth(danger_);
    dangerGauge.setSpokenName(dangerSaid(danger_));
    return burstNow;
}

bool BalloonBattle::checkPump() {
    if (!bursts(kPumpRisk, danger_, random())) return false;
    burst(dangerSaid(danger_) + "で破裂！");
    return true;
}

// A doomed throw bursts one step into its flight, still on the thrower's side.
void BalloonBattle::checkThrow() {
    if (bursts(kThrowRisk, danger_, random())) doomedThrow_ = true;
}

void BalloonBattle::burst(const std::string& how) {
    balloonImages[balloonAt_].setPicture(sozai_.bombimg());
    sprayImage.setRect(spray(balloonAt_));
    sprayImage.setVisible(true);
    opponentSoaked_ = opponentHolds();
    announce(how + (opponentSoaked_ ? "相手がずぶぬれ" : "乃々香がずぶぬれ"));
    pumpButton.setVisible(false);
    throwButton.setVisible(false);
    phases_.enter(Phase::Burst);
}

void BalloonBattle::judge() {
    balloonImages[balloonAt_].setVisible(false);
    sprayImage.setVisible(false);
    if (opponentSoaked_) {
        opponentImage.setVisible(false);
        nameLabels[0].setVisible(false);
        resultImage.setPicture(sozai_.banner(assets::Verdict::Won));
        announce("勝ち！");
        showExit(nextButton);
    } else {
        heroineImage.setVisible(false);
        nameLabels[1].setVisible(false);
        resultImage.setPicture(sozai_.banner(assets::Verdict::Lost));
        announceLoss("負け");
    }
}

void BalloonBattle::onVerdictTick() {
    judge();
    phases_.enter(Phase::Over);
}

void BalloonBattle::moveBalloon(int to) {
    balloonImages[balloonAt_].setVisible(false);
    balloonAt_ = static_cast<short>(to);
    balloonImages[balloonAt_].setVisible(true);
}

// The opponent pumps once a second and throws after her last pump.
void BalloonBattle::onOpponentPumpTick() {
    const bool burstNow = pump();
    opponentArrowImage.setVisible(true);
    opponentArrowTimer.setEnabled(true);
    --opponentPumpsLeft_;
    const bool throws = opponentPumpsLeft_ == 0 && phases_.current() == Phase::OpponentPumps;
    if (!burstNow) {
        // The rules with her first pump: the window opening has been read by then.
        const std::string rules = hasHeardTheRules_ ? "" : "交互に空気を入れて投げ合い、破裂させた方の負け。";
        hasHeardTheRules_ = true;
        announce(rules + (throws ? "相手が入れて投げた、" : "相手が入れた、") + dangerSaid(danger_));
    }
    if (throws) {
        checkThrow();
        phases_.enter(Phase::FlyingToHeroine);
    }
}

void BalloonBattle::onOpponentArrowTick() {
    opponentArrowImage.setVisible(false);
    opponentArrowTimer.setEnabled(false);
}

void BalloonBattle::onFlightToHeroineTick() {
    moveBalloon(balloonAt_ + 1);
    if (doomedThrow_ && balloonAt_ == 1) burst("投げたとたん破裂！");
    if (balloonAt_ == kHeroineSide) {
        // Before Push takes the focus, which a screen reader then reads; the keys on her first turn.
        announce("乃々香の番、" + dangerSaid(danger_) + (hasHeardTheKeys_ ? "" : "。スペースで空気を入れ、タブで投げるボタンへ"));
        hasHeardTheKeys_ = true;
        pumpButton.setEnabled(true);
        heroinePumpsLeft_ = 6;
        phases_.enter(Phase::HeroinePumps);
    }
}

std::string BalloonBattle::checkInvariants() const {
    if (balloonAt_ < 0 || balloonAt_ > kHeroineSide) return "the balloon is off its arc";
    if (danger_ < 0) return "a danger level below zero";
    int shown = 0;
    for (const ui::Image& b : balloonImages) shown += b.visible();
    if (shown > 1) return "the balloon is in two places";
    if (!phases_.onlyItsOwnTimersRun()) return "a step of the battle runs outside its phase";
    if ((phases_.current() == Phase::OpponentPumps && balloonAt_ != 0) ||
        (phases_.current() == Phase::HeroinePumps && balloonAt_ != kHeroineSide))
        return "the balloon is not with the one who pumps it";
    // After a burst her arrow's timer may still enable the buttons, but they are gone by then.
    for (const ui::Button* b : {&pumpButton, &throwButton})
        if (b->visible() && b->enabled() && phases_.current() != Phase::HeroinePumps)
            return "the heroine may act out of her turn";
    // A doomed throw flies on with its flag set; the burst itself is the spray.
    if (sprayImage.visible() != (phases_.current() == Phase::Burst)) return "the spray shows outside the burst";
    if (phases_.current() == Phase::Burst && (pumpButton.visible() || throwButton.visible()))
        return "the buttons stay after the burst";
    if (nextButton.visible() != (phases_.current() == Phase::Over && opponentSoaked_))
        return "the way on shows before she has won";
    return {};
}

void BalloonBattle::onPumpClicked() {
    const bool burstNow = pump();
    --heroinePumpsLeft_;
    // Before the focus leaves Push, so that a screen reader says it first.
    if (!burstNow)
        announce(dangerSaid(danger_) +
                 (heroinePumpsLeft_ == 0 ? "、あとは投げるだけ" : "、あと" + std::to_string(heroinePumpsLeft_) + "回"));
    heroineArrowImage.setVisible(true);
    heroineArrowTimer.setEnabled(true);
    pumpButton.setEnabled(false);
    throwButton.setEnabled(false);
}

void BalloonBattle::onHeroineArrowTick() {
    heroineArrowImage.setVisible(false);
    pumpButton.setEnabled(heroinePumpsLeft_ != 0);
    throwButton.setEnabled(true);
    heroineArrowTimer.setEnabled(false);
}

void BalloonBattle::onThrowClicked() {
    throwButton.setEnabled(false);
    pumpButton.setEnabled(false);
    checkThrow();
    phases_.enter(Phase::FlyingToOpponent);
}

void BalloonBattle::onFlightToOpponentTick() {
    moveBalloon(balloonAt_ - 1);
    if (balloonAt_ == kHeroineSide - 1 && doomedThrow_) burst("投げたとたん破裂！");
    if (balloonAt_ == 0) {
        announce("相手に届いた");
        opponentPumpsLeft_ = static_cast<short>(opponentPumps(danger_, app_.random()));
        phases_.enter(Phase::OpponentPumps);
        roundBegins();
    }
}

void BalloonBattle::onHeroineClicked() { dangerLabel.setVisible(true); }

void BalloonBattle::onNextClicked() { leave("nextButton"); }

}  // namespace games
