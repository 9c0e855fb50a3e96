#pragma once

#include <chrono>
#include <deque>
#include <string>

#include "support/harness.h"

namespace dice_testing {

using namespace std::chrono_literals;
using testing_support::SceneHarness;

// Every draw a duel makes, written as what it means, in the order the duel makes them.
struct Draws {
    std::deque<double> values;

    static double draw(int n, int k) { return SceneHarness::draw(n, k); }
    Draws& add(double v) {
        values.push_back(v);
        return *this;
    }
    // The opponent's line one second into her wait: r = 0..9.
    Draws& line(int r) { return add(draw(10, r)); }
    // Fair dice, in pips, then a roll of `ticks` frames.
    Draws& dice(int a, int b, int c, int ticks = 7) {
        for (int p : {a, b, c}) add(draw(6, p - 1));
        return roll(ticks);
    }
    // Loaded dice, 4, 5 or 6 in pips: the roll's length is drawn but always six frames.
    Draws& loaded(int a, int b, int c) {
        for (int p : {a, b, c}) add(draw(3, p - 4));
        add(draw(13, 12));
        for (int i = 0; i < 3 * 6; ++i) add(draw(6, 0));
        return *this;
    }
    // 1, 2 and 3 only: what the heroine throws from an empty gauge.
    Draws& feeble(int a, int b, int c, int ticks = 7) {
        for (int p : {a, b, c}) add(draw(3, p - 1));
        return roll(ticks);
    }
    // Three sixes draw no die at all.
    Draws& perfect(int ticks = 7) { return roll(ticks); }
    // The roll's length (7..19) and its rolling faces.
    Draws& roll(int ticks) {
        add(draw(13, ticks - 7));
        for (int i = 0; i < 3 * ticks; ++i) add(draw(6, 0));
        return *this;
    }
    // Gauge ticks, each a step of 600 (k 0), 750 (1) or 900 (2).
    Draws& gauge(int ticks, int k = 0) {
        for (int i = 0; i < ticks; ++i) add(draw(3, k));
        return *this;
    }
};

// Pauses of the duel, from the moment the previous phase began.
inline constexpr auto kLineIn = 1000ms;        // her line, into her wait
inline constexpr auto kThrowAfterLine = 2000ms;
inline constexpr auto kTurnChange = 2000ms;    // after her hand
inline constexpr auto kJudgement = 1000ms;     // after the heroine's hand
inline constexpr auto kNextBout = 1000ms;
inline constexpr auto kGaugeTick = 60ms;
inline std::chrono::milliseconds rollOf(int ticks) { return ticks * 100ms; }

// A duel opened with its whole script: a draw it does not state fails the test.
struct Duel : SceneHarness {
    std::string f;
    Duel(std::string form, const Draws& draws) : f(std::move(form)) {
        random().useScript(draws.values);
        open(f);
    }
    std::string pic(const std::string& image) { return picture(f, image); }
    std::string cap(const std::string& label) { return caption(f, label); }
    bool shows(const std::string& control) { return visible(f, control); }
    bool on(const std::string& timer) { return timerEnabled(f, timer); }
    void press(const std::string& control) { click(f, control); }
    std::string dice(const std::string& array = "diceimg") {
        std::string out;
        for (int k = 0; k < 3; ++k) {
            const std::string p = pic(array + "(" + std::to_string(k) + ")");
            out += p.empty() ? "-" : p.substr(p.size() - 1);
        }
        return out;
    }
    // The opponent's whole wait and roll: her line a second in, the dice after three.
    void oppThrows(int ticks = 7) { advance(kLineIn + kThrowAfterLine + rollOf(ticks)); }
    // The heroine's click after `ticks` gauge ticks, and her roll.
    void heroineThrows(int gaugeTicks, int rollTicks = 7) {
        advance(gaugeTicks * kGaugeTick);
        press("throwbutton");
        advance(rollOf(rollTicks));
    }
    int timersOn() {
        int n = 0;
        for (const auto& t : form(f).timers()) n += t->enabled();
        return n;
    }
};

}  // namespace dice_testing
