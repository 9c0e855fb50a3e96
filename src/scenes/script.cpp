#include "scenes/script.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "scenes/scenefile.h"

namespace scenes {

const Script& script(std::string_view form) {
    for (const SceneFile& f : sceneFiles())
        if (f.layout.form == form) return f.script;
    throw std::out_of_range("no script for form '" + std::string(form) + "'");
}

const std::vector<std::string>& scriptedForms() {
    static const std::vector<std::string> forms = [] {
        std::vector<std::string> names;
        for (const SceneFile& f : sceneFiles()) names.push_back(f.layout.form);
        return names;
    }();
    return forms;
}

}  // namespace scenes
