#pragma once

#include <array>

#include "games/kit/gameform.h"
#include "games/kit/rollreveal.h"
#include "games/puzzle/hitandblowrules.h"

namespace games {

// The padlock at the mansion's door: four different digits in seven tries, told by ☆ and ★.
class Hitandblow final : public GameForm {
public:
    Hitandblow(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    std::string checkInvariants() const override;

private:
    void upbutton_Click(int i);
    void downbutton_Click(int i);
    void Picture1_Click();
    void Timer1_Timer();
    void Image2_Click();
    void Image4_Click(int i);
    void Command1_Click();

    void judgeguess();
    void drawchusen();
    void showchusen();
    void showhantei();  // and, after a pause, the guess goes into the history
    void lockopen();
    void lockfail();
    void putDialAway();  // the game is over, won or lost: the dial and the padlock go
    void showDial(int i);

    ui::Button& Command1;
    ui::Timer& starchusen;
    ui::Timer& Timer1;
    ui::Image& Picture1;
    ui::ControlArray<ui::Button>& upbutton;
    ui::ControlArray<ui::Button>& downbutton;
    ui::ControlArray<ui::Image>& passno;
    ui::Image& passmes;
    ui::ControlArray<ui::Image>& enternum;
    ui::ControlArray<ui::Image>& hantei;
    ui::Image& Image1;
    ui::Image& nchance;
    ui::Image& Image3;
    ui::Label& Label1;
    ui::ControlArray<ui::Image>& Image4;
    ui::ControlArray<ui::Label>& mno;
    ui::ControlArray<ui::Label>& mhit;
    ui::ControlArray<ui::Label>& mblow;
    ui::Image& Image2;
    ui::ControlArray<ui::Label>& passnumber;
    ui::Image& mark;
    ui::Line& Line1;
    kit::RollReveal roulette;  // the stars rolling on hantei, on starchusen

    games::hitandblowrules::Digits inputnum{};
    games::hitandblowrules::Digits answernum{};
    short chance = 0;
    short hitcount = 0;
    short blowcount = 0;
    games::hitandblowrules::Digits hanteimark{};
    games::hitandblowrules::Digits chusenmark{};
};

}  // namespace games
