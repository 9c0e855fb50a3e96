#include "app/chain/program.h"

#include "app/chain/maintitle.h"
#include "games/pendinggame.h"
#include "games/puzzle/hitandblow.h"
#include "scenes/closingscene.h"
#include "scenes/messagescene.h"
#include "scenes/specialscene.h"
#include "scenes/scenelayout.h"
#include "warp/warpzone.h"

namespace app {

Program::Program(ui::Clock& clock, Random& random)
    : app_(clock, random), sozai_([this](bool loaded) { app_.setExtraLoaded("sozai", loaded); }) {
    app_.registerForm("maintitle", [](App& a) { return std::make_unique<maintitle>(a); });
    app_.registerForm("warpzone", [](App& a) { return std::make_unique<warpzone>(a); });
    for (const auto& layout : scenes::sceneLayouts())
        app_.registerForm(layout.form, [&layout](App& a) -> std::unique_ptr<ui::Form> {
            if (layout.form == "mesareaspecial") return std::make_unique<scenes::SpecialScene>(a, layout);
            if (layout.form == "mesareaepi3") return std::make_unique<scenes::ClosingScene>(a, layout);
            return std::make_unique<scenes::MessageScene>(a, layout);
        });
    app_.registerForm("Hitandblow", [this](App& a) { return std::make_unique<Hitandblow>(a, sozai_); });
    for (const auto& layout : games::pendingGames())
        app_.registerForm(layout.form, [this, &layout](App& a) {
            return std::make_unique<games::PendingGame>(a, sozai_, layout);
        });
}

void Program::start() { app_.show("maintitle"); }

const std::vector<std::string>& Program::allForms() {
    static const std::vector<std::string> kForms{
        "maintitle", "warpzone", "mesarea1", "mesarea2", "Hitandblow", "mesarea3", "tintiro1", "mizuhusen",
        "mesarea4", "nagagutsu", "mesarea5", "max100game", "tintiro2", "mesareaspecial", "mesarea6", "keysearch",
        "mesareaepi1", "rosoku", "mesareaepi21", "mesareaepi22", "mesareaepi23", "mesareaepi24", "mesareaepi3",
    };
    return kForms;
}

const std::vector<std::string>& Program::gameForms() {
    static const std::vector<std::string> kGames{"Hitandblow", "tintiro1", "mizuhusen", "nagagutsu",
                                                 "max100game", "tintiro2", "keysearch",  "rosoku"};
    return kGames;
}

}  // namespace app
