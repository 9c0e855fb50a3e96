#pragma once

#include <string>

namespace games::keysearchrules {

constexpr int kColumns = 9;
constexpr int kBoxes = 81;
constexpr int kChecks = 4;  // boxes the player may open

// Grid steps from box `box` to the key's box, across plus down; 9 stands for 9 or more, the cross.
int distance(int box, int keyBox);

// A box as a listener hears it: "3行5列", counted from 1.
std::string place(int box);

// What a listener hears when a box without the key opens: "3行5列、きょり4、のこり3回".
std::string checkSentence(int box, int keyBox, int checksLeft);

}  // namespace games::keysearchrules
