#include "games/puzzle/hitandblowrules.h"

#include <string>
#include <utility>

namespace games::hitandblowrules {

Judgement judge(const Digits& guess, const Digits& secret) {
    Judgement j;
    for (int i = 0; i < 4; ++i) {
        if (guess[i] == secret[i]) {
            ++j.hits;
            continue;
        }
        for (int k = 0; k < 4; ++k) {
            if (k != i && guess[k] == secret[i]) {
                ++j.blows;
                break;
            }
        }
    }
    return j;
}

Digits sortedMarks(const Judgement& j) {
    Digits marks{0, 0, 0, 0};
    for (int k = 0; k < j.hits + j.blows && k < 4; ++k) marks[k] = k < j.hits ? 1 : 2;
    return marks;
}

Digits drawSecret(app::Random& random) {
    std::array<short, 10> numpool{};
    for (short i = 0; i < 10; ++i) numpool[i] = i;
    for (int i = 0; i < 10; ++i) {
        const int r = random.below(10);
        std::swap(numpool[i], numpool[r]);
    }
    return {numpool[0], numpool[1], numpool[2], numpool[3]};
}

std::string spelled(const Digits& digits) {
    std::string s;
    for (short d : digits) s += std::to_string(d);
    return s;
}

std::string resultSentence(const Digits& guess, const Judgement& j, int triesLeft) {
    return spelled(guess) + "、ヒット" + std::to_string(j.hits) + "、ブロー" + std::to_string(j.blows) + "、のこり" +
           std::to_string(triesLeft) + "回";
}

}  // namespace games::hitandblowrules
