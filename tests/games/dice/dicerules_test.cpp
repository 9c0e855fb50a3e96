#include <gtest/gtest.h>

#include "games/dice/dicerules.h"
#include "games/dice/throwzones.h"

namespace {

using namespace games::dicerules;

// Dice written as the pips the player sees.
Dice pips(int a, int b, int c) { return {short(a - 1), short(b - 1), short(c - 1)}; }
double draw(int n, int k) { return (k + 0.5) / n; }

TEST(DiceRules, EveryHandHasItsCodeWhateverTheOrder) {
    const std::vector<std::pair<Dice, short>> hands{
        {pips(6, 6, 6), 1},  {pips(5, 5, 5), 2},  {pips(4, 4, 4), 3},  {pips(3, 3, 3), 4}, {pips(2, 2, 2), 5},
        {pips(6, 4, 5), 6},  {pips(1, 6, 1), 7},  {pips(5, 2, 2), 8},  {pips(6, 4, 6), 9}, {pips(3, 5, 5), 10},
        {pips(2, 1, 1), 11}, {pips(1, 6, 6), 12}, {pips(3, 1, 2), 14}, {pips(1, 1, 1), 15}};
    for (const auto& [d, code] : hands) {
        EXPECT_EQ(handOf(d), code) << d[0] + 1 << d[1] + 1 << d[2] + 1;
        EXPECT_EQ(handOf({d[2], d[1], d[0]}), code);
    }
    // Three different faces other than the two runs are no hand: throw again.
    for (const Dice& d : {pips(1, 2, 4), pips(2, 3, 4), pips(3, 4, 5), pips(1, 5, 6), pips(2, 4, 6)})
        EXPECT_EQ(handOf(d), kNoHandYet) << d[0] + 1 << d[1] + 1 << d[2] + 1;
    // What a listener hears at each end of the codes; the duels' tests hear the others.
    EXPECT_EQ(throwWords(pips(6, 4, 5), 6) + "/" + throwWords(pips(2, 2, 2), 5) + "/" + throwWords(pips(1, 6, 6), 12),
              "6、4、5、シゴロ/2、2、2、2のゾロ目/1、6、6、1の目");
}

TEST(DiceRules, TheWeakestHandsAndTheBoutEdges) {
    EXPECT_EQ(judge(kThreeOnes, kOneTwoThree), Bout::Heroine) << "1-1-1 loses even to 1-2-3";
    EXPECT_EQ(judge(kNoHand, kThreeOnes), Bout::Opponent) << "and to no hand";
    EXPECT_EQ(judge(kThreeOnes, kThreeOnes), Bout::Draw);
    EXPECT_EQ(judge(kOneTwoThree, kNoHand), Bout::Heroine) << "1-2-3 is below no hand";
    EXPECT_EQ(judge(kNoHand, kNoHand), Bout::Draw);
    EXPECT_EQ(judge(handOf(pips(2, 2, 2)), handOf(pips(4, 5, 6))), Bout::Opponent) << "2-2-2 beats 4-5-6";
    EXPECT_EQ(judge(handOf(pips(1, 6, 6)), handOf(pips(1, 1, 6))), Bout::Heroine) << "the odd die scores";
}

TEST(DiceRules, TheGaugeStepsAndWrapsPastTheFullBar) {
    EXPECT_EQ(gaugeAfter(5850, 750), 600);
    EXPECT_EQ(gaugeAfter(5100, 900), 6000) << "exactly full stays full";
    EXPECT_EQ(gaugeAfter(6000, 600), 600);
    app::Random random;
    random.useScript({0.0, 0.34, 0.99});
    for (short step : {600, 750, 900}) EXPECT_EQ(gaugeStep(random), step);
}

TEST(ThrowZones, EachDuelReadsTheGaugeAtItsBoundaries) {
    using Z = Zone;
    const std::vector<std::tuple<short, Zone, Zone>> cases{
        {0, Z::Feeble, Z::Feeble},      {199, Z::Feeble, Z::Feeble},   {200, Z::Weak, Z::Weak},
        {999, Z::Weak, Z::Weak},        {1000, Z::Normal, Z::Weak},    {2999, Z::Normal, Z::Weak},
        {3000, Z::Perfect, Z::Perfect}, {3001, Z::Normal, Z::Normal},  {4999, Z::Normal, Z::Normal},
        {5000, Z::Strong, Z::Strong},   {5979, Z::Strong, Z::Strong},  {5980, Z::Strong, Z::Perfect},
        {5999, Z::Strong, Z::Perfect},  {6000, Z::Perfect, Z::Perfect}};
    for (const auto& [gauge, a, b] : cases) {
        EXPECT_EQ(zone(kDuelA, gauge), a) << "duel A at " << gauge;
        EXPECT_EQ(zone(kDuelB, gauge), b) << "duel B at " << gauge;
    }
}

TEST(ThrowZones, EachDieDrawsItsChanceThenItsFaceInOrder) {
    app::Random random;
    // Weak: r 7 gives a low die, r 8 a fair one.
    random.useScript({draw(10, 7), draw(3, 2), draw(10, 8), draw(6, 5), draw(10, 0), draw(3, 0)});
    EXPECT_EQ(weakThrow(random), pips(3, 6, 1));
    // Strong in duel A: r 5 is lucky, r 6 is not; in duel B it is the other way round.
    random.useScript({draw(10, 5), draw(3, 0), draw(10, 6), draw(6, 0), draw(10, 9), draw(6, 0)});
    EXPECT_EQ(strongThrow(kDuelA, random), pips(4, 1, 1));
    random.useScript({draw(10, 5), draw(6, 0), draw(10, 6), draw(3, 0), draw(10, 9), draw(3, 2)});
    EXPECT_EQ(strongThrow(kDuelB, random), pips(1, 4, 6));
    random.useScript({draw(3, 0), draw(3, 1), draw(3, 2), draw(6, 5), draw(6, 0), draw(6, 3)});
    EXPECT_EQ(feebleThrow(random), pips(1, 2, 3));
    EXPECT_EQ(normalThrow(random), pips(6, 1, 4));
    EXPECT_EQ(throwIn(Zone::Perfect, kDuelB, random), pips(6, 6, 6)) << "the perfect throw draws nothing";
    // Every other zone throws its own way: the same draws give what its own throw gives.
    const std::deque<double> draws{draw(10, 8), draw(6, 5), draw(10, 8), draw(6, 1), draw(10, 8), draw(6, 3)};
    auto on = [&](auto dice) {
        random.useScript(draws);
        return dice();
    };
    EXPECT_EQ(on([&] { return throwIn(Zone::Strong, kDuelA, random); }), on([&] { return strongThrow(kDuelA, random); }));
    EXPECT_EQ(on([&] { return throwIn(Zone::Normal, kDuelA, random); }), on([&] { return normalThrow(random); }));
    EXPECT_EQ(on([&] { return throwIn(Zone::Weak, kDuelA, random); }), on([&] { return weakThrow(random); }));
    EXPECT_EQ(on([&] { return throwIn(Zone::Feeble, kDuelA, random); }), on([&] { return feebleThrow(random); }));
}

TEST(ThrowZones, AStrongDieIsHighFourInFiveInDuelAAndSevenInTenInDuelB) {
    app::Random random;
    random.useSeed(7);
    constexpr int kThrows = 40000;
    for (const auto& [rules, expected] : {std::pair{&kDuelA, 0.8}, std::pair{&kDuelB, 0.7}}) {
        int high = 0;
        for (int i = 0; i < kThrows; ++i)
            for (short d : strongThrow(*rules, random)) high += d >= 3;
        EXPECT_NEAR(high / (3.0 * kThrows), expected, 0.01) << "about 8 standard deviations";
    }
}

}  // namespace
