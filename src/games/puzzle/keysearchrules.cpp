#include "games/puzzle/keysearchrules.h"

#include <algorithm>
#include <cstdlib>

namespace games::keysearchrules {

int distance(int box, int keyBox) {
    const int across = std::abs(keyBox % kColumns - box % kColumns);
    const int down = std::abs(keyBox / kColumns - box / kColumns);
    return std::min(across + down, 9);
}

}  // namespace games::keysearchrules
