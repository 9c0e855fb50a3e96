#pragma once

#include <array>

#include "games/kit/gameform.h"
#include "games/kit/refusedclose.h"
#include "games/puzzle/raceto100rules.h"

namespace games {

// A car on a hundred squares before a cliff: the heroine and the opponent take turns moving it by
// one of two dice, and whoever sends it over the edge loses.
class max100game final : public GameForm {
public:
    max100game(app::App& app, assets::Sozai& sozai);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;
    std::string checkInvariants() const override;

private:
    void kaisiwait_Timer();
    void dicetimer_Timer(int k);
    void stopbutton_Click(int k);
    void choicemessage_Timer();
    void diceimg_Click(int k);
    void carsusumitimer_Timer();
    void nonokaturnmati_Timer();
    void sumireturnmati_Timer();
    void oneriletome_Timer();
    void tworiletome_Timer();
    void choicemati_Timer();
    void rakkamati_Timer();
    void nonokawinwait_Timer();
    void sumirewinwait_Timer();
    void Image4_Click();
    void Image5_Click();
    void Command1_Click();
    void Command2_Click();

    void choicestart();
    void herotake();
    void nextturn();
    void heroturn();
    void eneturn();
    void aimfirst();
    void aimsecond();
    void enestop0();
    void enestop1();
    void enetake0();
    void enetake1();
    void enetake(int k);
    void carfall();
    void falljudge();
    void winstart();
    void losestart();
    void revival();
    void drawSixtysix();  // whether this turn of the heroine's gets the 66 face

    ui::Image& Image4;
    ui::Image& Image5;
    ui::ControlArray<ui::Image>& enediceimg;
    ui::ControlArray<ui::Image>& yazirusi;
    ui::ControlArray<ui::Image>& diceimg;
    ui::ControlArray<ui::Button>& stopbutton;
    ui::Label& Label1;
    ui::Label& nokorimasu;
    ui::Label& Label2;
    ui::Image& carimage;
    ui::Label& susumukazu;
    ui::Line& Line1;
    ui::Line& Line2;
    ui::Image& Image1;
    ui::Image& Image2;
    ui::Image& Image3;
    ui::Label& Label3;
    ui::Button& Command1;
    ui::Button& Command2;
    ui::Timer& kaisiwait;
    ui::ControlArray<ui::Timer>& dicetimer;
    ui::Timer& choicemessage;
    ui::Timer& carsusumitimer;
    ui::Timer& nonokaturnmati;
    ui::Timer& sumireturnmati;
    ui::Timer& oneriletome;
    ui::Timer& tworiletome;
    ui::Timer& choicemati;
    ui::Timer& rakkamati;
    ui::Timer& nonokawinwait;
    ui::Timer& sumirewinwait;
    kit::RefusedClose revivalstory;  // armed by the rare draw at her loss

    static constexpr int kHeroine = 2;
    static constexpr int kOpponent = 1;

    short masunokori = 0;
    short susumu = 0;
    std::array<short, 2> dice{};
    short turn = 0;
    short stopcount = 0;
    short choiceok = 0;
    short choiceno = 0;
    short choiceflash = 0;
    short sixtysixrate = 0;
    short sixtysixflg = 0;
    short bestface = 0;
    short bestrank = 0;
    short enetarget1 = 0;
    short enetarget2 = 0;
    short aimhit = 0;
    short spinwait = 0;
    max100rules::Ranks masurank{};
};

}  // namespace games
