#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app.h"
#include "assets/sozai.h"
#include "ui/form.h"
#include "warp/warpzone.h"

namespace chain {

enum class Kind { Title, Warp, Story, Game };

// Where an exit button leads: the form on the following row, a form by name, or the end of the
// program. {"nextButton"} leads to the next row, {"nextButton", "mesarea6"} to that form.
struct Exit {
    enum class To { NextRow, Form, End };
    Exit(std::string control) : control(std::move(control)) {}
    Exit(std::string control, std::string form) : control(std::move(control)), to(To::Form), form(std::move(form)) {}
    static Exit end(std::string control) {
        Exit e(std::move(control));
        e.to = To::End;
        return e;
    }

    std::string control;
    To to = To::NextRow;
    std::string form;  // where To::Form leads
};

struct FormEntry;
using FormTable = std::vector<FormEntry>;

// One row per form of the game, in story order: everything the chain knows about it. Its code is
// shown on its C-PASS label and, when it has a warp button, reveals that button and every one
// before it. Its first exit is the way along the story. An exit left to lead to the next row lets
// a new game come in on a row of its own, with no other row to change.
struct FormEntry {
    using Factory = std::function<std::unique_ptr<ui::Form>(app::App&, assets::Sozai&, const FormTable&)>;
    std::string name;
    Kind kind;
    std::string code = {};         // four digits, or app::kNoCode; empty: the form has no code label
    std::string warpCaption = {};  // empty: no warp button leads here
    std::vector<Exit> exits;
    Factory make;
};

const FormTable& formTable();

// Derived from a table: the game's own, or another (tests add made-up games to a copy).
const FormEntry& entry(const std::string& form, const FormTable& table = formTable());
app::FormFacts facts(const FormEntry& entry, const FormTable& table = formTable());
std::vector<std::string> allForms(const FormTable& table = formTable());   // title and warp zone included
std::vector<std::string> gameForms(const FormTable& table = formTable());  // each unloads the picture store
// The story from the title to the end along each form's first exit, and that exit of a form.
std::vector<std::string> mainLine(const FormTable& table = formTable());
const std::string& mainExit(const std::string& form, const FormTable& table = formTable());
std::vector<warp::WarpTarget> warpTargets(const FormTable& table = formTable());  // the warp buttons, in order
// Throws std::invalid_argument unless every name is unique and every exit leads to a row or ends.
void check(const FormTable& table);

}  // namespace chain
