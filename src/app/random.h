#pragma once

#include <cmath>
#include <cstdint>
#include <deque>
#include <random>

namespace app {

// The one source of chance in the game. draw() is uniform in [0, 1). In play reseed() seeds it
// from the clock; tests give it a fixed seed (reseed() then returns to that seed, so a scene that
// reseeds on load stays repeatable) or a script of exact values, which fails loudly when it runs dry
// (a game that starts, by reseed(), after its script is used up plays on the fixed seed).
class Random {
public:
    Random();  // seeded from the clock

    double draw();
    void reseed();
    // A whole number from 0 to n - 1, each as likely: the floor of one draw times n, so that a
    // scripted draw of (k + 0.5) / n gives k.
    int below(int n) { return static_cast<int>(std::floor(draw() * n)); }
    // A chance of k in outOf, from one draw of below(outOf).
    bool chance(int k, int outOf) { return below(outOf) < k; }

    void useSeed(std::uint64_t seed);
    void useScript(std::deque<double> values);
    void addScript(std::initializer_list<double> values);
    std::size_t scriptLeft() const { return script_.size(); }
    // Seeded only: a share of the draws (0 to 1) gives `value` instead, so that an outcome of one
    // chance in 99 comes up often enough for a long random run to walk it. The other draws stay
    // as the seed gives them.
    void favour(double value, double share);

private:
    enum class Mode { Clock, Seed, Script };
    Mode mode_ = Mode::Clock;
    std::uint64_t seed_ = 0;
    std::mt19937_64 engine_;
    std::deque<double> script_;
    double favoured_ = 0.0;
    double favouredShare_ = 0.0;
    std::mt19937_64 favourEngine_;
};

// The floor, as the rules take a whole part (band(), wholeMetres()).
inline int floorToInt(double x) { return static_cast<int>(std::floor(x)); }
// The nearest integer, halves to the even neighbour (2.5 → 2, 3.5 → 4), as the rules round.
inline int roundHalfEven(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace app
