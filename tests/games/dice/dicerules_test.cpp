#include <gtest/gtest.h>

#include "games/dice/dicerules.h"
#include "games/dice/throwzones.h"

namespace {

using namespace games::dicerules;
using namespace games::throwzones;

// Dice written as the pips the player sees.
Dice pips(int a, int b, int c) { return {short(a - 1), short(b - 1), short(c - 1)}; }

TEST(DiceRules, EveryHandHasItsCodeWhateverTheOrder) {
    struct Case {
        Dice dice;
        short code;
    };
    for (const auto& c : {Case{pips(6, 6, 6), 1}, Case{pips(5, 5, 5), 2}, Case{pips(4, 4, 4), 3}, Case{pips(3, 3, 3), 4},
                          Case{pips(2, 2, 2), 5}, Case{pips(6, 4, 5), 6}, Case{pips(1, 6, 1), 7}, Case{pips(5, 2, 2), 8},
                          Case{pips(6, 4, 6), 9}, Case{pips(3, 5, 5), 10}, Case{pips(2, 1, 1), 11},
                          Case{pips(1, 6, 6), 12}, Case{pips(3, 1, 2), 14}, Case{pips(1, 1, 1), 15}}) {
        EXPECT_EQ(yakucheck(c.dice), c.code) << c.dice[0] + 1 << c.dice[1] + 1 << c.dice[2] + 1;
        Dice reversed{c.dice[2], c.dice[1], c.dice[0]};
        EXPECT_EQ(yakucheck(reversed), c.code);
    }
    // Three different faces other than the two runs are no hand: throw again.
    for (const Dice& d : {pips(1, 2, 4), pips(2, 3, 4), pips(3, 4, 5), pips(1, 5, 6), pips(2, 4, 6)})
        EXPECT_EQ(yakucheck(d), kNoHandYet) << d[0] + 1 << d[1] + 1 << d[2] + 1;
}

TEST(DiceRules, TheWeakestHandsAndTheBoutEdges) {
    EXPECT_EQ(judge(kPinzoro, kHifumi), Bout::Heroine) << "1-1-1 loses even to 1-2-3";
    EXPECT_EQ(judge(kNoHand, kPinzoro), Bout::Opponent) << "and to no hand";
    EXPECT_EQ(judge(kPinzoro, kPinzoro), Bout::Draw);
    EXPECT_EQ(judge(kHifumi, kNoHand), Bout::Heroine) << "1-2-3 is below no hand";
    EXPECT_EQ(judge(kNoHand, kNoHand), Bout::Draw);
    EXPECT_EQ(judge(yakucheck(pips(2, 2, 2)), yakucheck(pips(4, 5, 6))), Bout::Opponent) << "2-2-2 beats 4-5-6";
    EXPECT_EQ(judge(yakucheck(pips(1, 6, 6)), yakucheck(pips(1, 1, 6))), Bout::Heroine)
        << "a pair scores by its odd die, not by the pair";
    EXPECT_EQ(judge(kSixes, kSixes), Bout::Draw);
}

TEST(DiceRules, TheGaugeStepsAndWrapsPastTheFullBar) {
    EXPECT_EQ(gaugeAfter(5850, 750), 600);
    EXPECT_EQ(gaugeAfter(5100, 900), 6000) << "exactly full stays full";
    EXPECT_EQ(gaugeAfter(6000, 600), 600);
    EXPECT_EQ(gaugeAfter(0, 600), 600);
    app::Random random;
    random.useScript({0.0, 0.34, 0.99});
    EXPECT_EQ(gaugeStep(random), 600);
    EXPECT_EQ(gaugeStep(random), 750);
    EXPECT_EQ(gaugeStep(random), 900);
}

TEST(ThrowZones, EachDuelReadsTheGaugeAtItsBoundaries) {
    struct Case {
        short gauge;
        Zone a, b;
    };
    for (const auto& c : {Case{0, Zone::Feeble, Zone::Feeble}, Case{199, Zone::Feeble, Zone::Feeble},
                          Case{200, Zone::Weak, Zone::Weak}, Case{999, Zone::Weak, Zone::Weak},
                          Case{1000, Zone::Normal, Zone::Weak}, Case{2999, Zone::Normal, Zone::Weak},
                          Case{3000, Zone::Perfect, Zone::Perfect}, Case{3001, Zone::Normal, Zone::Normal},
                          Case{4999, Zone::Normal, Zone::Normal}, Case{5000, Zone::Strong, Zone::Strong},
                          Case{5979, Zone::Strong, Zone::Strong}, Case{5980, Zone::Strong, Zone::Perfect},
                          Case{5999, Zone::Strong, Zone::Perfect}, Case{6000, Zone::Perfect, Zone::Perfect}}) {
        EXPECT_EQ(zone(kDuelA, c.gauge), c.a) << "duel A at " << c.gauge;
        EXPECT_EQ(zone(kDuelB, c.gauge), c.b) << "duel B at " << c.gauge;
    }
}

double draw(int n, int k) { return (k + 0.5) / n; }

TEST(ThrowZones, EachDieDrawsItsChanceThenItsFaceInOrder) {
    app::Random random;
    // Weak: r 7 gives a low die, r 8 a fair one.
    random.useScript({draw(10, 7), draw(3, 2), draw(10, 8), draw(6, 5), draw(10, 0), draw(3, 0)});
    EXPECT_EQ(weakthrow(random), pips(3, 6, 1));
    // Strong in duel A: r 5 is lucky, r 6 is not; in duel B it is the other way round.
    random.useScript({draw(10, 5), draw(3, 0), draw(10, 6), draw(6, 0), draw(10, 9), draw(6, 0)});
    EXPECT_EQ(strongthrow(kDuelA, random), pips(4, 1, 1));
    random.useScript({draw(10, 5), draw(6, 0), draw(10, 6), draw(3, 0), draw(10, 9), draw(3, 2)});
    EXPECT_EQ(strongthrow(kDuelB, random), pips(1, 4, 6));
    random.useScript({draw(3, 0), draw(3, 1), draw(3, 2)});
    EXPECT_EQ(feeblethrow(random), pips(1, 2, 3));
    random.useScript({draw(6, 5), draw(6, 0), draw(6, 3)});
    EXPECT_EQ(normalthrow(random), pips(6, 1, 4));
    random.useScript({});
    EXPECT_EQ(throwIn(Zone::Perfect, kDuelB, random), pips(6, 6, 6)) << "the perfect throw draws nothing";
}

TEST(ThrowZones, AStrongDieIsHighFourInFiveInDuelAAndSevenInTenInDuelB) {
    app::Random random;
    random.useSeed(7);
    constexpr int kThrows = 40000;
    for (const auto* rules : {&kDuelA, &kDuelB}) {
        int high = 0;
        for (int i = 0; i < kThrows; ++i)
            for (short d : strongthrow(*rules, random)) high += d >= 3;
        const double share = high / (3.0 * kThrows);
        const double expected = rules == &kDuelA ? 0.8 : 0.7;
        EXPECT_NEAR(share, expected, 0.01) << (rules == &kDuelA ? "duel A" : "duel B");
    }
}

}  // namespace
