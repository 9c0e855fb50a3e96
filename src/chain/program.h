#pragma once

#include "app/app.h"
#include "assets/sozai.h"
#include "chain/formtable.h"
#include "ui/prerender.h"
#include "ui/units.h"

namespace ui {
class Clock;
}

namespace chain {

// The widest (the number lock's) and the tallest window a form opens, in twips: the scale asked
// for on the command line is held to what lets them fit the screen.
inline constexpr ui::Size kLargestWindow{11235, 7125};

// The whole game: every form of the table by name, the picture store, and the title to begin with.
class Program {
public:
    // Plays the game's own table unless given another, which must outlive it.
    Program(ui::Clock& clock, app::Random& random, const FormTable& table = formTable());

    app::App& app() { return app_; }
    const FormTable& table() const { return table_; }
    assets::Sozai& sozai() { return sozai_; }

    // Shows the title; nothing else runs until the player acts.
    void start();
    // Once the title has painted, renders every picture on a worker thread at the size the forms
    // show it and at the title's pixel ratio, so that no window waits for a picture while the
    // player reads the title: the store's at the sizes its table gives, every other one at the
    // size it was drawn for.
    void prerenderPictures();
    const ui::Prerender& prerender() const { return prerender_; }

private:
    const FormTable& table_;
    app::App app_;
    assets::Sozai sozai_;
    ui::Prerender prerender_;  // last: it finishes its work before anything else goes
};

}  // namespace chain
