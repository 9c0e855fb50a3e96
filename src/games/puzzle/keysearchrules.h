#pragma once

#include <string>

namespace games::keysearchrules {

constexpr int kRows = 9;
constexpr int kColumns = 9;
constexpr int kBoxes = kRows * kColumns;
constexpr int kChecks = 4;  // boxes the player may open
constexpr int kFar = 9;     // a distance of this or more, which a box shows as the cross

// Grid steps from box `box` to the key's box, across plus down, up to kFar.
int distance(int box, int keyBox);

enum class Outcome { GoOn, Found, Missed };
// What opening a box decides: the key's box wins; the last check spent on another loses.
Outcome outcome(int box, int keyBox, int checksLeft);

// A box as a listener hears it: "3行5列", counted from 1.
std::string place(int box);

// What a listener hears when a box without the key opens: "3行5列、きょり4、のこり3回".
std::string checkSentence(int box, int keyBox, int checksLeft);

}  // namespace games::keysearchrules
