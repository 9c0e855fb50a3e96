#include "scenes/script.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "scenes/scenelayout.h"

namespace scenes {

const Script& script(std::string_view form) {
    // Built together on first use: a few kilobytes of text, and every scene may be warped to,
    // so there is nothing to gain from building them one by one.
    static const std::vector<Script> built = [] {
        std::vector<Script> all;
        all.reserve(sceneLayouts().size());
        for (const SceneLayout& scene : sceneLayouts()) all.push_back(scene.script());
        return all;
    }();
    for (std::size_t i = 0; i < built.size(); ++i) {
        if (sceneLayouts()[i].form == form) return built[i];
    }
    throw std::out_of_range("no script for form '" + std::string(form) + "'");
}

const std::vector<std::string>& scriptedForms() {
    static const std::vector<std::string> forms = [] {
        std::vector<std::string> names;
        names.reserve(sceneLayouts().size());
        for (const SceneLayout& scene : sceneLayouts()) names.push_back(scene.form);
        return names;
    }();
    return forms;
}

}  // namespace scenes
