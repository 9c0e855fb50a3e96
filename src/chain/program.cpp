#include "chain/program.h"

#include "assets/library.h"
#include "chain/formtable.h"

namespace chain {

Program::Program(ui::Clock& clock, app::Random& random)
    : app_(clock, random), sozai_([this](bool loaded) { app_.setExtraLoaded("sozai", loaded); }) {
    for (const auto& entry : formTable())
        app_.registerForm(entry.name, [this, &entry](app::App& a) { return entry.make(a, sozai_); });
}

void Program::start() { app_.show("maintitle"); }

void Program::prerenderPictures() {
    ui::Form* title = app_.loadedForm("maintitle");
    if (!title || prerender_.started()) return;
    title->afterFirstPaint([this, title] {
        // The store first: every game draws on it.
        std::vector<ui::Prerender::Item> items;
        for (const auto& array : assets::Sozai::arrays())
            for (int i = 0; i < array.count; ++i)
                if (const std::string name = assets::Sozai::pictureName(array, i); !name.empty())
                    items.push_back({assets::picture(name), array.width, array.height});
        for (const auto& name : assets::pictureNames())
            if (!name.starts_with("store/") && !name.starts_with("app/")) items.push_back({assets::picture(name)});
        prerender_.start(std::move(items), title->devicePixelRatio());
    });
}

}  // namespace chain
