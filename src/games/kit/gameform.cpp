#include "games/kit/gameform.h"

#include "ui/announcer.h"

namespace games {

GameForm::GameForm(app::App& app, assets::Sozai& sozai, const Layout& layout)
    : ui::Form(app.clock(), layout.name, layout.caption, layout.client, layout.background),
      app_(app),
      sozai_(sozai),
      codeLabel_(label("codeLabel", layout.codeRect, "C-PASS = " + app.facts(layout.name).code)) {
    codeLabel_.setForeColor(layout.codeColor);
    // The code is the player's only record of progress: every digit of it must show.
    codeLabel_.keepInside(layout.client);
}

void GameForm::onUnload(ui::UnloadRequest&) { sozai_.unload(); }

void GameForm::announceLoss(const std::string& what) {
    announce(what + "。続きのコードは" + app_.facts(name()).code +
             "。ウィンドウを閉じ、タイトルの「続きから」でこのコードを入れると、ここからやり直せる");
}

void GameForm::showExit(ui::Button& exit) {
    exit.setVisible(true);
    if (ui::screenReaderRuns()) exit.setFocus();
}

namespace {
GameForm::RoundListener& roundListener() {
    static GameForm::RoundListener listener;
    return listener;
}
}  // namespace

void GameForm::setRoundListener(RoundListener listener) { roundListener() = std::move(listener); }

void GameForm::roundBegins() {
    ++round_;
    if (roundListener()) roundListener()(*this, round_);
}

}  // namespace games
