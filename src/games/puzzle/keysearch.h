#pragma once

#include <array>

#include "app/phases.h"
#include "games/kit/gameform.h"
#include "games/puzzle/keysearchrules.h"

namespace games {

// The key lies in one of kBoxes treasure boxes; kChecks checks, and every wrong box tells how far it is.
class KeySearch final : public GameForm {
public:
    static constexpr char kName[] = "keysearch";  // names its row in the form table

    KeySearch(app::App& app, assets::Sozai& sozai);

    void onLoad() override;
    std::string checkInvariants() const override;
    bool decided() const override { return phases_.isAnyOf(Phase::Won, Phase::Lost); }

private:
    // The boxes wait for a check; a second and a half after the last, the verdict.
    enum class Phase { Searching, KeyFound, KeyMissed, Won, Lost };

    void onBoxClicked(int box);
    void onChecksLeftClicked();
    void onKeyFoundTick();
    void onKeyMissedTick();
    void onNextClicked();

    void keyFound(int box);
    void keyMissed(int box);
    void closeAllBoxes(int opened);  // the game is decided: no box reacts any more

    ui::Image& verdictPicture;
    ui::ControlArray<ui::Image>& boxPictures;
    ui::Label& instructionLabel;
    ui::Label& checksLeftTitleLabel;
    ui::Label& checksLeftLabel;
    ui::Label& keyRowLabel;
    ui::Label& keyColumnLabel;
    ui::Label& keyBoxLabel;
    ui::Image& keyPicture;
    ui::Button& nextButton;
    ui::Timer& keyFoundTimer;
    ui::Timer& keyMissedTimer;

    app::Phases<Phase> phases_{Phase::Searching, {{Phase::KeyFound, &keyFoundTimer}, {Phase::KeyMissed, &keyMissedTimer}}};
    std::array<bool, keysearchrules::kBoxes> opened_{};
    int checksLeft_ = 0;
    int keyRow_ = 0;
    int keyColumn_ = 0;
    int keyBox_ = 0;
    int countClicks_ = 0;  // on the count of checks left: the tenth shows the key's row and column
};

}  // namespace games
