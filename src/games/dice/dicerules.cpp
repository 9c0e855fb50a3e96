#include "games/dice/dicerules.h"

namespace games::dicerules {

short yakucheck(const Dice& dice) {
    std::array<short, 6> facecount{};
    for (short d : dice) ++facecount[d];
    short hand = kNoHandYet;
    for (short v = 0; v < 6; ++v) {
        if (facecount[v] == 3) {
            hand = v == 0 ? kPinzoro : static_cast<short>(6 - v);  // zorome
        } else if (facecount[v] == 2) {
            for (short w = 0; w < 6; ++w)  // pairpoint: the odd die scores
                if (facecount[w] == 1) hand = static_cast<short>(12 - w);
        }
    }
    if (facecount[3] == 1 && facecount[4] == 1 && facecount[5] == 1) hand = kShigoro;
    if (facecount[0] == 1 && facecount[1] == 1 && facecount[2] == 1) hand = kHifumi;
    return hand;
}

Bout judge(short opphand, short nonokahand) {
    if (opphand < nonokahand) return Bout::Opponent;
    if (opphand > nonokahand) return Bout::Heroine;
    return Bout::Draw;
}

short gaugeStep(app::Random& random) { return static_cast<short>(app::Int(random.Rnd() * 3) * 150 + 600); }

short gaugeAfter(short gauge, short step) {
    int g = gauge + step;
    if (g > kGaugeFull) g -= kGaugeFull;
    return static_cast<short>(g);
}

}  // namespace games::dicerules
