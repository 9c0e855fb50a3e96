#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/phases.h"
#include "games/dice/dicerules.h"
#include "games/dice/throwzones.h"
#include "games/kit/gameform.h"
#include "games/kit/rollreveal.h"

namespace games {

// What sets one Chinchirorin duel apart from the other on screen and in the gauge.
struct DuelLayout {
    GameForm::Layout form;
    std::string opponentName;  // her disguise
    ui::Rect opponentNameRect;
    std::string opponentPortrait;
    ui::Rect opponentLineRect;
    bool lineStaysShown;  // her line's label stays on screen, empty, once she has thrown
    short firstFace;      // the large dice show this face and the next two before the first throw
    ui::Rect heroineSecondStar;
    ui::Rect exclamationRect;
    std::string nextCaption;
    std::array<std::string, 5> opponentLines;
    const dicerules::ThrowRules& throwRules;
};

// A best-of-three Chinchirorin match against a computer opponent: she throws first, then the
// heroine times her throws with the running power gauge. The duels differ in how the opponent
// plays and speaks; the form asks its variant through the few hooks below, whose defaults are
// the fair first duel, and keeps the match to itself.
class DuelForm : public GameForm {
public:
    DuelForm(app::App& app, assets::Sozai& sozai, const DuelLayout& layout);

    void onLoad() override;
    void onKeyDown(ui::KeyEvent& key) override;
    std::string checkInvariants() const override;
    bool decided() const override { return phases_.current() == Phase::Over; }

protected:
    // What her line before a throw may hang on.
    struct LineCue {
        int draw;        // 0..9, drawn before every throw of hers
        int throwsLeft;  // after the throw about to come
        int boutsWon;    // hers
        bool loaded;     // her dice this bout
    };

    // Her words on screen, in place of whatever she said last.
    void sayLine(const std::string& words);
    // The heroine takes the match, whatever its state: a lost match overturned.
    void heroineWinsMatch();
    // The timers that carry the match from phase to phase; at most one of them runs.
    std::vector<ui::Timer*> stepTimers() const { return phases_.timers(); }

private:
    // ---- What a duel decides ----

    // Which of her lines (an index of the layout's opponentLines) comes before a throw; -1 for
    // none, and the line before keeps showing.
    virtual int lineBeforeThrow(const LineCue& cue) const = 0;
    // Whether she throws loaded dice in a bout (0 the first, a drawn bout counting too), asked as
    // it begins, the first at load, where she may draw.
    virtual bool loadsDice(int bout);
    // The turn has just passed to the heroine; her hand is still on the table.
    virtual void turnPassed(short opponentHand);
    // The gauge's tick, in ms, after a click on a small die.
    virtual int gaugeTickAfterClick(int die, int tickMs) const;
    // She has won the match; her banner comes a second later.
    virtual void opponentWonMatch();
    // The way on the heroine's win shows.
    virtual ui::Button& exitAfterWin(ui::Button& nextButton);

    // ---- The match ----

    // Where the match stands. In each phase but the last exactly its own timer runs, and none in
    // Over; the throw button can be pressed exactly while the heroine aims.
    enum class Phase {
        OpponentWaits,  // her line, then her throw
        Rolling,        // either side's dice
        TurnPasses,     // her hand shows a while
        HeroineAims,    // the gauge runs
        Judging,
        NextBout,
        OpponentWonMatch,  // her banner in a second
        HeroineWonMatch,
        Over
    };

    void onOpponentWaitTick();
    void onTurnChangeTick();
    void onGaugeTick();
    void onThrowClicked();
    void onExclamationTick();
    void onJudgementTick();
    void onNextBoutTick();
    void onOpponentBannerTick();
    void onHeroineBannerTick();
    void onSmallDieClicked(int die);
    void onNextClicked();

    void opponentSpeaks();
    void opponentThrows();
    void heroineThrows();
    void roll(short frames);
    void drawRollingFaces();
    void showRollingFaces();
    void land();
    void throwAgain();
    void turnEnds(short hand);
    void boutWon(ui::Image& winnerMark, ui::Image& loserMark, ui::ControlArray<ui::Image>& stars, int& wins, Phase matchWon);
    void boutBegins();
    void matchEnds(ui::Image& loserPicture, ui::Label& loserName, assets::Verdict verdict);
    // Whose a stamp is and what it says, for a screen reader; empty words for a blank stamp.
    void nameResults(const std::string& opponentWords, const std::string& heroineWords);
    void nameThrowsLeft(int n);
    std::string sideOnTurn() const;
    // Her line as she says it, for a listener; empty when she said nothing since it was last heard.
    std::string takeHeardLine();

    const DuelLayout& layout_;

    ui::Label& opponentNameLabel;
    ui::Image& opponentPicture;
    ui::ControlArray<ui::Image>& opponentStarPictures;
    ui::Image& opponentResultPicture;
    ui::Label& opponentLineLabel;
    ui::ControlArray<ui::Image>& smallDicePictures;  // her last throw, while the heroine throws
    ui::Image& bannerPicture;
    ui::ControlArray<ui::Label>& throwsLeftLabels;
    ui::Image& throwsLeftPicture;
    ui::ControlArray<ui::Image>& dicePictures;
    ui::Image& heroinePicture;
    ui::ControlArray<ui::Image>& heroineStarPictures;
    ui::Image& heroineResultPicture;
    ui::Image& exclamationPicture;  // a perfect throw
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

    app::Phases<Phase> phases_{Phase::OpponentWaits,
                               {{Phase::OpponentWaits, &opponentWaitTimer},
                                {Phase::Rolling, &rollTimer},
                                {Phase::TurnPasses, &turnChangeTimer},
                                {Phase::HeroineAims, &gaugeTimer},
                                {Phase::Judging, &judgementTimer},
                                {Phase::NextBout, &nextBoutTimer},
                                {Phase::OpponentWonMatch, &opponentBannerTimer},
                                {Phase::HeroineWonMatch, &heroineBannerTimer}}};
    dicerules::Dice dice_{};          // the throw's faces
    dicerules::Dice rollingFaces_{};  // the faces shown while the dice roll
    bool isHeroinesTurn_ = false;
    int bout_ = 0;                                // the bout being played, 0 the first; a drawn bout counts too
    bool hasLoadedDice_ = false;                  // her dice, this bout
    int opponentWaitSeconds_ = 0;                 // to her throw: her line at 2, the throw at 0
    int throwsLeft_ = dicerules::kThrowsPerTurn;  // in this turn
    short opponentHand_ = dicerules::kNoHandYet;  // the hand each side ended its turn with
    short heroineHand_ = dicerules::kNoHandYet;
    int opponentWins_ = 0;  // bouts won
    int heroineWins_ = 0;
    short gauge_ = 0;
    std::string unheardLine_;  // her last line, until a sentence tells it
};

}  // namespace games
