#include "app/random.h"

#include <chrono>
#include <stdexcept>

namespace app {

namespace {
std::uint64_t clockSeed() { return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()); }
// 53 random bits give every double in [0, 1) on an even grid.
double unit(std::mt19937_64& engine) { return static_cast<double>(engine() >> 11) * 0x1.0p-53; }
}  // namespace

Random::Random() : engine_(clockSeed()) {}

double Random::draw() {
    if (mode_ == Mode::Script) {
        if (script_.empty()) throw std::logic_error("scripted random source ran dry");
        const double v = script_.front();
        script_.pop_front();
        if (!(v >= 0.0 && v < 1.0)) throw std::logic_error("scripted random value outside [0, 1)");
        return v;
    }
    if (mode_ == Mode::Seed && favouredShare_ > 0.0 && unit(favourEngine_) < favouredShare_) return favoured_;
    return unit(engine_);
}

void Random::favour(double value, double share) {
    if (!(value >= 0.0 && value < 1.0)) throw std::logic_error("favoured value outside [0, 1)");
    favoured_ = value;
    favouredShare_ = share;
    favourEngine_.seed(seed_ ^ 0x9e3779b97f4a7c15ull);
}

void Random::reseed() {
    switch (mode_) {
        case Mode::Clock: engine_.seed(clockSeed()); break;
        case Mode::Seed: engine_.seed(seed_); break;
        case Mode::Script:
            // A script is written for the game it was given to; once it is used up, a game that
            // starts after it (the one a test's exit leads to) plays on a fixed seed instead.
            if (script_.empty()) useSeed(seed_);
            break;
    }
}

void Random::useSeed(std::uint64_t seed) {
    mode_ = Mode::Seed;
    seed_ = seed;
    engine_.seed(seed);
}

void Random::useScript(std::deque<double> values) {
    mode_ = Mode::Script;
    script_ = std::move(values);
}

void Random::addScript(std::initializer_list<double> values) {
    mode_ = Mode::Script;
    script_.insert(script_.end(), values);
}

}  // namespace app
