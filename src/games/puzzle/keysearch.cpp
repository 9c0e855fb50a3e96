#include "games/puzzle/keysearch.h"

#include <string>

#include "assets/library.h"
#include "ui/keyboard.h"

namespace games {

namespace {
using keysearchrules::kBoxes;
using keysearchrules::kColumns;

constexpr ui::Rgb kLightBlue{192, 192, 255};

// Box i of the grid: row i div 9, column i mod 9.
ui::Rect box(int i) { return {360 + 720 * (i % kColumns), 360 + 720 * (i / kColumns), 600, 600}; }
}  // namespace

keysearch::keysearch(app::App& app, assets::Sozai& sozai)
    : GameForm(app, sozai, {"keysearch", "鍵を探せ！", {9885, 7095}, kLightBlue, "Label4", {8520, 0, 1335, 255}}),
      // The stamp lies beneath the boxes: empty, it would otherwise swallow the clicks of the four
      // rows it covers, and once it shows, the boxes have gone.
      Image3(image("Image3", {0, 1680, 7500, 2775})),
      Image1(imageArray("Image1", kBoxes, box, assets::picture("scenes/keysearch/takarabako"), &keysearch::Image1_Click)),
      sentakuimg(label("sentakuimg", {2400, 120, 2655, 375}, "宝箱を選んでください", ui::gothic(14.25))),
      Label1(label("Label1", {6960, 840, 2775, 615}, "残りチェック回数", ui::gothic(18))),
      nokori(label("nokori", {7680, 1440, 975, 975}, "0", ui::gothic(48), ui::Align::Center,
                   &keysearch::nokori_Click)),
      Label2(label("Label2", {7320, 240, 255, 255}, "0")),
      Label3(label("Label3", {7800, 240, 255, 255}, "0")),
      Label5(label("Label5", {9480, 3000, 255, 255}, "0")),
      Image2(image("Image2", {7080, 3240, 2250, 2250}, assets::picture("scenes/keysearch/bigkey"))),
      Command1(button("Command1", {8040, 6360, 1815, 735}, "NEXT AREA", &keysearch::Command1_Click)),
      mitukaritimer(timer("mitukaritimer", 1500, &keysearch::mitukaritimer_Timer)),
      mitukarantimer(timer("mitukarantimer", 1500, &keysearch::mitukarantimer_Timer)) {
    for (ui::Label* l : {&Label2, &Label3, &Label5}) l->setVisible(false);
    Image2.setVisible(false);
    Command1.setVisible(false);

    ui::arrowGrid(9, ui::cellsOf(Image1));
}

void keysearch::Form_Load() {
    Randomize();
    tapcount = 0;
    opened.fill(0);
    checkcount = 4;
    nokori.setCaption(std::to_string(checkcount));
    keyrow = static_cast<short>(Int(Rnd() * 9));
    keycol = static_cast<short>(Int(Rnd() * 9));
    Label2.setCaption(std::to_string(keyrow));
    Label3.setCaption(std::to_string(keycol));
    keyindex = static_cast<short>(keyrow * kColumns + keycol);
    Label5.setCaption(std::to_string(keyindex));
}

void keysearch::Image1_Click(int i) {
    if (opened[i] == 0) --checkcount;
    nokori.setCaption(std::to_string(checkcount));
    opened[i] = 1;
    if (i == keyindex) {
        Image1[i].setPicture(sozai_.minikey());
        keyfound();
        return;
    }
    Image1[i].setPicture(sozai_.mininumber(keysearchrules::distance(i, keyindex) - 1));
    if (checkcount == 0) keylost();
}

void keysearch::closeAllBoxes() {
    for (ui::Image& box : Image1) box.setEnabled(false);
}

void keysearch::keyfound() {
    closeAllBoxes();
    mitukaritimer.setEnabled(true);
}

void keysearch::keylost() {
    closeAllBoxes();
    mitukarantimer.setEnabled(true);
}

void keysearch::mitukaritimer_Timer() {
    for (ui::Image& box : Image1) box.setVisible(false);
    Image2.setVisible(true);
    Image3.setPicture(sozai_.hanmark(1));
    Command1.setVisible(true);
    mitukaritimer.setEnabled(false);
}

void keysearch::mitukarantimer_Timer() {
    for (ui::Image& box : Image1) box.setVisible(false);
    Image3.setPicture(sozai_.hanmark(0));
    mitukarantimer.setEnabled(false);
}

void keysearch::nokori_Click() {
    ++tapcount;
    if (tapcount == 10) {
        Label2.setVisible(true);
        Label3.setVisible(true);
    }
    if (tapcount == 19) tapcount = 11;  // the hint shows once; the count never comes back to 10
}

std::string keysearch::checkInvariants() const {
    if (checkcount < 0 || checkcount > 4) return "checks left out of 0..4";
    if (nokori.caption() != std::to_string(checkcount)) return "the count shows another number than is left";
    int openedBoxes = 0;
    for (int i = 0; i < kBoxes; ++i) openedBoxes += opened[i];
    if (openedBoxes != 4 - checkcount) return "opened boxes and checks spent disagree";
    return {};
}

void keysearch::Command1_Click() { leave("Command1"); }

}  // namespace games
