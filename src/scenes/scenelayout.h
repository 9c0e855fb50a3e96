#pragma once

#include <string>
#include <vector>

#include "ui/units.h"

namespace scenes {

// Where a story scene differs from the others: its window, its exit and its continue code.
struct SceneLayout {
    std::string form;
    std::string caption;
    ui::Size client{9885, 7095};
    int rowLeft = 480;
    std::string exitCaption;    // empty: the scene has no exit button
    ui::Rect exitRect;
    ui::Rect nextPageRect;
    std::string code;           // "4140", or "----"
    std::string next;           // the form the exit shows; empty: the program ends
};

// Every story scene, in story order.
const std::vector<SceneLayout>& sceneLayouts();
const SceneLayout& sceneLayout(const std::string& form);

}  // namespace scenes
