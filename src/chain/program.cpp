#include "chain/program.h"

namespace chain {

Program::Program(ui::Clock& clock, app::Random& random, const FormTable& table)
    : table_(table), app_(clock, random), sozai_([this](bool loaded) { app_.setExtraLoaded("sozai", loaded); }) {
    check(table);
    for (const auto& entry : table)
        app_.registerForm(
            entry.name, [this, &entry, &table](app::App& a) { return entry.make(a, sozai_, table); }, facts(entry, table));
}

void Program::start() { app_.show("maintitle"); }

void Program::prerenderPictures() {
    ui::Form* title = app_.loadedForm("maintitle");
    if (!title || prerender_.started()) return;
    title->afterFirstPaint([this, title] {
        // The store first: every game draws on it.
        std::vector<ui::Prerender::Item> items;
        for (auto& shown : assets::Sozai::picturesAsShown())
            items.push_back({std::move(shown.picture), shown.width, shown.height});
        prerender_.start(std::move(items), title->devicePixelRatio());
    });
}

}  // namespace chain
