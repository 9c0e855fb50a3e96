#pragma once

#include <string>

#include "ui/units.h"

namespace scenes {

// Where a story scene's page differs from the others: its window and its exit button. Its code and
// where the exit leads are the chain's business.
struct SceneLayout {
    std::string form;
    std::string caption;
    ui::Size client{9885, 7095};
    int rowLeft = 480;
    std::string exitCaption;  // empty: the scene has no exit button
    ui::Rect exitRect;
    ui::Rect nextPageRect;
};

// The layout read from the scene file of that form; throws std::out_of_range for an unknown name.
const SceneLayout& sceneLayout(const std::string& form);

}  // namespace scenes
