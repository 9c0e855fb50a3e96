#include "chain/program.h"

#include "chain/formtable.h"

namespace chain {

Program::Program(ui::Clock& clock, app::Random& random)
    : app_(clock, random), sozai_([this](bool loaded) { app_.setExtraLoaded("sozai", loaded); }) {
    for (const auto& entry : formTable())
        app_.registerForm(entry.name, [this, &entry](app::App& a) { return entry.make(a, sozai_); });
}

void Program::start() { app_.show("maintitle"); }

}  // namespace chain
