#pragma once

#include <array>

#include "app/random.h"

namespace games::dicerules {

// Three dice of one throw; a die value is 0..5, the face with value + 1 pips.
using Dice = std::array<short, 3>;

// Hand codes: the lower the stronger. 0 is "no hand yet" and is never compared.
inline constexpr short kNoHandYet = 0;
inline constexpr short kSixes = 1;    // 6-6-6
inline constexpr short kShigoro = 6;  // 4-5-6
inline constexpr short kNoHand = 13;  // nothing after the third throw
inline constexpr short kHifumi = 14;  // 1-2-3
inline constexpr short kPinzoro = 15; // 1-1-1, the weakest of all

// The hand of a finished throw, found by counting the faces; kNoHandYet when the throw has none
// and the side may throw again.
short yakucheck(const Dice& dice);

enum class Bout { Opponent, Heroine, Draw };
// The lower code wins the bout; equal codes are a draw, replayed.
Bout judge(short opphand, short nonokahand);

// The power gauge: 0..6000, the width of its bar in twips.
inline constexpr short kGaugeFull = 6000;
// One tick's step: 600, 750 or 900, one draw.
short gaugeStep(app::Random& random);
// Past the full bar the gauge starts again from the left; exactly full stays full.
short gaugeAfter(short gauge, short step);

}  // namespace games::dicerules
