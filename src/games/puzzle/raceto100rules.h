#pragma once

#include <array>
#include <string>

namespace app {
class Random;
}

namespace games::raceto100rules {

constexpr int kRoad = 100;           // squares to the cliff; landing on the last one is the fall
constexpr int kRankedSquares = 109;  // position 99 plus the longest move, 9, stays inside

// How good each landing position is for the mover, lower being better; a fall ranks 99.
using Ranks = std::array<short, kRankedSquares>;
Ranks squareRanks();

// Squares a face moves: 1 to 6 as shown, the nine-pip face 7 moves 9, the face 8 lettered 66 moves 66.
constexpr int kSixtySixFace = 8;
// Her dice stop on the 66 with this chance in 10000 at each of her turns, and with the second once
// the forbidden button has spoiled them (unless 67 or 68 squares were left).
constexpr int kSixtySixChance = 38;
constexpr int kSpoiledSixtySixChance = 8508;
int squares(int face);
// A rolling die's next face: 1 to 7 round and round (66 is never rolled, only forced).
int nextFace(int face);

// The opponent's favourite face: 1 to 6 are all rated by where the car stands now, 7 by where nine
// squares take it; ties keep the earlier face.
struct Rating {
    int bestFace;
    int bestRank;
};
Rating rate(const Ranks& ranks, int position);

// Where the opponent's die is aimed: mostly the favourite, sometimes a neighbour of it (round
// the seven faces), sometimes any face. One draw, or two for any face.
int aim(int bestFace, app::Random& random);

// Which of its two dice the opponent takes: the one landing on the better ranked position, die 0
// when both rank the same.
int choose(const Ranks& ranks, int position, int face0, int face1);

// A heroine's die after one more click on the opponent's portrait: 100 ms slower, but never more
// than kMaxSlowdown slower than it was designed, so the die still turns at least once a second.
constexpr int kSlowdownStep = 100;
constexpr int kMaxSlowdown = 900;
int slowed(int interval, int designed);

// A move as a listener hears it: "3マス進む、のこり97マス", or the fall when it reaches the edge.
std::string moveSentence(int squaresMoved, int squaresLeftBefore);

}  // namespace games::raceto100rules
