#pragma once

#include <memory>

#include "app/app.h"
#include "assets/sozai.h"

namespace ui {
class Clock;
}

namespace app {

// The whole game: every form by name, the picture store, and the title to begin with.
class Program {
public:
    Program(ui::Clock& clock, Random& random);

    App& app() { return app_; }
    assets::Sozai& sozai() { return sozai_; }

    // Shows the title; nothing else runs until the player acts.
    void start();

    // Every form of the game, title and warp zone included (not the picture store).
    static const std::vector<std::string>& allForms();
    // The eight games, each of which unloads the picture store when it goes.
    static const std::vector<std::string>& gameForms();

private:
    App app_;
    assets::Sozai sozai_;
};

}  // namespace app
