#pragma once

namespace games::keysearchrules {

constexpr int kColumns = 9;
constexpr int kBoxes = 81;
constexpr int kChecks = 4;  // boxes the player may open

// Grid steps from box `box` to the key's box, across plus down; 9 stands for 9 or more, the cross.
int distance(int box, int keyBox);

}  // namespace games::keysearchrules
