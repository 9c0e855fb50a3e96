#include "games/puzzle/raceto100rules.h"

#include <string>

#include <algorithm>

#include "app/random.h"

namespace games::raceto100rules {

Ranks squareRanks() {
    Ranks rank{};
    // The squares just before the edge, best first: the last square forces the other side over.
    const int nearEdge[] = {99, 92, 91, 98, 90, 97, 89, 96};
    for (int i = 0; i < 8; ++i) rank[nearEdge[i]] = static_cast<short>(i + 1);
    for (int p = 88; p >= 81; --p) rank[p] = static_cast<short>(97 - p);
    rank[95] = 17;
    rank[94] = 18;
    rank[93] = 19;
    for (int p = 80; p >= 1; --p) rank[p] = static_cast<short>(100 - p);
    for (int p = kRoad; p < kRankedSquares; ++p) rank[p] = 99;
    rank[0] = 0;
    return rank;
}

int squares(int face) {
    if (face == 7) return 9;
    if (face == kSixtySixFace) return 66;
    return face;
}

int nextFace(int face) { return face + 1 == kSixtySixFace ? 1 : face + 1; }

Rating rate(const Ranks& ranks, int position) {
    Rating best{0, 99};
    for (int f = 1; f <= 7; ++f) {
        const int r = ranks[f == 7 ? position + 9 : position];
        if (r < best.bestRank) best = {f, r};
    }
    return best;
}

int aim(int bestFace, app::Random& random) {
    const int r = random.below(100);
    int target;
    if (r < 60)
        target = bestFace;
    else if (r < 70)
        target = bestFace - 1;
    else if (r < 80)
        target = bestFace + 1;
    else
        target = random.below(7) + 1;
    if (target == 0) target = 7;
    if (target == 8) target = 1;
    return target;
}

int choose(const Ranks& ranks, int position, int face0, int face1) {
    return ranks[position + squares(face0)] > ranks[position + squares(face1)] ? 1 : 0;
}

int slowed(int interval, int designed) { return std::min(interval + kSlowdownStep, designed + kMaxSlowdown); }

std::string moveSentence(int squaresMoved, int squaresLeftBefore) {
    const std::string move = std::to_string(squaresMoved) + "マス進む、";
    if (squaresMoved >= squaresLeftBefore) return move + "転落する！";
    return move + "のこり" + std::to_string(squaresLeftBefore - squaresMoved) + "マス";
}

}  // namespace games::raceto100rules
