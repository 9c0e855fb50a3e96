#pragma once

#include <array>

#include "app/app.h"
#include "assets/sozai.h"
#include "games/puzzle/hitandblowrules.h"
#include "ui/form.h"

// The padlock at the mansion's door: four different digits in seven tries, told by ☆ and ★.
class Hitandblow final : public ui::Form {
public:
    Hitandblow(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    void upbutton_Click(int i);
    void downbutton_Click(int i);
    void Picture1_Click();
    void starchusen_Timer();
    void Timer1_Timer();
    void Image2_Click();
    void Image4_Click(int i);
    void Command1_Click();

    void judgeguess();
    void drawchusen();
    void showchusen();
    void showhantei();
    void lockopen();
    void lockfail();
    void putDialAway();  // the game is over, won or lost: the dial and the padlock go
    void showDial(int i);

    app::App& app_;
    assets::Sozai& sozai_;

    ui::Button& Command1;
    ui::Timer& starchusen;
    ui::Timer& Timer1;
    ui::Image& Picture1;
    std::array<ui::Button*, 4> upbutton{};
    std::array<ui::Button*, 4> downbutton{};
    std::array<ui::Image*, 4> passno{};
    ui::Image& passmes;
    std::array<ui::Image*, 4> enternum{};
    std::array<ui::Image*, 4> hantei{};
    ui::Image& Image1;
    ui::Image& nchance;
    ui::Image& Image3;
    ui::Label& Label1;
    std::array<ui::Image*, 2> Image4{};
    std::array<ui::Label*, 7> mno{};
    std::array<ui::Label*, 7> mhit{};
    std::array<ui::Label*, 7> mblow{};
    ui::Image& Image2;
    std::array<ui::Label*, 4> passnumber{};
    ui::Image& mark;
    ui::Label& Label2;
    ui::Line& Line1;

    games::hitandblow::Digits inputnum{};
    games::hitandblow::Digits answernum{};
    short chance = 0;
    short hitcount = 0;
    short blowcount = 0;
    games::hitandblow::Digits hanteimark{};
    games::hitandblow::Digits chusenmark{};
    short chusencount = 0;
};
