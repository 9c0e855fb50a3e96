#pragma once

#include <string>
#include <vector>

#include "ui/units.h"

namespace scenes {

struct Script;

// Where a story scene's page differs from the others: its window and its exit button. Its code and
// where the exit leads are the chain's business.
struct SceneLayout {
    std::string form;
    std::string caption;
    ui::Size client{9885, 7095};
    int rowLeft = 480;
    std::string exitCaption;    // empty: the scene has no exit button
    ui::Rect exitRect;
    ui::Rect nextPageRect;
    Script (*script)() = nullptr;  // builds the words it types
};

// Every story scene, in story order: the one list of them, which the scripts follow too.
const std::vector<SceneLayout>& sceneLayouts();
const SceneLayout& sceneLayout(const std::string& form);

}  // namespace scenes
