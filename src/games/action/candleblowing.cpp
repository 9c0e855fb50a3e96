#include "games/action/candleblowing.h"

#include <initializer_list>
#include <string>

#include "assets/library.h"
#include "games/action/candleblowingrules.h"
#include "ui/keys.h"

namespace games {

namespace {
namespace rules = candleblowingrules;

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

CandleBlowing::CandleBlowing(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {.name = kName, .caption = "ろうそく消し", .background = kPink}),
      // The cake the candles stand on lies beneath everything.
      cakeImage(image("cakeImage", {2160, 3960, 4080, 1800}, assets::picture("scenes/rosoku/cake"))),
      candleImages(array<ui::Image>("candleImages", kSlots,
                                    [this](const std::string& n, int i) -> ui::Image& {
                                        return image(n, slot(i),
                                                     i == kOmissionSlot ? assets::picture("scenes/rosoku/omission")
                                                                        : assets::picture("store/rouimg_1"));
                                    })),
      candleNumberLabels(array<ui::Label>("candleNumberLabels", kSlots,
                                          [this](const std::string& n, int i) -> ui::Label& {
                                              return label(n, number(i), candleNumber(i), kCandleNumber, ui::Align::Center);
                                          })),
      heroineImage(image("heroineImage", {120, 3360, 540, 855}, assets::picture("scenes/figures/nonoka"))),
      breathImage(image("breathImage", {1320, 3360, 600, 420}, assets::picture("scenes/rosoku/breath"))),
      windSpiritImage(image("windSpiritImage", {720, 2760, 1500, 1500}, assets::picture("scenes/rosoku/windspirit"))),
      spiritArrivesLabel(label("spiritArrivesLabel", {600, 4080, 2415, 495}, "空丸降臨！！", ui::gothic(18))),
      countdownImage(image("countdownImage", {4200, 2040, 1125, 1125}, {}, &CandleBlowing::onCountdownClicked)),
      timeHeadingLabel(label("timeHeadingLabel", {6960, 240, 2535, 615}, "残り時間", ui::gothic(26.25))),
      secondsLeftLabel(label("secondsLeftLabel", {7320, 1080, 1335, 1095}, std::to_string(rules::kBreathSeconds), ui::gothic(48),
                             ui::Align::Center)),
      breathGauge(image("breathGauge", {3360, 5880, rules::kMinPower, 150}, assets::picture("scenes/common/redbar"))),
      powerHeadingLabel(label("powerHeadingLabel", {6720, 2520, 2775, 495}, "パワー吸い込み", ui::gothic(18))),
      percentLabel(label("percentLabel", {7440, 3240, 1320, 1095}, "0", kBigCount, ui::Align::Center)),
      percentSignLabel(label("percentSignLabel", {8760, 3720, 495, 495}, "％", ui::gothic(18))),
      timingBarImage(image("timingBarImage", {3360, 6720, 6000, 150}, assets::picture("scenes/rosoku/timingbar"))),
      markerImage(image("markerImage", {3240, 6240, 240, 450}, assets::picture("scenes/rosoku/pointer"))),
      gradeImage(image("gradeImage", {6720, 4440, 3000, 900})),
      measuringLabel(label("measuringLabel", {2160, 600, 3135, 1095}, "計測！", ui::gothic(48))),
      countHeadingLabel(label("countHeadingLabel", {1680, 2280, 1680, 615}, "本数＝", ui::gothic(26.25))),
      countLabel(label("countLabel", {3360, 2160, 1320, 1095}, "0", kBigCount, ui::Align::Center)),
      countUnitLabel(label("countUnitLabel", {4680, 2640, 495, 495}, "本", ui::gothic(18))),
      allOutButton(button("allOutButton", {120, 120, 1575, 735}, "NEXT AREA")),
      halfOutButton(button("halfOutButton", {120, 120, 1575, 735}, "NEXT AREA")),
      fewOutButton(button("fewOutButton", {120, 120, 1575, 735}, "NEXT AREA")),
      windSpiritButton(button("windSpiritButton", {120, 120, 1575, 735}, "NEXT AREA")),
      countdownTimer(timer("countdownTimer", 1000)),
      drainTimer(timer("drainTimer", 66, &CandleBlowing::onDrainTick)),
      breathClockTimer(timer("breathClockTimer", 1000, &CandleBlowing::onBreathClockTick)),
      meterDelayTimer(timer("meterDelayTimer", 1000, &CandleBlowing::onMeterDelayTick)),
      meterTimer(timer("meterTimer", rules::kMeterTickMs, &CandleBlowing::onMeterTick)),
      blowDelayTimer(timer("blowDelayTimer", 1200, &CandleBlowing::onBlowDelayTick)),
      candleOutTimer(timer("candleOutTimer", 100, &CandleBlowing::onCandleOutTick)),
      measureTimer(timer("measureTimer", 1800)),
      scrollTimer(timer("scrollTimer", 50, &CandleBlowing::onScrollTick)),
      spiritDelayTimer(timer("spiritDelayTimer", 1000, &CandleBlowing::onSpiritDelayTick)),
      spiritBlowTimer(timer("spiritBlowTimer", 500, &CandleBlowing::onSpiritBlowTick)),
      announceTimer(timer("announceTimer", 500)),
      countdown_(countdownTimer, countdownImage, sozai, {this, &CandleBlowing::startInhaling}),
      measuring_(measureTimer, {&measuringLabel, nullptr}, {this, &CandleBlowing::startScroll}),
      announcement_(announceTimer, {&countHeadingLabel, &countLabel, &countUnitLabel}, {this, &CandleBlowing::showWayOn}) {
    countdownImage.setSecret();
    candleNumberLabels[kOmissionSlot].setVisible(false);
    candleNumberLabels[9].setForeColor(kRed);
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &breathImage, &windSpiritImage, &spiritArrivesLabel, &timeHeadingLabel, &secondsLeftLabel, &powerHeadingLabel,
             &percentLabel, &percentSignLabel, &measuringLabel, &countHeadingLabel, &countLabel, &countUnitLabel, &allOutButton,
             &halfOutButton, &fewOutButton, &windSpiritButton})
        c->setVisible(false);
    setKeyPreview(true);

