#pragma once

#include <array>

#include "games/kit/gameform.h"
#include "games/puzzle/keysearchrules.h"

namespace games {

// The key lies in one of 81 treasure boxes; four checks, and every wrong box tells how far it is.
class keysearch final : public GameForm {
public:
    keysearch(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    std::string checkInvariants() const override;

private:
    void Image1_Click(int i);
    void nokori_Click();
    void mitukaritimer_Timer();
    void mitukarantimer_Timer();
    void Command1_Click();

    void keyfound();
    void keylost();
    void closeAllBoxes();  // the game is decided: no box reacts any more

    ui::Image& Image3;
    ui::ControlArray<ui::Image>& Image1;
    ui::Label& sentakuimg;
    ui::Label& Label1;
    ui::Label& nokori;
    ui::Label& Label2;
    ui::Label& Label3;
    ui::Label& Label5;
    ui::Image& Image2;
    ui::Button& Command1;
    ui::Timer& mitukaritimer;
    ui::Timer& mitukarantimer;

    std::array<short, keysearchrules::kBoxes + 1> opened{};
    short checkcount = 0;
    short keyrow = 0;
    short keycol = 0;
    short keyindex = 0;
    short tapcount = 0;
};

}  // namespace games
