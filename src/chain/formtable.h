#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "assets/sozai.h"
#include "ui/form.h"
#include "warp/warpzone.h"

namespace chain {

enum class Kind { Title, Warp, Story, Game };

// One line per form of the game, in story order: what it is, how it is made, and the caption of
// its warp button. The chain, the game list, the warp zone's targets and the tests' walk through
// the story all come from here, so that adding a game is one line.
struct FormEntry {
    using Factory = std::function<std::unique_ptr<ui::Form>(app::App&, assets::Sozai&)>;
    std::string name;
    Kind kind;
    std::string warpCaption;  // empty: no warp button leads here
    bool mainLine;            // false for the forms only a branch reaches
    Factory make;
};

const std::vector<FormEntry>& formTable();

// Derived from the table.
std::vector<std::string> allForms();     // every form, title and warp zone included
std::vector<std::string> gameForms();    // the eight games, each of which unloads the picture store
std::vector<std::string> mainLine();     // the story from the title to the end, without branches
std::vector<WarpTarget> warpTargets();   // the warp zone's buttons, in order

}  // namespace chain
