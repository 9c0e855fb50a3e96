#include "scenes/scenelayout.h"

#include <stdexcept>

#include "scenes/scenefile.h"

namespace scenes {

const SceneLayout& sceneLayout(const std::string& form) {
    for (const SceneFile& f : sceneFiles())
        if (f.layout.form == form) return f.layout;
    throw std::out_of_range("no story scene named " + form);
}

}  // namespace scenes
