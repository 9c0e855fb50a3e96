#pragma once

#include "games/dice/duelform.h"
#include "games/kit/refusedclose.h"

namespace games {

// The second Chinchirorin duel, against スミレ・デ・ワールズ, whose dice usually show only 4, 5
// and 6. After a lost match, a rare chance lets the heroine catch her at it when she tries to
// close the window; the match is then hers, and the story takes its special turn.
class SumireDuel final : public DuelForm {
public:
    static constexpr char kName[] = "tintiro2";  // names its row in the form table

    SumireDuel(app::App& app, assets::Sozai& sozai);

    void onUnload(ui::UnloadRequest& request) override;

private:
    int lineBeforeThrow(const LineCue& cue) const override;
    bool loadsDice(int bout) override;
    void turnPassed(short opponentHand) override;
    int gaugeTickAfterClick(int die, int tickMs) const override;
    void opponentWonMatch() override;
    ui::Button& exitAfterWin(ui::Button& nextButton) override;

    void onLineClearTick();
    void onCaughtCheatingClicked();

    ui::Button& caughtCheatingButton;
    ui::Timer& lineClearTimer;   // her grin goes a second after the turn change
    kit::RefusedClose exposure;  // armed by the rare draw at her match win

    bool wasCaughtCheating_ = false;
};

}  // namespace games