    allOutButton.onClick = [this] { leave("allOutButton"); };
    halfOutButton.onClick = [this] { leave("halfOutButton"); };
    fewOutButton.onClick = [this] { leave("fewOutButton"); };
    windSpiritButton.onClick = [this] { leave("windSpiritButton"); };
}

void CandleBlowing::onLoad() {
    // Along the story an earlier game has seeded chance; straight from the warp zone none has.
    if (openedFromWarpZone()) random().reseed();
    countdown_.start(6, rules::howToBlow());
}

std::string CandleBlowing::checkInvariants() const {
    if (blownOut_ < 0 || blownOut_ > 100) return "a count of candles out of 0..100";
    if (power_ < 0 || power_ > rules::kMaxPower) return "a breath out of 0..6000";
    if (!phases_.onlyItsOwnTimersRun()) return "a step of the finale runs outside its phase";
    const bool waiting = phases_.anyRuns() || countdown_.waiting();
    if (waiting == (phases_.current() == Phase::Over)) return "the finale stalls, or runs on after its end";
    int exits = 0;
    for (const ui::Button* b : {&allOutButton, &halfOutButton, &fewOutButton, &windSpiritButton}) exits += b->visible();
    if (exits != (phases_.current() == Phase::Over ? 1 : 0)) return "a way on before the count, or more than one";
    return {};
}

// ---- countdown -------------------------------------------------------------------------------

void CandleBlowing::onCountdownClicked() {
    if (countdown_.left() == 3) drainDivisor_ = 2;
}

// ---- breathing in ----------------------------------------------------------------------------

