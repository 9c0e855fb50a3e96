#include "chain/titlescreen.h"

namespace chain {

TitleScreen::TitleScreen(app::App& app)
    : ui::Form(app.clock(), "maintitle", "メインタイトル", {8895, 7155}, ui::Rgb{255, 192, 255}),
      app_(app),
      titleLabel(label("titleLabel", {1080, 1080, 7335, 735}, "乃々香誕生日記念ミニゲーム", ui::gothic(27.75))),
      subtitleLabel(label("subtitleLabel", {3960, 1920, 4575, 735}, "～とらわれた和馬～", ui::gothic(18))),
      startButton(button("startButton", {3480, 4200, 1935, 615}, "はじめから", &TitleScreen::onStartClicked)),
      continueButton(button("continueButton", {3480, 5040, 1935, 615}, "続きから", &TitleScreen::onContinueClicked)) {}

// The keys a listener needs before anything else, once a run: the title shown again on the way
// back from the warp zone has been heard.
void TitleScreen::onLoad() {
    if (app_.openedFrom(name()).empty())
        announce("タブで選び、スペースかエンターで決める。物語のページもスペースかエンターでめくり、Rでもう一度聞ける");
}

// The title names its exits; the chain's table says where each leads.
void TitleScreen::onStartClicked() { app_.leave(*this, "startButton"); }

void TitleScreen::onContinueClicked() { app_.leave(*this, "continueButton"); }

}  // namespace chain
