#include "games/dice/dicerules.h"

namespace games::dicerules {

short handOf(const Dice& dice) {
    std::array<short, 6> faceCount{};
    for (short d : dice) ++faceCount[d];
    short hand = kNoHandYet;
    for (short v = 0; v < 6; ++v) {
        if (faceCount[v] == 3) {
            hand = v == 0 ? kThreeOnes : static_cast<short>(6 - v);  // three of a kind: the higher the better
        } else if (faceCount[v] == 2) {
            for (short w = 0; w < 6; ++w)  // a pair: the odd die scores
                if (faceCount[w] == 1) hand = static_cast<short>(12 - w);
        }
    }
    if (faceCount[3] == 1 && faceCount[4] == 1 && faceCount[5] == 1) hand = kFourFiveSix;
    if (faceCount[0] == 1 && faceCount[1] == 1 && faceCount[2] == 1) hand = kOneTwoThree;
    return hand;
}

namespace {
std::string handWords(short hand) {
    if (hand >= kThreeSixes && hand < kFourFiveSix) return std::to_string(7 - hand) + "のゾロ目";
    if (hand == kFourFiveSix) return "シゴロ";
    if (hand > kFourFiveSix && hand < kNoHand) return std::to_string(13 - hand) + "の目";  // the odd die
    if (hand == kOneTwoThree) return "ヒフミ";
    if (hand == kThreeOnes) return "ピンゾロ";
    return "目なし";
}
}  // namespace

std::string throwWords(const Dice& dice, short hand) {
    std::string words;
    for (short d : dice) words += std::to_string(d + 1) + "、";
    return words + handWords(hand);
}

Bout judge(short opponentHand, short heroineHand) {
    if (opponentHand < heroineHand) return Bout::Opponent;
    if (opponentHand > heroineHand) return Bout::Heroine;
    return Bout::Draw;
}

Dice fairThrow(app::Random& random) {
    Dice d{};
    for (short& v : d) v = static_cast<short>(random.below(6));
    return d;
}

Dice loadedThrow(app::Random& random) {
    Dice d{};
    for (short& v : d) v = static_cast<short>(random.below(3) + 3);
    return d;
}

short rollFrames(app::Random& random) { return static_cast<short>(random.below(13) + 7); }

short gaugeStep(app::Random& random) { return static_cast<short>(random.below(3) * 150 + 600); }

short gaugeAfter(short gauge, short step) {
    int g = gauge + step;
    if (g > kGaugeFull) g -= kGaugeFull;
    return static_cast<short>(g);
}

}  // namespace games::dicerules
