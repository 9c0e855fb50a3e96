#pragma once

#include <string>
#include <vector>

#include "games/kit/gameform.h"

namespace games {

// A game's window before its play is built: caption, size, colour, continue code and exits as
// the game will have them, with the first exit visible so that the story can be walked.
struct PendingLayout {
    struct Exit {
        std::string button;
        std::string caption;
        ui::Rect rect;
        std::string next;
    };
    GameForm::Layout form;
    std::vector<Exit> exits;
};

const PendingLayout& pendingLayout(const std::string& form);

class PendingGame final : public GameForm {
public:
    PendingGame(app::App& app, assets::Sozai& sozai, const PendingLayout& layout);

    void Form_Load() override;

private:
    std::vector<ui::Button*> exits_;
};

}  // namespace games
