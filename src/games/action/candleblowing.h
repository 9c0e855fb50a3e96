#pragma once

#include "app/steppedreveal.h"
#include "games/kit/countdown.h"
#include "games/kit/gameform.h"

namespace games {

// The finale: a countdown, fifteen seconds of breathing in by alternating the arrow keys, a timing
// shot with Space, then as many of the hundred candles go out as the breath and the timing earn;
// rarely the wind spirit finishes the job. The count chooses one of four epilogues.
class rosoku final : public GameForm {
public:
    rosoku(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    std::string checkInvariants() const override;
    void Form_KeyDown(int& keyCode) override;

private:
    void countlast_Click();
    void gagetametimer_Timer();
    void nokorizikan_Timer();
    void Timer2_Timer();
    void Timer1_Timer();
    void Timer3_Timer();
    void roudeletimer_Timer();
    void Timer4_Timer();
    void prehatudo_Timer();
    void Timer5_Timer();

    void startinhale();
    void inhale();
    void draincalc();
    void endinhale();
    void stopmeter();
    void grading();
    void blowresult();
    void showresult();
    void startscroll();
    void startrenumber();
    void announce();
    void show98();
    void endscroll();
    void showexit();
    void putOut(int slot);

    ui::Image& cake;
    ui::ControlArray<ui::Image>& rouimg;
    ui::ControlArray<ui::Label>& Label7;
    ui::Image& Image5;
    ui::Image& kazeimg;
    ui::Image& huta;
    ui::Label& Label3;
    ui::Image& countlast;
    ui::Label& label1;
    ui::Label& lastime;
    ui::Image& Image3;
    ui::Label& Label2;
    ui::Label& percent;
    ui::Label& Label4;
    ui::Image& Image1;
    ui::Image& Image2;
    ui::Image& Image4;
    ui::Label& Label5;
    ui::Label& Label6;
    ui::Label& kiehonsu;
    ui::Label& Label8;
    ui::Button& Command1;
    ui::Button& Command2;
    ui::Button& Command3;
    ui::Button& Command4;
    ui::Timer& countdowntimer;
    ui::Timer& gagetametimer;
    ui::Timer& nokorizikan;
    ui::Timer& Timer2;
    ui::Timer& Timer1;
    ui::Timer& Timer3;
    ui::Timer& roudeletimer;
    ui::Timer& countwait;
    ui::Timer& Timer4;
    ui::Timer& prehatudo;
    ui::Timer& Timer5;
    ui::Timer& sptimer;
    kit::Countdown counting;          // the figures on countlast before the breath
    app::SteppedReveal scrollwait;    // "計測！" before the hidden candles are counted
    app::SteppedReveal announcement;  // "本数＝", the count, "本", then the way on

    short power = 0;
    short lastkey = 0;
    short suikomiflg = 0;
    short nokorisec = 0;
    short drain = 0;
    short draindiv = 0;
    short meterpos = 0;
    short keisokuflg = 0;
    short hyouka = 0;
    short kouritu = 0;
    short kekka = 0;
    short kazeflg = 0;
    short kiecount = 0;
    short nokorirou = 0;
};

}  // namespace games
