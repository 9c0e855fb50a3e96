#include "games/puzzle/keysearchrules.h"

#include <algorithm>
#include <cstdlib>

namespace games::keysearchrules {

int distance(int box, int keyBox) {
    const int across = std::abs(keyBox % kColumns - box % kColumns);
    const int down = std::abs(keyBox / kColumns - box / kColumns);
    return std::min(across + down, kFar);
}

Outcome outcome(int box, int keyBox, int checksLeft) {
    if (box == keyBox) return Outcome::Found;
    return checksLeft == 0 ? Outcome::Missed : Outcome::GoOn;
}

std::string place(int box) { return std::to_string(box / kColumns + 1) + "行" + std::to_string(box % kColumns + 1) + "列"; }

std::string checkSentence(int box, int keyBox, int checksLeft) {
    const int d = distance(box, keyBox);
    return place(box) + "、きょり" + (d < kFar ? std::to_string(d) : std::to_string(kFar) + "以上") + "、のこり" +
           std::to_string(checksLeft) + "回";
}

}  // namespace games::keysearchrules