void CandleBlowing::startInhaling() {
    phases_.enter(Phase::Inhaling);
    secondsLeft_ = rules::kBreathSeconds;
    countdownImage.setVisible(false);
    timeHeadingLabel.setVisible(true);
    secondsLeftLabel.setVisible(true);
    announce("吸って！");
}

void CandleBlowing::onKeyDown(ui::KeyEvent& key) {
    if (countdown_.keyDown(key)) return;
    switch (key.key()) {
        case ui::Key::Right:
        case ui::Key::Left:
            // Only the arrow after the other one draws breath; the first, whichever, only begins.
            if (phases_.current() == Phase::Inhaling) {
                pause_.pressed();
                if (lastArrow_ == (key.key() == ui::Key::Left ? ui::Key::Right : ui::Key::Left)) inhale();
                lastArrow_ = key.key();
            }
            break;
        case ui::Key::Space:
            // Only the marker's stop: at the end Space presses the focused way on, as anywhere.
            if (phases_.current() != Phase::Metering) return;
            stopMeter();
            break;
        default: return;
    }
    key.accept();
}

void CandleBlowing::inhale() {
    power_ = static_cast<short>(power_ + rules::kInhaleStep);
    if (power_ > rules::kMaxPower) power_ = rules::kMaxPower;
    breathGauge.setWidth(power_);
}

void CandleBlowing::onDrainTick() {
    drawDrain();
    power_ = static_cast<short>(power_ - drain_);
    if (power_ < rules::kMinPower) power_ = rules::kMinPower;
    breathGauge.setWidth(power_);
}

void CandleBlowing::drawDrain() {
    const int r = random().below(10);
    drain_ = static_cast<short>(rules::drain(power_, r, drainDivisor_));
}

// Every arrow cuts off what a screen reader is saying: a player who breathes on hears the clock at
// its marks, and one who stops to listen hears it at once.
void CandleBlowing::onBreathClockTick() {
    --secondsLeft_;
    secondsLeftLabel.setCaption(std::to_string(secondsLeft_));
    const bool paused = pause_.tick();
    if (secondsLeft_ == 0)
        endInhaling();
    else if (rules::clockWorthSaying(secondsLeft_) || paused)
        announce(rules::breathSaid(secondsLeft_, power_));
}

void CandleBlowing::endInhaling() {
    phases_.enter(Phase::Pausing);
    percentLabel.setCaption(std::to_string(rules::percentOf(power_)));
    // Named once its value holds: renamed on every drain, it would chatter on the accessibility bus.
    breathGauge.setSpokenName("パワー" + percentLabel.caption() + "％");
    percentLabel.setVisible(true);
    timeHeadingLabel.setVisible(false);
    secondsLeftLabel.setVisible(false);
    powerHeadingLabel.setVisible(true);
    percentSignLabel.setVisible(true);
    announce(rules::breathTaken(power_));
}

// ---- the timing shot -------------------------------------------------------------------------

void CandleBlowing::onMeterDelayTick() {
    phases_.enter(Phase::Metering);
    announce("スタート！");
}

void CandleBlowing::onMeterTick() {
    markerLeft_ = static_cast<short>(markerLeft_ + rules::kMeterStep);
    if (markerLeft_ == rules::kMeterHide) markerImage.setVisible(false);
    markerImage.setLeft(markerLeft_);
    if (markerLeft_ == rules::kMeterEnd) stopMeter();
}

void CandleBlowing::stopMeter() {
    phases_.enter(Phase::Graded);
    markerImage.setVisible(true);
    gradeStop();
    blowOut();
    candlesToGo_ = blownOut_;
}

void CandleBlowing::gradeStop() {
    grade_ = static_cast<short>(rules::grade(markerLeft_));
    gradeImage.setPicture(sozai_.seiseki(grade_));
    announce(gradeImage.picture().description());  // the grade's own word, "Great!"
}

void CandleBlowing::blowOut() {
    const rules::Blow b = rules::blow(grade_, power_, app_.random());
    blownOut_ = static_cast<short>(b.blownOut);
    if (b.windSpirit) windSpiritComes_ = true;
}

