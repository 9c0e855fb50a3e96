#include "games/puzzle/hitandblow.h"

#include <string>

#include "assets/library.h"
#include "ui/keyboard.h"

namespace games {

namespace {

constexpr ui::Rgb kPink{255, 192, 192};

// Our Gothic's digits are wider than those the history column was laid out for; narrowed, four of
// them fit the column at their full height, and the counts beside them sit centred in their boxes
// so that a guess and its counts never read as one number.
const ui::Font kHistoryDigits = ui::condensed(ui::gothic(36), 82);

// The pictures the form was designed with; the store supplies every later one.
ui::Picture designed(const std::string& name) { return assets::picture(name); }

// The history grows upwards: the first try is recorded in the bottom row, 6.
int historyTop(int k) { return 1440 + 600 * (6 - k); }

}  // namespace

Hitandblow::Hitandblow(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {"Hitandblow", "鍵を開けろ！", {11235, 7095}, kPink, "Label2", {9960, 0, 1335, 255}}),
      Command1(button("Command1", {8880, 6000, 1695, 735}, "NEXT AREA", &Hitandblow::Command1_Click)),
      starchusen(timer("starchusen", 200)),
      Timer1(timer("Timer1", 2000, &Hitandblow::Timer1_Timer)),
      Picture1(pictureBox("Picture1", {6120, 4680, 1260, 1560}, designed("scenes/hitandblow/padlock"),
                          &Hitandblow::Picture1_Click)),
      upbutton(buttonArray("upbutton", 4, [](int i) { return ui::Rect{840 + 1320 * i, 3960, 735, 735}; }, "↑",
                           &Hitandblow::upbutton_Click, ui::gothic(12))),
      downbutton(buttonArray("downbutton", 4, [](int i) { return ui::Rect{840 + 1320 * i, 6000, 735, 735}; }, "↓",
                             &Hitandblow::downbutton_Click, ui::gothic(12))),
      passno(array<ui::Image>("passno", 4,
                              [this](const std::string& n, int i) -> ui::Image& {
                                  return image(n, {600 + 1320 * i, 4800, 1125, 1125},
                                               designed("store/numberimg_" + std::to_string(i)));
                              })),
      passmes(image("passmes", {480, 2040, 6750, 900}, designed("scenes/hitandblow/passmes"))),
      enternum(imageArray("enternum", 4, [](int i) { return ui::Rect{240 + 600 * i, 2040, 1050, 900}; })),
      hantei(imageArray("hantei", 4, [](int i) { return ui::Rect{3240 + 720 * i, 2040, 750, 750}; })),
      Image1(image("Image1", {720, 720, 2250, 900}, designed("scenes/hitandblow/nokori"))),
      nchance(image("nchance", {2280, 600, 1050, 900}, designed("store/sysnumberimg_7"))),
      Image3(image("Image3", {3360, 645, 1050, 900}, designed("scenes/hitandblow/kai"))),
      Label1(label("Label1", {7920, 360, 2775, 615}, "これまでの履歴", ui::gothic(20.25))),
      Image4(array<ui::Image>("Image4", 2,
                              [this](const std::string& n, int i) -> ui::Image& {
                                  return image(n, {9360 + 720 * i, 840, 750, 750},
                                               designed(i == 0 ? "store/star_1" : "store/star_2"));
                              },
                              &Hitandblow::Image4_Click)),
      mno(labelArray("mno", 7, [](int k) { return ui::Rect{7920, historyTop(k), 1575, 735}; }, "0000",
                     kHistoryDigits)),
      mhit(labelArray("mhit", 7, [](int k) { return ui::Rect{9600, historyTop(k), 615, 615}; }, "0", ui::gothic(36),
                      ui::Align::Center)),
      mblow(labelArray("mblow", 7, [](int k) { return ui::Rect{10320, historyTop(k), 615, 615}; }, "0",
                       ui::gothic(36), ui::Align::Center)),
      Image2(image("Image2", {7200, 0, 600, 600}, {}, &Hitandblow::Image2_Click)),
      passnumber(labelArray("passnumber", 4, [](int i) { return ui::Rect{240 + 240 * i, 120, 375, 375}; }, "0")),
      mark(image("mark", {-120, 3720, 7500, 2775})),
      Line1(line("Line1", 7560, 0, 7560, 7080)),
      roulette(starchusen, {this, &Hitandblow::drawchusen}, {this, &Hitandblow::showchusen},
               {this, &Hitandblow::showhantei}) {
    Command1.setVisible(false);
    for (int i = 0; i < 4; ++i) {
        enternum[i].setVisible(false);
        hantei[i].setVisible(false);
        passnumber[i].setVisible(false);
    }
    for (int k = 0; k < 7; ++k)
        for (ui::Label* l : {&mno[k], &mhit[k], &mblow[k]}) l->setVisible(false);
    Image2.setVisible(false);

    Picture1.setTabStop(true);
    ui::arrowGrid(4, ui::cellsOf(upbutton, downbutton));
}

void Hitandblow::Form_Load() {
    Randomize();
    inputnum = {0, 1, 2, 3};
    answernum = hitandblowrules::drawSecret(app_.random());
    for (int i = 0; i < 4; ++i) passnumber[i].setCaption(std::to_string(answernum[i]));
    chance = 7;
}

void Hitandblow::upbutton_Click(int i) {
    inputnum[i] = static_cast<short>((inputnum[i] + 1) % 10);
    showDial(i);
}

void Hitandblow::downbutton_Click(int i) {
    inputnum[i] = static_cast<short>((inputnum[i] + 9) % 10);
    showDial(i);
}

void Hitandblow::showDial(int i) { passno[i].setPicture(sozai_.numberimg(inputnum[i])); }

void Hitandblow::Picture1_Click() {
    passmes.setVisible(false);
    hitcount = 0;
    blowcount = 0;
    for (int i = 0; i < 4; ++i) {
        hanteimark[i] = 0;
        hantei[i].setPicture(sozai_.star(0));
        hantei[i].setVisible(true);
        enternum[i].setPicture(sozai_.sysnumberimg(inputnum[i]));
        enternum[i].setVisible(true);
        upbutton[i].setEnabled(false);
        downbutton[i].setEnabled(false);
    }
    Picture1.setVisible(false);
    judgeguess();
}

void Hitandblow::judgeguess() {
    starchusen.setInterval(200);
    const auto ticks = static_cast<short>(Int(Rnd() * 9) + 11);
    const auto j = hitandblowrules::judge(inputnum, answernum);
    hitcount = j.hits;
    blowcount = j.blows;
    hanteimark = hitandblowrules::sortedMarks(j);
    roulette.start(ticks);
}

void Hitandblow::drawchusen() {
    chusenmark = {0, 0, 0, 0};
    const int n = Int(Rnd() * 4) + 1;
    const int m = Int(Rnd() * (n + 1));
    for (int k = 0; k < n; ++k) chusenmark[k] = k < m ? 1 : 2;
}

void Hitandblow::showchusen() {
    for (int k = 0; k < 4; ++k) hantei[k].setPicture(sozai_.star(chusenmark[k]));
}

void Hitandblow::showhantei() {
    for (int k = 0; k < 4; ++k) hantei[k].setPicture(sozai_.star(hanteimark[k]));
    Timer1.setEnabled(true);
}

void Hitandblow::Timer1_Timer() {
    Picture1.setVisible(true);
    for (int i = 0; i < 4; ++i) {
        downbutton[i].setEnabled(true);
        upbutton[i].setEnabled(true);
        hantei[i].setVisible(false);
        enternum[i].setVisible(false);
    }
    --chance;
    nchance.setPicture(sozai_.sysnumberimg(chance));
    const int k = chance;
    std::string guess;
    for (short d : inputnum) guess += std::to_string(d);
    mno[k].setCaption(guess);
    mhit[k].setCaption(std::to_string(hitcount));
    mblow[k].setCaption(std::to_string(blowcount));
    for (ui::Label* l : {&mno[k], &mhit[k], &mblow[k]}) l->setVisible(true);
    if (hitcount == 4) lockopen();
    if (chance == 1) Image2.setVisible(true);
    if (chance == 0 && hitcount != 4) lockfail();
    Timer1.setEnabled(false);
    passmes.setVisible(true);
}

void Hitandblow::putDialAway() {
    for (int i = 0; i < 4; ++i) {
        upbutton[i].setVisible(false);
        downbutton[i].setVisible(false);
        passno[i].setVisible(false);
    }
    Picture1.setVisible(false);
}

void Hitandblow::lockopen() {
    putDialAway();
    mark.setPicture(sozai_.hanmark(1));
    mark.setVisible(true);
    Command1.setVisible(true);
}

void Hitandblow::lockfail() {
    putDialAway();
    passmes.setPicture({});
    mark.setPicture(sozai_.hanmark(0));
    mark.setVisible(true);
}

void Hitandblow::Image4_Click(int i) {
    if (chance == 1) passnumber[i].setVisible(true);
}

void Hitandblow::Image2_Click() {
    for (ui::Label& l : passnumber) l.setVisible(true);
}

std::string Hitandblow::checkInvariants() const {
    if (starchusen.enabled() && Timer1.enabled()) return "rolling and recording at once";
    if (chance < 0 || chance > 7) return "tries left out of 0..7";
    if (starchusen.enabled())
        for (int i = 0; i < 4; ++i)
            if (upbutton[i].enabled() || downbutton[i].enabled()) return "a dial turns while the roulette rolls";
    return {};
}

void Hitandblow::Command1_Click() { leave("Command1"); }

}  // namespace games
