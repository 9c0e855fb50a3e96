#pragma once

#include <array>
#include <string>

#include "games/dice/dicerules.h"
#include "games/dice/throwzones.h"
#include "games/kit/gameform.h"
#include "games/kit/rollreveal.h"

namespace games {

// What sets one Chinchirorin duel apart from the other on screen and in the gauge.
struct DuelLayout {
    GameForm::Layout form;
    std::string opponent;  // her controls are named after her: "kozue" gives kozuemes, kozuewaittimer…
    std::string oppName;   // opponentNameLabel, her disguise name
    ui::Rect oppNameRect;
    std::string portrait;  // opponentPicture
    ui::Rect oppmesRect;
    short firstFace;       // the large dice show this face and the next two before the first throw
    ui::Rect nonokaStar1;  // heroineStarPictures(1)
    ui::Rect image4;
    std::string exitCaption;  // nextButton
    std::array<std::string, 5> oppmes;
    const dicerules::ThrowRules& throwRules;
};

// A best-of-three Chinchirorin match against a computer opponent: she throws first, then the
// heroine times her throws with the running power gauge. Every phase runs on its own timer, which
// hands over to the next; no other of those timers runs meanwhile. The duels differ in the
// opponent's lines and dice, which the hooks below give; their defaults are the fair first duel.
class DuelForm : public GameForm {
public:
    DuelForm(app::App& app, assets::Sozai& sozai, const DuelLayout& layout);

    void Form_Load() override;
    std::string checkInvariants() const override;

protected:
    using Dice = dicerules::Dice;

    // Which of her lines (an index of oppmes) comes before a throw, given a draw r = 0..9; -1 for
    // none, and the line before keeps showing. throwleft already counts the throw about to come.
    virtual int oppline(int r) const = 0;
    // Load-time draws of the opponent's play, before her lines are filled.
    virtual void dealOpponent() {}
    // Her line goes when she throws.
    virtual void clearOppLine();
    // One die of her throw.
    virtual short oppdie();
    // How long her dice roll, given the drawn 7..19 ticks.
    virtual short oppRollTicks(short drawn) { return drawn; }
    // One face shown while the dice roll.
    virtual short rollingFace();
    // The turn has just passed to the heroine (her dice are still on the table).
    virtual void turnChanging() {}
    // A new bout begins: the table has been cleared.
    virtual void nextBoutBegins() {}
    // A small die of the last throw was clicked.
    virtual void onSmallDieClicked(int index) { (void)index; }
    // She has won two bouts.
    virtual void oppmatchwin();
    // The heroine has won the match: the way on.
    virtual void showExit();

    void onThrowClicked();
    void onGaugeTick();
    void onOpponentWaitTick();
    void onTurnChangeTick();
    void onJudgementTick();
    void onNextBoutTick();
    void onOpponentBannerTick();
    void onHeroineBannerTick();
    void onExclamationTick();
    virtual void onNextClicked() = 0;

    void oppmessage();
    void oppthrow();
    void playerthrow();
    void diceshow();
    void dammyshow();
    void dammydraw();
    void roll(short ticks);
    void landDice();
    void yakucheck();
    void menashi();
    void nextthrow();
    void oppnext();
    void playernext();
    void yakuset();
    void playerend();
    void oppend();
    void oppwin();
    void boutwon(ui::Image& winnerMark, ui::Image& loserMark, ui::ControlArray<ui::Image>& stars, short& wins,
                 void (DuelForm::*matchwon)());
    void nonokawin();
    void drawbout();
    void nonokamatchwin();
    void nextbout();
    void matchEnds();  // what both match ends clear away

    // Where the match stands; each phase but the last waits on its own timer.
    enum class Phase {
        OpponentWaits,
        Rolling,
        TurnPasses,
        HeroineAims,
        Judging,
        NextBout,
        OpponentWonMatch,
        HeroineWonMatch,
        Over
    };
    ui::Timer* timerOf(Phase p) const;
    void enter(Phase p);

    const DuelLayout& layout_;

    ui::Label& opponentNameLabel;
    ui::Image& opponentPicture;
    ui::ControlArray<ui::Image>& opponentStarPictures;
    ui::Image& opponentResultPicture;
    ui::Label& opponentLineLabel;
    ui::ControlArray<ui::Image>& smallDicePictures;
    ui::Image& bannerPicture;
    ui::ControlArray<ui::Label>& throwsLeftLabels;
    ui::Image& throwsLeftPicture;
    ui::ControlArray<ui::Image>& dicePictures;
    ui::Image& heroinePicture;
    ui::ControlArray<ui::Image>& heroineStarPictures;
    ui::Image& heroineResultPicture;
    ui::Image& exclamationPicture;
    ui::Button& throwButton;
    ui::Image& powerGauge;
    ui::Label& heroineNameLabel;
    ui::Button& nextButton;
    ui::Timer& gaugeTimer;
    ui::Timer& rollTimer;
    ui::Timer& opponentWaitTimer;
    ui::Timer& turnChangeTimer;
    ui::Timer& judgementTimer;
    ui::Timer& nextBoutTimer;
    ui::Timer& opponentBannerTimer;
    ui::Timer& heroineBannerTimer;
    ui::Timer& exclamationTimer;
    kit::RollReveal rolling;  // either side's dice, on rollTimer
    Phase phase_ = Phase::OpponentWaits;

    Dice dicenum{};       // the throw's faces, 0..5
    Dice dammynum{};      // the faces shown while the dice roll
    short nonokaturn = 0;    // 1 while the heroine throws
    short oppwaitcount = 0;  // seconds to the opponent's throw: her line at 2, the throw at 0
    short throwleft = 0;     // throws left in this turn
    short hand = 0;          // the hand of the throw just made
    short opphand = 0;       // the hand each side ends its turn with
    short nonokahand = 0;
    short oppwins = 0;       // bouts won, 0..2
    short nonokawins = 0;
    short gauge = 0;         // the power gauge, 0..6000
    std::array<std::string, 5> oppmes;  // the opponent's lines
};

}  // namespace games
