#pragma once

#include "games/kit/countdown.h"
#include "games/kit/gameform.h"

namespace games {

// A 100 m dash in rubber boots: the arrow keys are her feet, taken in turn, against a 40 s clock.
class nagagutsu final : public GameForm {
public:
    nagagutsu(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    std::string checkInvariants() const override;
    void Form_KeyDown(int& keyCode) override;

private:
    void Label4_Click();
    void lasttime_Timer();
    void korobitimer_Timer();
    void Command1_Click();

    void footstep(short foot);
    void samefootcheck();
    void speedcheck();
    void tumble();
    void racestart();
    void goal();
    void timeup();
    void raceover(int mark);  // what goal and time-up share

    ui::Image& trackimg;
    ui::Label& Label5;
    ui::Label& Label2;
    ui::Label& Label3;
    ui::ControlArray<ui::Label>& Label1;
    ui::Label& nokoritime;
    ui::Label& nkyori;
    ui::Image& Image1;
    ui::Image& Image2;
    ui::Image& Image3;
    ui::Image& Image4;
    ui::Line& Line1;
    ui::Line& Line5;
    ui::Button& Command1;
    ui::Timer& countdown;
    ui::Timer& lasttime;
    ui::Timer& korobitimer;
    kit::Countdown counting;  // the figures on Image1 before the start

    short kyori = 0;       // tenths of a metre left
    short nokorisec = 0;   // seconds left
    short lastfoot = 0;    // 0 either foot may go, 1 left, 2 right
    short runflg = 0;      // 1 while she may run
    short sokudo = 0;      // tenths gained since the last tick of the race clock
    short korobiritu = 0;  // chances in ten of a fall at the risky pace
    mutable short lowestKyori_ = 1000;  // what the invariants have seen so far
};

}  // namespace games
