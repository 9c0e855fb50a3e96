#include "games/puzzle/hitandblowrules.h"

#include <algorithm>
#include <string>
#include <utility>

namespace games::hitandblowrules {

Judgement judge(const Digits& guess, const Digits& secret) {
    Judgement j;
    for (int i = 0; i < kDigits; ++i) {
        if (guess[i] == secret[i]) {
            ++j.hits;
            continue;
        }
        for (int k = 0; k < kDigits; ++k) {
            if (k != i && guess[k] == secret[i]) {
                ++j.blows;
                break;
            }
        }
    }
    return j;
}

Marks sortedMarks(const Judgement& j) {
    Marks marks{};
    for (int k = 0; k < j.hits + j.blows && k < kDigits; ++k) marks[k] = k < j.hits ? assets::Mark::Hit : assets::Mark::Blow;
    return marks;
}

Outcome outcome(const Judgement& j, int triesLeft) {
    if (j.hits == kDigits) return Outcome::Opened;
    return triesLeft == 0 ? Outcome::StaysShut : Outcome::GoOn;
}

Digits drawSecret(app::Random& random) {
    std::array<short, 10> numpool{};
    for (short i = 0; i < 10; ++i) numpool[i] = i;
    for (int i = 0; i < 10; ++i) {
        const int r = random.below(10);
        std::swap(numpool[i], numpool[r]);
    }
    Digits secret{};
    std::copy_n(numpool.begin(), kDigits, secret.begin());
    return secret;
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
