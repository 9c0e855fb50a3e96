#include "games/pendinggame.h"

#include <stdexcept>

namespace games {

namespace {
using Exit = PendingLayout::Exit;

const std::vector<PendingLayout>& pendingGames() {
    static const std::vector<PendingLayout> kGames{
        {{"mizuhusen", "水風船投げバトル", {9885, 7095}, {255, 255, 128}, "Label4", {8640, 0, 1335, 255}, "3164",
         ui::kBlack}, {Exit{"Command3", "NEXT AREA", {7800, 5880, 1815, 615}, "mesarea4"}}},
        {{"nagagutsu", "長靴１００ｍ走", {9885, 7095}, {192, 255, 255}, "Label4", {8520, 0, 1335, 255}, "4789",
         ui::kBlack}, {Exit{"Command1", "NEXT AREA", {8160, 6360, 1575, 615}, "mesarea5"}}},
        {{"max100game", "１００を越えるな", {9885, 7095}, {255, 128, 128}, "Label4", {8640, 0, 1335, 255}, "9140",
         ui::kBlack}, {Exit{"Command2", "NEXT AREA", {8040, 6360, 1815, 735}, "tintiro2"}}},
        {{"rosoku", "ろうそく消し", {9885, 7095}, {255, 192, 192}, "Label11", {8520, 0, 1335, 255}, "9107",
         ui::kBlack},
         {Exit{"Command1", "NEXT AREA", {120, 120, 1575, 735}, "mesareaepi21"},
          Exit{"Command2", "NEXT AREA", {120, 120, 1575, 735}, "mesareaepi22"},
          Exit{"Command3", "NEXT AREA", {120, 120, 1575, 735}, "mesareaepi23"},
          Exit{"Command4", "NEXT AREA", {120, 120, 1575, 735}, "mesareaepi24"}}},
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
