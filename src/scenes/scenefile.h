#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scenes/scenelayout.h"
#include "scenes/script.h"

namespace scenes {

// A story scene as its writer keeps it, in scripts/<form>.scene: the settings of its page, a line
// "---", then its rows, a blank line between pages and " \" after a row that runs on. The
// folder's README describes the settings.
struct SceneFile {
    SceneLayout layout;
    Script script;
};

// Reads one scene file; throws std::invalid_argument naming the file and line of the first fault.
SceneFile readSceneFile(const std::string& form, std::string_view text);

// Every scene file compiled into the program, in the order of their names; read on first use.
const std::vector<SceneFile>& sceneFiles();

}  // namespace scenes
