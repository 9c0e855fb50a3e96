#pragma once

#include <array>

#include "app/phases.h"
#include "games/kit/gameform.h"
#include "games/kit/rollreveal.h"
#include "games/puzzle/hitandblowrules.h"

namespace games {

// The padlock at the mansion's door: four different digits in kTries tries, told by ☆ and ★.
class HitAndBlow final : public GameForm {
public:
    static constexpr char kName[] = "Hitandblow";  // names its row in the form table

    HitAndBlow(app::App& app, assets::Sozai& sozai);

    void onLoad() override;
    std::string checkInvariants() const override;
    bool decided() const override { return phases_.isAnyOf(Phase::Won, Phase::Lost); }

private:
    // A guess is judged on two chained timers: the roulette rolls, then the marks stay a while
    // before the guess goes into the history.
    enum class Phase { Dialling, Rolling, Recording, Won, Lost };

    void onDialUpClicked(int dial);
    void onDialDownClicked(int dial);
    void onPadlockClicked();
    void onRecordTick();
    void onHintHotSpotClicked();
    void onLegendClicked(int column);
    void onNextClicked();

    void judgeGuess();
    void drawRouletteFrame();
    void showRouletteFrame();
    void showJudgement();  // and, after a pause, the guess goes into the history
    void openLock();
    void failLock();
    void putDialAway();  // the game is over, won or lost: the dial and the padlock go
    void showDial(int dial);
    void nameDial(int dial);  // for a screen reader: which digit each button turns, and its value

    ui::Button& nextButton;
    ui::Timer& rouletteTimer;
    ui::Timer& recordTimer;
    ui::Image& padlockPicture;
    ui::ControlArray<ui::Button>& dialUpButtons;
    ui::ControlArray<ui::Button>& dialDownButtons;
    ui::ControlArray<ui::Image>& dialPictures;
    ui::Image& promptPicture;
    ui::ControlArray<ui::Image>& guessPictures;
    ui::ControlArray<ui::Image>& markPictures;
    ui::Image& remainingPicture;
    ui::Image& triesLeftPicture;
    ui::Image& timesPicture;
    ui::Label& historyTitleLabel;
    ui::ControlArray<ui::Image>& legendPictures;
    ui::ControlArray<ui::Label>& historyGuessLabels;
    ui::ControlArray<ui::Label>& historyHitLabels;
    ui::ControlArray<ui::Label>& historyBlowLabels;
    ui::Image& hintHotSpot;
    ui::ControlArray<ui::Label>& secretDigitLabels;
    ui::Image& verdictPicture;
    ui::Line& dividerLine;
    kit::RollReveal roulette_;  // the stars rolling on markPictures, on rouletteTimer

    app::Phases<Phase> phases_{Phase::Dialling, {{Phase::Rolling, &rouletteTimer}, {Phase::Recording, &recordTimer}}};
    games::hitandblowrules::Digits dialDigits_{0, 1, 2, 3};
    games::hitandblowrules::Digits secret_{};
    int triesLeft_ = games::hitandblowrules::kTries;
    games::hitandblowrules::Judgement judgement_;  // of the try being shown
    games::hitandblowrules::Marks marks_{};
    games::hitandblowrules::Marks rouletteMarks_{};
};

}  // namespace games
