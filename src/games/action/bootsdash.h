#pragma once

#include "app/phases.h"
#include "games/action/bootsdashrules.h"
#include "games/kit/countdown.h"
#include "games/kit/gameform.h"
#include "games/kit/pausewatch.h"

namespace games {

// A 100 m dash in rubber boots: the arrow keys are her feet, taken in turn, against a 40 s clock.
class BootsDash final : public GameForm {
public:
    static constexpr char kName[] = "nagagutsu";  // names its row in the form table

    BootsDash(app::App& app, assets::Sozai& sozai);

    void onLoad() override;
    std::string checkInvariants() const override;
    bool decided() const override { return phases_.current() == Phase::Over; }
    void onKeyDown(ui::KeyEvent& key) override;

private:
    // Where the race stands: the countdown on its timer, then the race clock, beside which the
    // fall timer runs while she is down; at the end nothing runs.
    enum class Phase { Countdown, Running, Down, Over };
    enum class Foot { Either, Left, Right };  // the foot that went last; after a fall, either may start

    void onCodeClicked();
    void onRaceClockTick();
    void onFallTick();
    void onNextClicked();

    void footstep(Foot foot);
    void checkSameFoot();
    bool checkPace();  // whether she fell
    void fall();
    void startRace();
    void goal();
    void timeUp();
    void endRace(assets::Verdict verdict);  // what goal and time-up share

    ui::Image& trackImage;
    ui::Label& howToRunLabel;
    ui::Label& rightKeyLabel;
    ui::Label& leftKeyLabel;
    ui::ControlArray<ui::Label>& headingLabels;
    ui::Label& secondsLeftLabel;
    ui::Label& metresLeftLabel;
    ui::Image& countdownImage;
    ui::Image& markerImage;  // her figure on the track
    ui::Image& runnerImage;  // running or fallen
    ui::Image& resultImage;
    ui::Line& trackLine;
    ui::Line& finishLine;
    ui::Button& nextButton;
    ui::Timer& countdownTimer;
    ui::Timer& raceClockTimer;
    ui::Timer& fallTimer;
    kit::Countdown countdown_;  // the figures on countdownImage before the start

    app::Phases<Phase> phases_{Phase::Countdown,
                               {{Phase::Countdown, &countdownTimer, app::Phases<Phase>::Start::ByItsMotion},
                                {Phase::Running, &raceClockTimer},
                                {Phase::Down, &raceClockTimer},
                                {Phase::Down, &fallTimer}}};
    Foot lastFoot_ = Foot::Either;
    short distanceLeft_ = bootsdashrules::kCourse;  // tenths of a metre
    short secondsLeft_ = bootsdashrules::kRaceSeconds;
    short gainedThisTick_ = 0;                 // tenths gained since the last tick of the race clock
    kit::PauseWatch pause_;                    // the arrows, to say the clock when she stops to listen
    mutable short lowestDistanceLeft_ = 1000;  // what the invariants have seen so far
};

}  // namespace games
