#pragma once

#include "app/app.h"
#include "assets/sozai.h"

namespace ui {
class Clock;
}

namespace chain {

// The whole game: every form of the table by name, the picture store, and the title to begin with.
class Program {
public:
    Program(ui::Clock& clock, app::Random& random);

    app::App& app() { return app_; }
    assets::Sozai& sozai() { return sozai_; }

    // Shows the title; nothing else runs until the player acts.
    void start();

private:
    app::App app_;
    assets::Sozai sozai_;
};

}  // namespace chain
