#pragma once

#include <array>
#include <string>

#include "app/random.h"
#include "assets/meanings.h"

namespace games::hitandblowrules {

constexpr int kDigits = 4;
constexpr int kTries = 7;  // guesses before the lock stays shut

using Digits = std::array<short, kDigits>;
using Marks = std::array<assets::Mark, kDigits>;

struct Judgement {
    short hits = 0;   // right digit in the right place (☆)
    short blows = 0;  // right digit elsewhere (★)
};

// Each secret position counts once: a hit if the guess has its digit there, otherwise a blow if
// the guess has it in another place.
Judgement judge(const Digits& guess, const Digits& secret);

// The marks of a judged try, sorted: every hit (☆) first, then every blow (★), then none.
Marks sortedMarks(const Judgement& j);

enum class Outcome { GoOn, Opened, StaysShut };
// What a judged try decides, with the tries left after it.
Outcome outcome(const Judgement& j, int triesLeft);

// kDigits different digits, drawn by shuffling 0..9 with ten draws and taking the first four.
Digits drawSecret(app::Random& random);

// What a listener hears of a judged try, in one sentence: "5678、ヒット1、ブロー2、のこり5回".
std::string resultSentence(const Digits& guess, const Judgement& j, int triesLeft);

// The four digits as they are read: "0123".
std::string spelled(const Digits& digits);

}  // namespace games::hitandblowrules
