#pragma once

#include <array>
#include <string>

#include "app/random.h"

namespace games::dicerules {

// Three dice of one throw; a die value is 0..5, the face with value + 1 pips.
using Dice = std::array<short, 3>;

// Hand codes: the lower the stronger. 0 is "no hand yet" and is never compared.
inline constexpr short kNoHandYet = 0;
inline constexpr short kThreeSixes = 1;    // 6-6-6
inline constexpr short kFourFiveSix = 6;   // 4-5-6
inline constexpr short kNoHand = 13;       // nothing after the third throw
inline constexpr short kOneTwoThree = 14;  // 1-2-3
inline constexpr short kThreeOnes = 15;    // 1-1-1, the weakest of all

// The hand of a finished throw, found by counting the faces; kNoHandYet when the throw has none
// and the side may throw again.
short handOf(const Dice& dice);

// A landed throw as a listener hears it: its pips, then the hand they make in the game's words
// ("4、4、2、2の目", "6、6、6、6のゾロ目", "1、3、5、目なし"). A throw without a hand yet
// reads as 目なし too.
std::string throwWords(const Dice& dice, short hand);

// A side throws until it has a hand, at most this often in one turn.
inline constexpr int kThrowsPerTurn = 3;
// Two bouts won take the match; a drawn bout is played again.
inline constexpr int kBoutsToWin = 2;

enum class Bout { Opponent, Heroine, Draw };
// The lower code wins the bout; equal codes are a draw, replayed.
Bout judge(short opponentHand, short heroineHand);

// Fair dice: each die one draw of six.
Dice fairThrow(app::Random& random);
// Loaded dice show only 4, 5 and 6, and roll a short, fixed while however long the roll drawn.
Dice loadedThrow(app::Random& random);
inline constexpr short kLoadedRollFrames = 6;
// How many frames the dice roll: 7..19, one draw.
short rollFrames(app::Random& random);

// The power gauge: 0..6000, the width of its bar in twips, a step every tick of kGaugeTickMs.
inline constexpr short kGaugeFull = 6000;
inline constexpr int kGaugeTickMs = 60;
// One tick's step: 600, 750 or 900, one draw.
short gaugeStep(app::Random& random);
// Past the full bar the gauge starts again from the left; exactly full stays full.
short gaugeAfter(short gauge, short step);

}  // namespace games::dicerules
