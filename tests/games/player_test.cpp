#include <gtest/gtest.h>

#include <QKeyEvent>

#include "chain/formtable.h"
#include "games/kit/gameform.h"
#include "support/play.h"
#include "ui/button.h"

// What every game owes its player, checked once for every game row of the chain's table.
namespace {

using namespace std::chrono_literals;
using namespace testing_support;
using Names = std::vector<std::string>;

class Player : public testing::TestWithParam<std::string> {};

// Once the game is won, it holds still: time changes nothing on screen (no clock runs on after the
// end, every label reads what was decided, as the form's own invariants, checked at every step, say),
// and neither does input, a click on anything but an exit or a secret (which answers whenever it
// is found), or a key.
TEST_P(Player, AfterTheDecisionNothingChangesButByAnExit) {
    const std::string& form = GetParam();
    OpenForm h(form);
    EXPECT_FALSE(h.form(form).decided());
    winScript(form).win(h);
    h.advance(3000ms);
    EXPECT_TRUE(h.form(form).decided());
    EXPECT_TRUE(h.visible(form, chain::mainExit(form)) && h.enabled(form, chain::mainExit(form)));
    const Names decided = screen(h, form);
    const std::size_t boxes = h.messageBoxes().size();
    h.advance(10000ms);
    EXPECT_EQ(screen(h, form), decided) << "time ran on after the end";
    const auto& exits = h.app().facts(form).exits;
    for (const auto& c : h.form(form).controls())
        if (c->visible() && !c->secret() && !exits.count(c->name()) && h.app().isLoaded(form)) h.clickAnyway(form, c->name());
    for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Escape, Qt::Key_A})
        if (h.app().isLoaded(form)) h.key(form, key);
    h.advance(10000ms);
    ASSERT_TRUE(h.app().isLoaded(form));
    EXPECT_EQ(screen(h, form), decided) << "input after the end changed the screen";
    EXPECT_EQ(h.messageBoxes().size(), boxes);
}

// A bout, a turn or an exchange starts from what the first one did: whatever the round before
// changed is put back, but for what the game carries over (a score, a history).
TEST_P(Player, EveryRoundStartsAsTheFirstDid) {
    const std::string& form = GetParam();
    SceneHarness h;
    Names first;  // of the game as last loaded: a script may lose and load it again
    int rounds = 0, later = 0;
    games::GameForm::setRoundListener([&](const games::GameForm& g, int round) {
        const Names now = screen(h, g.name(), true);
        rounds = round == 1 ? 1 : rounds + 1;
        EXPECT_EQ(round, rounds) << "the game counts its rounds";
        if (round == 1) first = now;
        for (std::size_t i = 0; round > 1 && i < now.size(); ++i) EXPECT_EQ(now[i], first[i]) << "round " << round;
        later += round > 1;
    });
    h.open(form);
    winScript(form).win(h);
    games::GameForm::setRoundListener(nullptr);
    if (later == 0) GTEST_SKIP() << "won in one round";
}

// Chance is dealt anew each time a game is opened: two programs, each on the clock's seeding as in
// play, draw differently once the game has loaded.
TEST_P(Player, ChanceIsDealtAnewOnEveryLoad) {
    const std::string& form = GetParam();
    auto firstDraws = [&] {
        SceneHarness h;
        h.random() = app::Random();
        h.open("warpzone");
        warpTo(h, form);
        std::vector<double> draws;
        for (int i = 0; i < 3; ++i) draws.push_back(h.random().draw());
        return draws;
    };
    EXPECT_NE(firstDraws(), firstDraws());
}

INSTANTIATE_TEST_SUITE_P(EveryGame, Player, testing::ValuesIn(chain::gameForms()), [](const auto& info) { return info.param; });

}  // namespace
