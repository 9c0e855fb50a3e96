#include "chain/formtable.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <stdexcept>

#include "chain/titlescreen.h"
#include "games/action/balloonbattle.h"
#include "games/action/bootsdash.h"
#include "games/action/candleblowing.h"
#include "games/dice/kozueduel.h"
#include "games/dice/sumireduel.h"
#include "games/puzzle/hitandblow.h"
#include "games/puzzle/keysearch.h"
#include "games/puzzle/raceto100.h"
#include "scenes/closingscene.h"
#include "scenes/messagescene.h"
#include "scenes/scenelayout.h"
#include "scenes/script.h"
#include "scenes/specialscene.h"

namespace chain {

namespace {

template <class Scene>
FormEntry story(std::string name, std::string code, std::string warp, std::vector<Exit> exits = {{"nextButton"}}) {
    return {.name = name,
            .kind = Kind::Story,
            .code = std::move(code),
            .warpCaption = std::move(warp),
            .exits = std::move(exits),
            .make = [name](app::App& a, assets::Sozai&, const FormTable&) {
                return std::unique_ptr<ui::Form>(std::make_unique<Scene>(a, scenes::sceneLayout(name)));
            }};
}

// A game's name is its own (Game::kName), so the row and the form can never disagree on it.
template <class Game>
FormEntry game(std::string code, std::string warp, std::vector<Exit> exits = {{"nextButton"}}) {
    return {.name = Game::kName,
            .kind = Kind::Game,
            .code = std::move(code),
            .warpCaption = std::move(warp),
            .exits = std::move(exits),
            .make = [](app::App& a, assets::Sozai& s, const FormTable&) {
                return std::unique_ptr<ui::Form>(std::make_unique<Game>(a, s));
            }};
}

std::unique_ptr<ui::Form> makeTitle(app::App& a, assets::Sozai&, const FormTable&) { return std::make_unique<TitleScreen>(a); }

std::unique_ptr<ui::Form> makeWarpZone(app::App& a, assets::Sozai&, const FormTable& table) {
    return std::make_unique<warp::WarpZone>(a, warpTargets(table));
}

using scenes::ClosingScene;
using scenes::MessageScene;
using scenes::SpecialScene;

FormTable build() {
    FormTable table{
        {.name = "maintitle",
         .kind = Kind::Title,
         .exits = {{"startButton", "mesarea1"}, {"continueButton", "warpzone"}},
         .make = makeTitle},
        {.name = "warpzone", .kind = Kind::Warp, .exits = {{"backButton", "maintitle"}}, .make = makeWarpZone},
        story<MessageScene>("mesarea1", app::kNoCode, "メッセージパート１"),
        story<MessageScene>("mesarea2", "4140", "メッセージパート２"),
        game<games::HitAndBlow>("5339", "鍵開け"),
        story<MessageScene>("mesarea3", "3232", "メッセージパート３"),
        game<games::KozueDuel>("3940", "梢チンチロ"),
        game<games::BalloonBattle>("3164", "水風船投げ"),
        story<MessageScene>("mesarea4", "1885", "メッセージパート４"),
        game<games::BootsDash>("4789", "長靴１００ｍ"),
        story<MessageScene>("mesarea5", "7802", "メッセージパート５"),
        game<games::RaceTo100>("9140", "ＭＡＸ１００"),
        // caughtCheatingButton only once she has caught her sister cheating.
        game<games::SumireDuel>("3896", "菫チンチロ", {{"nextButton", "mesarea6"}, {"caughtCheatingButton", "mesareaspecial"}}),
        story<SpecialScene>("mesareaspecial", "", "", {Exit::end("nextButton")}),
        story<MessageScene>("mesarea6", "2383", "メッセージパート６"),
        game<games::KeySearch>("8202", "鍵探し"),
        story<MessageScene>("mesareaepi1", "0039", "エピローグ１"),
        // One epilogue of four, by how many candles went out and who blew them.
        game<games::CandleBlowing>("9107", "ろうそく消し",
                                   {{"allOutButton", "mesareaepi21"},
                                    {"halfOutButton", "mesareaepi22"},
                                    {"fewOutButton", "mesareaepi23"},
                                    {"windSpiritButton", "mesareaepi24"}}),
        story<MessageScene>("mesareaepi21", app::kNoCode, "", {{"nextButton", "mesareaepi3"}}),
        story<MessageScene>("mesareaepi22", app::kNoCode, "", {{"nextButton", "mesareaepi3"}}),
        story<MessageScene>("mesareaepi23", app::kNoCode, "", {{"nextButton", "mesareaepi3"}}),
        story<MessageScene>("mesareaepi24", app::kNoCode, "", {{"nextButton", "mesareaepi3"}}),
        story<ClosingScene>("mesareaepi3", "4586", "エピローグ２", {}),
    };
    // Caught cheating, her sister sends her back no further than the fourth scene.
    auto row = [&table](const char* form) -> FormEntry& {
        return *std::find_if(table.begin(), table.end(), [&](const FormEntry& e) { return e.name == form; });
    };
    row("mesareaspecial").code = row("mesarea4").code;
    return table;
}

template <class Keep>
std::vector<std::string> names(const FormTable& table, Keep keep) {
    std::vector<std::string> out;
    for (const auto& e : table)
        if (keep(e)) out.push_back(e.name);
    return out;
}

FormTable::const_iterator find(const std::string& form, const FormTable& table) {
    return std::find_if(table.begin(), table.end(), [&](const FormEntry& e) { return e.name == form; });
}

}  // namespace

const FormTable& formTable() {
    static const FormTable kTable = build();
    return kTable;
}

const FormEntry& entry(const std::string& form, const FormTable& table) {
    auto it = find(form, table);
    if (it == table.end()) throw std::out_of_range("no form named " + form);
    return *it;
}

app::FormFacts facts(const FormEntry& e, const FormTable& table) {
    app::FormFacts out{e.code, {}, e.kind == Kind::Warp};
    const auto row = find(e.name, table);
    for (const auto& exit : e.exits) {
        std::string next;  // none: the end
        if (exit.to == Exit::To::Form) next = exit.form;
        if (exit.to == Exit::To::NextRow && row != table.end() && row + 1 != table.end()) next = (row + 1)->name;
        out.exits[exit.control] = next;
    }
    return out;
}

std::vector<std::string> allForms(const FormTable& table) {
    return names(table, [](const FormEntry&) { return true; });
}

std::vector<std::string> gameForms(const FormTable& table) {
    return names(table, [](const FormEntry& e) { return e.kind == Kind::Game; });
}

std::vector<std::string> mainLine(const FormTable& table) {
    std::vector<std::string> line;
    for (auto row = table.begin(); row != table.end();) {
        if (std::find(line.begin(), line.end(), row->name) != line.end()) break;
        line.push_back(row->name);
        if (row->exits.empty()) break;
        row = find(facts(*row, table).exits.at(row->exits.front().control), table);
    }
    return line;
}

const std::string& mainExit(const std::string& form, const FormTable& table) {
    const FormEntry& e = entry(form, table);
    if (e.exits.empty()) throw std::out_of_range(form + " has no exit");
    return e.exits.front().control;
}

std::vector<warp::WarpTarget> warpTargets(const FormTable& table) {
    std::vector<warp::WarpTarget> out;
    for (const auto& e : table)
        if (!e.warpCaption.empty()) out.push_back({e.warpCaption, e.name, e.code});
    return out;
}

void check(const FormTable& table) {
    std::set<std::string> seen;
    // A form's name also names its scene file and the form in every test: letters and digits
    // only, so a name with a space (what tests use for a form that does not exist) is never one.
    const auto plain = [](unsigned char c) { return std::isalnum(c) != 0; };
    for (const auto& e : table) {
        if (e.name.empty() || !std::all_of(e.name.begin(), e.name.end(), plain))
            throw std::invalid_argument("a form's name is letters and digits, not \"" + e.name + "\"");
        if (!seen.insert(e.name).second) throw std::invalid_argument("two rows for " + e.name);
    }
    // The warp zone opens a button by the code a player typed: two buttons of one code would be
    // one button too many, and anything but four digits could never be typed into its box.
    std::set<std::string> codes;
    for (const auto& e : table) {
        const auto digit = [](unsigned char c) { return std::isdigit(c) != 0; };
        const bool digits = e.code.size() == 4 && std::all_of(e.code.begin(), e.code.end(), digit);
        if (!digits && !e.code.empty() && e.code != app::kNoCode)
            throw std::invalid_argument(e.name + "'s code is four digits, \"" + app::kNoCode + "\" or none, not \"" + e.code +
                                        "\"");
        if (digits && !e.warpCaption.empty() && !codes.insert(e.code).second)
            throw std::invalid_argument(e.name + "'s code " + e.code + " opens another warp button already");
    }
    for (const auto& e : table)
        for (const auto& [control, next] : facts(e, table).exits) {
            const bool meantToEnd = std::any_of(e.exits.begin(), e.exits.end(),
                                                [&](const Exit& x) { return x.control == control && x.to == Exit::To::End; });
            if (next.empty() ? !meantToEnd : !seen.count(next))
                throw std::invalid_argument(e.name + "." + control + " leads nowhere");
        }
    // Asking for the scene files reads them all: a fault in one stops the program here, before
    // any window opens, rather than in the click that would open its scene.
    const std::vector<std::string>& scenes = scenes::scriptedForms();
    for (const auto& e : table)
        if (e.kind == Kind::Story && std::find(scenes.begin(), scenes.end(), e.name) == scenes.end())
            throw std::invalid_argument(e.name + " has no scene file");
    for (const auto& form : scenes)
        if (!seen.count(form)) throw std::invalid_argument("the scene file " + form + " belongs to no row");
}

}  // namespace chain
