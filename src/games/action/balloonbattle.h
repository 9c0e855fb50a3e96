#pragma once

#include "app/phases.h"
#include "games/action/balloonbattlerules.h"
#include "games/kit/gameform.h"

namespace games {

// The heroine and the masked opponent pump one water balloon and throw it across; every pump and
// every throw may burst it, and whoever it bursts on is soaked and loses.
class BalloonBattle final : public GameForm {
public:
    static constexpr char kName[] = "mizuhusen";  // names its row in the form table

    BalloonBattle(app::App& app, assets::Sozai& sozai);

    void onLoad() override;
    std::string checkInvariants() const override;
    bool decided() const override { return phases_.current() == Phase::Over; }

private:
    // Where the battle stands. Each phase waits on its own timer, but the heroine's turn, which
    // waits on her buttons, and the end; the arrows that show a pump run beside any phase.
    enum class Phase { OpponentPumps, FlyingToHeroine, HeroinePumps, FlyingToOpponent, Burst, Over };
    bool opponentHolds() const { return phases_.isAnyOf(Phase::OpponentPumps, Phase::FlyingToHeroine); }

    void onPumpClicked();
    void onThrowClicked();
    void onNextClicked();
    void onHeroineClicked();
    void onFlightToHeroineTick();
    void onFlightToOpponentTick();
    void onOpponentPumpTick();
    void onHeroineArrowTick();
    void onOpponentArrowTick();
    void onVerdictTick();

    bool pump();  // whether it burst
    bool checkPump();
    void checkThrow();
    void burst(const std::string& how);  // how opens what a listener hears of it
    void judge();
    void moveBalloon(int to);

    ui::Button& pumpButton;
    ui::Button& throwButton;
    ui::Button& nextButton;
    ui::Label& dangerHeadingLabel;
    ui::ControlArray<ui::Label>& nameLabels;  // the opponent's, the heroine's
    ui::Label& dangerLabel;                   // the danger level, shown by a click on the heroine
    ui::Image& sprayImage;                    // the water spraying out behind the burst, drawn under the figures
    ui::Image& opponentImage;
    ui::Image& heroineImage;
    ui::ControlArray<ui::Image>& balloonImages;  // one at each step of the arc
    ui::Image& dangerGauge;
    ui::Image& resultImage;
    ui::Image& opponentArrowImage;
    ui::Image& heroineArrowImage;
    ui::Line& groundLine;
    ui::Line& gaugeEndLine;
    ui::Line& gaugeStartLine;
    ui::Timer& flightToHeroineTimer;
    ui::Timer& flightToOpponentTimer;
    ui::Timer& opponentPumpTimer;
    ui::Timer& heroineArrowTimer;
    ui::Timer& opponentArrowTimer;
    ui::Timer& verdictTimer;

    app::Phases<Phase> phases_{Phase::OpponentPumps,
                               {{Phase::OpponentPumps, &opponentPumpTimer},
                                {Phase::FlyingToHeroine, &flightToHeroineTimer},
                                {Phase::FlyingToOpponent, &flightToOpponentTimer},
                                {Phase::Burst, &verdictTimer}}};
    short balloonAt_ = 0;  // its step on the arc, 0 above the opponent
    short danger_ = 0;
    short opponentPumpsLeft_ = 3;
    short heroinePumpsLeft_ = 0;
    bool doomedThrow_ = false;       // the balloon in flight bursts one step out
    bool opponentSoaked_ = false;    // decided when it bursts: it was on her side
    bool hasHeardTheRules_ = false;  // said with the opponent's first pump
    bool hasHeardTheKeys_ = false;   // said on the heroine's first turn
};

}  // namespace games