// ---- the candles go out ----------------------------------------------------------------------

void CandleBlowing::onBlowDelayTick() {
    breathImage.setVisible(true);
    phases_.enter(Phase::PuttingOut);
}

void CandleBlowing::putOut(int slotIndex) { candleImages[slotIndex].setPicture(sozai_.candle(assets::Candle::Out)); }

void CandleBlowing::onCandleOutTick() {
    if (blownOut_ == 0) {
        showCount();
        return;
    }
    ++candlesOut_;
    --candlesToGo_;
    // Candles 8 to 98 are out of sight behind the omission mark.
    if (candlesOut_ <= 7)
        putOut(candlesOut_ - 1);
    else if (candlesOut_ >= 99)
        putOut(candlesOut_ - 91);
    if (candlesToGo_ == 0) {
        if (candlesOut_ <= 6 || candlesOut_ >= 99)
            showCount();
        else
            startMeasuring();
    }
}

void CandleBlowing::showCount() {
    countLabel.setCaption(std::to_string(blownOut_));
    afterCounting();
}

void CandleBlowing::startMeasuring() {
    phases_.enter(Phase::Measuring);
    measuring_.start();
    announce(measuringLabel.caption());
}

void CandleBlowing::startScroll() { phases_.enter(Phase::Scrolling); }

// The seven left candles, all out by now, are renumbered until the last of them shows the first
// candle still burning.
void CandleBlowing::onScrollTick() {
    ++scrollStep_;
    for (int i = 0; i <= 6; ++i) candleNumberLabels[i].setCaption(std::to_string(scrollStep_ + i + 1));
    if (scrollStep_ == 90) showCandle98();
    if (blownOut_ == scrollStep_ + 6) candleImages[6].setPicture(sozai_.candle(assets::Candle::Burning));
    if (blownOut_ == scrollStep_ + 6 || scrollStep_ == 90) endScroll();
}

void CandleBlowing::showCandle98() {
    candleImages[kOmissionSlot].setPicture(sozai_.candle(blownOut_ >= 98 ? assets::Candle::Out : assets::Candle::Burning));
    candleNumberLabels[kOmissionSlot].setVisible(true);
}

void CandleBlowing::endScroll() {
    countLabel.setCaption(std::to_string(blownOut_));
    measuringLabel.setVisible(false);
    afterCounting();
}

// The wind spirit, when she comes, finishes the job before the count is announced.
void CandleBlowing::afterCounting() {
    if (windSpiritComes_) {
        phases_.enter(Phase::SpiritComing);
    } else {
        phases_.enter(Phase::Announcing);
        announcement_.start();
    }
}

// ---- the wind spirit -------------------------------------------------------------------------

void CandleBlowing::onSpiritDelayTick() {
    windSpiritImage.setVisible(true);
    spiritArrivesLabel.setVisible(true);
    announce(spiritArrivesLabel.caption());
    phases_.enter(Phase::SpiritBlowing);
}

void CandleBlowing::onSpiritBlowTick() {
    for (int i = 0; i < kSlots; ++i)
        if (i != kOmissionSlot) putOut(i);
    // The omission slot is candle 98 only once the count has reached it.
    if (blownOut_ >= 98) putOut(kOmissionSlot);
    blownOut_ = 100;
    countLabel.setCaption("100");
    phases_.enter(Phase::Announcing);
    announcement_.start();
}

// ---- the announcement ------------------------------------------------------------------------

void CandleBlowing::showWayOn() {
    phases_.enter(Phase::Over);
    // The whole announcement at once, as its last word shows, before the way on takes the focus.
    announce("本数＝" + std::to_string(blownOut_) + "本");
    if (blownOut_ == 100 && !windSpiritComes_)
        allOutButton.setVisible(true);
    else if (blownOut_ == 100)
        windSpiritButton.setVisible(true);
    else if (blownOut_ >= 50)
        halfOutButton.setVisible(true);
    else
        fewOutButton.setVisible(true);
}

}  // namespace games
