#include "scenes/scenelayout.h"

#include <algorithm>
#include <stdexcept>

#include "scenes/scenefile.h"

namespace scenes {

const std::vector<SceneLayout>& sceneLayouts() {
    static const std::vector<SceneLayout> kAll = [] {
        std::vector<SceneLayout> all;
        for (const SceneFile& f : sceneFiles()) all.push_back(f.layout);
        return all;
    }();
    return kAll;
}

const SceneLayout& sceneLayout(const std::string& form) {
    const auto& all = sceneLayouts();
    auto it = std::find_if(all.begin(), all.end(), [&](const SceneLayout& s) { return s.form == form; });
    if (it == all.end()) throw std::out_of_range("no story scene named " + form);
    return *it;
}

}  // namespace scenes
