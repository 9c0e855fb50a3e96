#pragma once

#include "games/dice/duelform.h"
#include "games/kit/refusedclose.h"

namespace games {

// The second Chinchirorin duel, against スミレ・デ・ワールズ, whose dice usually show only 4, 5
// and 6. After a lost match, a rare chance lets the heroine catch her at it when she tries to
// close the window; the match is then hers, and the story takes its special turn.
class SumireDuel final : public DuelForm {
public:
    SumireDuel(app::App& app, assets::Sozai& sozai);

    void Form_Unload(bool& cancel) override;

private:
    void dealOpponent() override;
    int oppline(int r) const override;
    void clearOppLine() override;
    short oppdie() override;
    short oppRollTicks(short drawn) override;
    short rollingFace() override;
    void turnChanging() override;
    void nextBoutBegins() override;
    void oppmatchwin() override;
    void showExit() override;
    void onNextClicked() override;
    void onCaughtCheatingClicked();
    void onLineClearTick();
    void onSmallDieClicked(int index) override;
    void exposecheat();

    ui::Button& caughtCheatingButton;
    ui::Timer& lineClearTimer;
    kit::RefusedClose exposure;  // armed by the rare draw at her match win

    short cheatflag = 0;
    short exposed = 0;  // 1 once she was caught: the way on is caughtCheatingButton
};

}  // namespace games
