#pragma once

#include <string>
#include <vector>

#include "app/app.h"
#include "assets/sozai.h"
#include "ui/form.h"

namespace games {

// A game's window before its play is built: caption, size, colour, continue code and exits as
// the game will have them, with the first exit visible so that the story can be walked.
struct GameLayout {
    struct Exit {
        std::string button;
        std::string caption;
        ui::Rect rect;
        std::string next;
    };
    std::string form;
    std::string caption;
    ui::Size client;
    ui::Rgb background;
    std::string codeLabel;
    ui::Rect codeRect;
    std::string code;
    ui::Rgb codeColor = ui::kBlack;
    std::vector<Exit> exits;
};

const std::vector<GameLayout>& pendingGames();

class PendingGame final : public ui::Form {
public:
    PendingGame(app::App& app, assets::Sozai& sozai, const GameLayout& layout);

    void Form_Load() override;
    void Form_Unload(bool& cancel) override;

private:
    app::App& app_;
    assets::Sozai& sozai_;
    std::vector<ui::Button*> exits_;
};

}  // namespace games
