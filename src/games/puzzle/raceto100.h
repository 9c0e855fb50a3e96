#pragma once

#include <array>

#include "games/kit/gameform.h"
#include "games/kit/refusedclose.h"
#include "games/puzzle/raceto100rules.h"

namespace games {

// A car on a hundred squares before a cliff: the heroine and the opponent take turns moving it by
// one of two dice, and whoever sends it over the edge loses.
class RaceTo100 final : public GameForm {
public:
    RaceTo100(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    std::string checkInvariants() const override;

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

    int squaresLeft_ = 0;
    int squaresToGo_ = 0;  // of the move the car is making
    std::array<int, 2> faces_{};
    Side turn_ = Side::Heroine;
    int diceStopped_ = 0;
    bool mayChoose_ = false;
    int sixtySixChance_ = 0;  // in 10000, at each of her turns
    bool stopsOnSixtySix_ = false;
    std::array<int, 2> targets_{};  // the faces the opponent stops its dice on
    int spinTicksLeft_ = 0;
    raceto100rules::Ranks ranks_{};
};

}  // namespace games
