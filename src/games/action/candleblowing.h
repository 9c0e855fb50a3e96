#pragma once

#include "app/phases.h"
#include "app/steppedreveal.h"
#include "games/action/candleblowingrules.h"
#include "games/kit/countdown.h"
#include "games/kit/gameform.h"
#include "games/kit/pausewatch.h"

namespace games {

// The finale: a countdown, fifteen seconds of breathing in by alternating the arrow keys, a timing
// shot with Space, then as many of the hundred candles go out as the breath and the timing earn;
// rarely the wind spirit finishes the job. The count chooses one of four epilogues.
class CandleBlowing final : public GameForm {
public:
    static constexpr char kName[] = "rosoku";  // names its row in the form table

    CandleBlowing(app::App& app, assets::Sozai& sozai);

    void onLoad() override;
    std::string checkInvariants() const override;
    bool decided() const override { return phases_.current() == Phase::Over; }
    void onKeyDown(ui::KeyEvent& key) override;

private:
    // The finale's steps in their order, each waiting on its own timer (breathing in on two), one
    // handing over to the next; a small count skips the measuring and the scroll, and the wind
    // spirit comes only when the draw sends her.
    enum class Phase {
        Countdown,
        Inhaling,  // the arrows fill the gauge
        Pausing,   // the breath is measured; the marker is about to start
        Metering,  // Space stops the marker
        Graded,    // the grade shows before she blows
        PuttingOut,
        Measuring,  // "計測！" before the candles behind the omission mark are counted
        Scrolling,
        SpiritComing,
        SpiritBlowing,
        Announcing,
        Over  // one way on shows
    };

    void onCountdownClicked();
    void onDrainTick();
    void onBreathClockTick();
    void onMeterDelayTick();
    void onMeterTick();
    void onBlowDelayTick();
    void onCandleOutTick();
    void onScrollTick();
    void onSpiritDelayTick();
    void onSpiritBlowTick();

    void startInhaling();
    void inhale();
    void drawDrain();
    void endInhaling();
    void stopMeter();
    void gradeStop();
    void blowOut();
    void showCount();
    void startMeasuring();
    void startScroll();
    void afterCounting();
    void showCandle98();
    void endScroll();
    void showWayOn();
    void putOut(int slot);

    ui::Image& cakeImage;
    ui::ControlArray<ui::Image>& candleImages;
    ui::ControlArray<ui::Label>& candleNumberLabels;
    ui::Image& heroineImage;
    ui::Image& breathImage;
    ui::Image& windSpiritImage;
    ui::Label& spiritArrivesLabel;
    ui::Image& countdownImage;
    ui::Label& timeHeadingLabel;
    ui::Label& secondsLeftLabel;
    ui::Image& breathGauge;
    ui::Label& powerHeadingLabel;
    ui::Label& percentLabel;
    ui::Label& percentSignLabel;
    ui::Image& timingBarImage;
    ui::Image& markerImage;
    ui::Image& gradeImage;
    ui::Label& measuringLabel;
    ui::Label& countHeadingLabel;
    ui::Label& countLabel;
    ui::Label& countUnitLabel;
    ui::Button& allOutButton;      // all hundred by her own breath
    ui::Button& halfOutButton;     // half of them or more
    ui::Button& fewOutButton;      // fewer than half
    ui::Button& windSpiritButton;  // all hundred, the wind spirit's work
    ui::Timer& countdownTimer;
    ui::Timer& drainTimer;
    ui::Timer& breathClockTimer;
    ui::Timer& meterDelayTimer;
    ui::Timer& meterTimer;
    ui::Timer& blowDelayTimer;
    ui::Timer& candleOutTimer;
    ui::Timer& measureTimer;
    ui::Timer& scrollTimer;
    ui::Timer& spiritDelayTimer;
    ui::Timer& spiritBlowTimer;
    ui::Timer& announceTimer;
    kit::Countdown countdown_;         // the figures on countdownImage before the breath
    app::SteppedReveal measuring_;     // "計測！" before the hidden candles are counted
    app::SteppedReveal announcement_;  // "本数＝", the count, "本", then the way on

    app::Phases<Phase> phases_{Phase::Countdown,
                               {{Phase::Countdown, &countdownTimer, app::Phases<Phase>::Start::ByItsMotion},
                                {Phase::Inhaling, &drainTimer},
                                {Phase::Inhaling, &breathClockTimer},
                                {Phase::Pausing, &meterDelayTimer},
                                {Phase::Metering, &meterTimer},
                                {Phase::Graded, &blowDelayTimer},
                                {Phase::PuttingOut, &candleOutTimer},
                                {Phase::Measuring, &measureTimer},
                                {Phase::Scrolling, &scrollTimer},
                                {Phase::SpiritComing, &spiritDelayTimer},
                                {Phase::SpiritBlowing, &spiritBlowTimer},
                                {Phase::Announcing, &announceTimer}}};
    short power_ = candleblowingrules::kMinPower;
    kit::PauseWatch pause_;               // the arrows, to say the clock when she stops to listen
    ui::Key lastArrow_ = ui::Key::Other;  // the arrow that must not come next; none before the first
    short secondsLeft_ = 0;
    short drain_ = 0;
    short drainDivisor_ = 1;  // 2 once the countdown's 3 has been clicked
    short markerLeft_ = candleblowingrules::kMeterStart;
    short grade_ = 0;
    short blownOut_ = 0;
    bool windSpiritComes_ = false;
    short candlesOut_ = 0;   // as they go out one by one
    short candlesToGo_ = 0;  // of those the blow puts out
    short scrollStep_ = 0;
};

}  // namespace games
