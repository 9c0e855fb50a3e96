#pragma once

#include <cmath>
#include <cstdint>
#include <deque>
#include <random>

namespace app {

// The one source of chance in the game. Rnd() is uniform in [0, 1). In play Randomize() seeds it
// from the clock; tests give it a fixed seed (Randomize() then returns to that seed, so a scene that
// reseeds on load stays repeatable) or a script of exact values, which fails loudly when it runs dry
// (a game that starts, by Randomize(), after its script is used up plays on the fixed seed).
class Random {
public:
    Random();  // seeded from the clock

    double Rnd();
    void Randomize();

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

// The floor, so that Int(Rnd() * n) gives 0 .. n - 1 as the rules read.
inline int Int(double x) { return static_cast<int>(std::floor(x)); }
// The nearest integer, halves to the even neighbour (2.5 → 2, 3.5 → 4), as the rules round.
inline int CInt(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace app
