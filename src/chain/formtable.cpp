#include "chain/formtable.h"

#include "chain/maintitle.h"
#include "games/action/nagagutsu.h"
#include "games/action/mizuhusen.h"
#include "games/action/rosoku.h"
#include "games/dice/tintiro1.h"
#include "games/dice/tintiro2.h"
#include "games/puzzle/hitandblow.h"
#include "games/puzzle/keysearch.h"
#include "games/puzzle/max100game.h"
#include "scenes/closingscene.h"
#include "scenes/messagescene.h"
#include "scenes/scenelayout.h"
#include "scenes/specialscene.h"

namespace chain {

namespace {

template <class Scene>
FormEntry story(std::string name, std::string warp, bool mainLine = true) {
    return {name, Kind::Story, std::move(warp), mainLine, [name](app::App& a, assets::Sozai&) {
                return std::unique_ptr<ui::Form>(std::make_unique<Scene>(a, scenes::sceneLayout(name)));
            }};
}

template <class Game>
FormEntry game(std::string name, std::string warp) {
    return {std::move(name), Kind::Game, std::move(warp), true,
            [](app::App& a, assets::Sozai& s) { return std::unique_ptr<ui::Form>(std::make_unique<Game>(a, s)); }};
}

using scenes::ClosingScene;
using scenes::MessageScene;
using scenes::SpecialScene;

}  // namespace

const std::vector<FormEntry>& formTable() {
    static const std::vector<FormEntry> kTable{
        {"maintitle", Kind::Title, "", true,
         [](app::App& a, assets::Sozai&) { return std::unique_ptr<ui::Form>(std::make_unique<maintitle>(a)); }},
        {"warpzone", Kind::Warp, "", false,
         [](app::App& a, assets::Sozai&) {
             return std::unique_ptr<ui::Form>(std::make_unique<warpzone>(a, warpTargets()));
         }},
        story<MessageScene>("mesarea1", "メッセージパート１"),
        story<MessageScene>("mesarea2", "メッセージパート２"),
        game<games::Hitandblow>("Hitandblow", "鍵開け"),
        story<MessageScene>("mesarea3", "メッセージパート３"),
        game<games::tintiro1>("tintiro1", "梢チンチロ"),
        game<games::mizuhusen>("mizuhusen", "水風船投げ"),
        story<MessageScene>("mesarea4", "メッセージパート４"),
        game<games::nagagutsu>("nagagutsu", "長靴１００ｍ"),
        story<MessageScene>("mesarea5", "メッセージパート５"),
        game<games::max100game>("max100game", "ＭＡＸ１００"),
        game<games::tintiro2>("tintiro2", "菫チンチロ"),
        story<SpecialScene>("mesareaspecial", "", false),
        story<MessageScene>("mesarea6", "メッセージパート６"),
        game<games::keysearch>("keysearch", "鍵探し"),
        story<MessageScene>("mesareaepi1", "エピローグ１"),
        game<games::rosoku>("rosoku", "ろうそく消し"),
        story<MessageScene>("mesareaepi21", ""),
        story<MessageScene>("mesareaepi22", "", false),
        story<MessageScene>("mesareaepi23", "", false),
        story<MessageScene>("mesareaepi24", "", false),
        story<ClosingScene>("mesareaepi3", "エピローグ２"),
    };
    return kTable;
}

namespace {
template <class Keep>
std::vector<std::string> names(Keep keep) {
    std::vector<std::string> out;
    for (const auto& e : formTable())
        if (keep(e)) out.push_back(e.name);
    return out;
}
}  // namespace

std::vector<std::string> allForms() {
    return names([](const FormEntry&) { return true; });
}

std::vector<std::string> gameForms() {
    return names([](const FormEntry& e) { return e.kind == Kind::Game; });
}

std::vector<std::string> mainLine() {
    return names([](const FormEntry& e) { return e.mainLine; });
}

std::vector<WarpTarget> warpTargets() {
    std::vector<WarpTarget> out;
    for (const auto& e : formTable())
        if (!e.warpCaption.empty()) out.push_back({e.warpCaption, e.name});
    return out;
}

}  // namespace chain
