#pragma once

#include <array>

#include "app/phases.h"
#include "games/kit/gameform.h"
#include "games/kit/refusedclose.h"
#include "games/puzzle/raceto100rules.h"

namespace games {

// A car on a hundred squares before a cliff: the heroine and the opponent take turns moving it by
// one of two dice, and whoever sends it over the edge loses.
class RaceTo100 final : public GameForm {
public:
    static constexpr char kName[] = "max100game";  // names its row in the form table

    RaceTo100(app::App& app, assets::Sozai& sozai);

    void onLoad() override;
    void onUnload(ui::UnloadRequest& request) override;
    std::string checkInvariants() const override;
    bool decided() const override { return phases_.isAnyOf(Phase::Won, Phase::Lost); }

private:
    void onStartTick();
    void onDieTick(int die);
    void onStopClicked(int die);
    void onChoicePromptTick();
    void onHeroineDieClicked(int die);
    void onCarMoveTick();
    void onHeroineTurnTick();
    void onOpponentTurnTick();
    void onFirstStopTick();
    void onSecondStopTick();
    void onOpponentChoiceTick();
    void onFallTick();
    void onWinBannerTick();
    void onLossBannerTick();
    void onOpponentPictureClicked();
    void onHeroinePictureClicked();
    void onForbiddenClicked();
    void onNextClicked();

    // Where the race stands. Each phase but three waits on a timer of its own, which hands over to
    // the next; the dice roll only while someone is stopping them: both in her turn, both in the
    // opponent's until its first stops, then the second alone.
    enum class Phase {
        Starting,             // her dice roll a second after the load
        HeroineStops,         // her dice roll until she has stopped both
        HeroineChooses,       // "Choice it" blinks until she takes a die
        CarMoves,             // a square a tick, to the move's end or the edge
        HeroineWaits,         // a second before her dice roll again
        OpponentWaits,        // a second before the opponent aims and rolls
        OpponentStopsFirst,   // die 0 stops on its target after its spin
        OpponentStopsSecond,  // die 1 likewise
        OpponentChooses,      // a second before the opponent takes a die
        Falling,              // the car went over the edge
        WinDue,               // the opponent fell
        LossDue,              // she fell; a close from here on may bring the revival
        Won,
        Lost
    };

    void rollHeroineDice();
    void nameHeroineDice();
    void nameCounts();
    void offerChoice();
    void takeHeroineDie(int die);
    void nextTurn();
    void heroineTurn();
    void opponentTurn();
    void stopFirstDie();
    void stopSecondDie();
    void takeOpponentDie(int die);
    void carFalls();
    void judgeFall();
    void revive();
    void drawSixtySix();  // whether this turn of the heroine's gets the 66 face

    ui::Image& opponentPicture;
    ui::Image& heroinePicture;
    ui::ControlArray<ui::Image>& opponentDicePictures;
    ui::ControlArray<ui::Image>& choiceArrowPictures;
    ui::ControlArray<ui::Image>& heroineDicePictures;
    ui::ControlArray<ui::Button>& stopButtons;
    ui::Label& untilFallLabel;
    ui::Label& squaresLeftLabel;
    ui::Label& squaresUnitLabel;
    ui::Image& carPicture;
    ui::Label& squaresToGoLabel;
    ui::Line& roadLine;
    ui::Line& cliffLine;
    ui::Image& exclamationPicture;
    ui::Image& fallenCarPicture;
    ui::Image& verdictPicture;
    ui::Label& choicePromptLabel;
    ui::Button& forbiddenButton;
    ui::Button& nextButton;
    ui::Timer& startTimer;
    ui::ControlArray<ui::Timer>& diceTimers;
    ui::Timer& choicePromptTimer;
    ui::Timer& carMoveTimer;
    ui::Timer& heroineTurnTimer;
    ui::Timer& opponentTurnTimer;
    ui::Timer& firstStopTimer;
    ui::Timer& secondStopTimer;
    ui::Timer& opponentChoiceTimer;
    ui::Timer& fallTimer;
    ui::Timer& winBannerTimer;
    ui::Timer& lossBannerTimer;
    kit::RefusedClose revival_;  // armed by the rare draw at her loss

    enum class Side { Heroine, Opponent };

    int squaresLeft_ = raceto100rules::kRoad;
    int squaresToGo_ = 0;  // of the move the car is making
    std::array<int, 2> faces_{1, 1};
    Side turn_ = Side::Heroine;
    app::Phases<Phase> phases_{Phase::Starting,
                               {{Phase::Starting, &startTimer},
                                {Phase::HeroineChooses, &choicePromptTimer},
                                {Phase::CarMoves, &carMoveTimer},
                                {Phase::HeroineWaits, &heroineTurnTimer},
                                {Phase::OpponentWaits, &opponentTurnTimer},
                                {Phase::OpponentStopsFirst, &firstStopTimer},
                                {Phase::OpponentStopsSecond, &secondStopTimer},
                                {Phase::OpponentChooses, &opponentChoiceTimer},
                                {Phase::Falling, &fallTimer},
                                {Phase::WinDue, &winBannerTimer},
                                {Phase::LossDue, &lossBannerTimer}}};
    int diceStopped_ = 0;
    int sixtySixChance_ = raceto100rules::kSixtySixChance;
    bool stopsOnSixtySix_ = false;
    std::array<int, 2> targets_{};  // the faces the opponent stops its dice on
    int spinTicksLeft_ = 0;
    raceto100rules::Ranks ranks_{};
};

}  // namespace games
