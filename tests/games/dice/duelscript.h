#pragma once

#include <chrono>
#include <deque>
#include <string>

#include "support/harness.h"

namespace dice_testing {

using namespace std::chrono_literals;
using testing_support::Change;
using testing_support::SceneHarness;

// Every draw a duel makes, written as what it means, in the order the duel makes them. Dice are
// given in pips; each throw ends with its roll: the length drawn, then three faces a frame.
struct Draws {
    std::deque<double> values;

    static double draw(int n, int k) { return SceneHarness::draw(n, k); }
    Draws& add(double v) {
        values.push_back(v);
        return *this;
    }
    Draws& line(int r) { return add(draw(10, r)); }  // her line, one second into her wait
    Draws& dice(int a, int b, int c, int ticks = 7) { return faces(6, 1, {a, b, c}).roll(ticks); }
    Draws& feeble(int a, int b, int c) { return faces(3, 1, {a, b, c}).roll(7); }  // from an empty gauge
    Draws& perfect() { return roll(7); }                                           // three sixes draw no die
    // Loaded dice: the roll's length is drawn, but it is always six frames.
    Draws& loaded(int a, int b, int c) { return faces(3, 4, {a, b, c}).add(draw(13, 12)).frames(6); }
    Draws& roll(int ticks) { return add(draw(13, ticks - 7)).frames(ticks); }
    Draws& gauge(int ticks, int k = 0) {  // steps of 600 (k 0), 750 (1) or 900 (2)
        for (int i = 0; i < ticks; ++i) add(draw(3, k));
        return *this;
    }

private:
    Draws& faces(int n, int lowest, std::initializer_list<int> pips) {
        for (int p : pips) add(draw(n, p - lowest));
        return *this;
    }
    Draws& frames(int ticks) {
        for (int i = 0; i < 3 * ticks; ++i) add(draw(6, 0));
        return *this;
    }
};

// The duel's pauses, each from the moment the phase before it began.
inline constexpr auto kLineIn = 1000ms;
inline constexpr auto kThrowAfterLine = 2000ms;
inline constexpr auto kTurnChange = 2000ms;  // after her hand
inline constexpr auto kJudgement = 1000ms;   // after the heroine's hand
inline constexpr auto kNextBout = 1000ms;
inline constexpr auto kGaugeTick = 60ms;
inline std::chrono::milliseconds rollOf(int ticks) { return ticks * 100ms; }

// A duel opened with its whole script: a draw it does not state fails the test.
struct Duel : testing_support::FormHarness {
    Duel(std::string form, const Draws& draws) : FormHarness(std::move(form)) {
        random().useScript(draws.values);
        open();
    }
    int top(const std::string& c) { return ctl(c).top(); }
    // The three dice as their pictures' last digits ("-" for none): pips, or index for small dice.
    std::string dice(const std::string& array = "dicePictures") {
        std::string out;
        for (int k = 0; k < 3; ++k) {
            const std::string p = pic(array + "(" + std::to_string(k) + ")");
            out += p.empty() ? "-" : p.substr(p.size() - 1);
        }
        return out;
    }
    void oppThrows() { advance(kLineIn + kThrowAfterLine + rollOf(7)); }
    void heroineThrows(int gaugeTicks) {
        advance(gaugeTicks * kGaugeTick);
        press("throwButton");
        advance(rollOf(7));
    }
};

}  // namespace dice_testing
