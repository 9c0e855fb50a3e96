#include "games/pendinggame.h"

#include <stdexcept>

namespace games {

namespace {
using Exit = PendingLayout::Exit;
constexpr ui::Rgb kDarkGreen{0, 64, 0};

const std::vector<PendingLayout>& pendingGames() {
    static const std::vector<PendingLayout> kGames{
        {{"tintiro1", "ちんちろ勝負Ａ", {9885, 7095}, kDarkGreen, "Label4", {8520, 0, 1335, 255}, "3940", ui::kWhite},
         {Exit{"Command1", "NEXT BUTTLE", {8160, 6480, 1695, 615}, "mizuhusen"}}},
        {{"tintiro2", "ちんちろ対決Ｂ", {9915, 7125}, kDarkGreen, "Label4", {8640, 0, 1335, 255}, "3896", ui::kWhite},
         {Exit{"Command1", "NEXT AREA", {8160, 6480, 1695, 615}, "mesarea6"},
          Exit{"Command2", "NEXT AREA", {8160, 6480, 1695, 615}, "mesareaspecial"}}},
    };
    return kGames;
}

}  // namespace

const PendingLayout& pendingLayout(const std::string& form) {
    for (const auto& g : pendingGames())
        if (g.form.name == form) return g;
    throw std::out_of_range("no pending game " + form);
}

PendingGame::PendingGame(app::App& app, assets::Sozai& sozai, const PendingLayout& layout)
    : GameForm(app, sozai, layout.form) {
    for (const auto& exit : layout.exits) {
        ui::Button& b = button(exit.button, exit.rect, exit.caption);
        b.setVisible(false);
        b.onClick = [this, next = exit.next] { changeScene(next); };
        exits_.push_back(&b);
    }
}

void PendingGame::Form_Load() {
    // The exits share one place on the branching games; the first stands for them all.
    exits_.front()->setVisible(true);
}

}  // namespace games
