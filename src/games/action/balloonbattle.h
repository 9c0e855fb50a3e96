#pragma once

#include "games/action/balloonbattlerules.h"
#include "games/kit/gameform.h"

namespace games {

// The heroine and the masked opponent pump one water balloon and throw it across; every pump and
// every throw may burst it, and whoever it bursts on is soaked and loses.
class mizuhusen final : public GameForm {
public:
    mizuhusen(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    std::string checkInvariants() const override;

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Image2_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void kozuewaittimer_Timer();
    void yazitimera_Timer();
    void yazitimerb_Timer();
    void hanteitimer_Timer();

    void pump();
    void pushcheck();
    void throwcheck();
    void bomb();
    void judge();
    void moveBalloon(int to);

    ui::Button& Command1;
    ui::Button& Command2;
    ui::Button& Command3;
    ui::Label& Label1;
    ui::ControlArray<ui::Label>& Label2;
    ui::Label& Label3;
    ui::Image& Image8;  // the water spraying out behind the burst, drawn under the figures
    ui::Image& Image1;
    ui::Image& Image2;
    ui::ControlArray<ui::Image>& Image3;
    ui::Image& Image4;
    ui::Image& Image5;
    ui::Image& Image6;
    ui::Image& Image7;
    ui::Line& Line1;
    ui::Line& Line2;
    ui::Line& Line3;
    ui::Timer& Timer1;
    ui::Timer& Timer2;
    ui::Timer& kozuewaittimer;
    ui::Timer& yazitimera;
    ui::Timer& yazitimerb;
    ui::Timer& hanteitimer;

    short husenpos = 0;
    short turn = 1;
    short kikendo = 0;
    short kozuepush = 3;
    short pushnokori = 0;
    short bombflg = 0;
};

}  // namespace games
