#include <gtest/gtest.h>

#include <Qt>

#include <random>

#include "support/harness.h"
#include "ui/form.h"

namespace {

using namespace std::chrono_literals;
using testing_support::SceneHarness;

// A restless player: clicks anything on screen, presses keys, waits, and now and then closes
// the window. Whatever happens, the game must not crash, must keep exactly one scene window
// open until it ends, and no timer may tick once its form has gone.
TEST(RandomInput, ThePlayerCanDoAnythingAndTheGameStaysWhole) {
    for (std::uint64_t seed = 1; seed <= 24; ++seed) {
        SceneHarness h;
        h.random().useSeed(seed);
        std::mt19937_64 player(seed);
        auto pick = [&](int n) { return static_cast<int>(player() % static_cast<std::uint64_t>(n)); };
        int killedTicks = 0;
        h.clock().onDeliver = [&](const ui::Timer& t) { killedTicks += t.killed(); };

        h.start();
        for (int step = 0; step < 400 && !h.ended(); ++step) {
            const auto open = h.openForms();
            ASSERT_EQ(open.size(), 1u) << "seed " << seed << " step " << step;
            const std::string form = open.front();
            std::vector<std::string> targets;
            for (const auto& c : h.form(form).controls())
                if (c->visible() && c->enabled()) targets.push_back(c->name());
            const int action = pick(100);
            if (action < 55 && !targets.empty()) {
                h.click(form, targets[pick(static_cast<int>(targets.size()))]);
            } else if (action < 62 && !targets.empty()) {
                h.dblClick(form, targets[pick(static_cast<int>(targets.size()))]);
            } else if (action < 70) {
                h.clickForm(form, pick(9000), pick(7000));
            } else if (action < 80) {
                const int keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Space, Qt::Key_Return, Qt::Key_4,
                                    Qt::Key_5, Qt::Key_8, Qt::Key_6, Qt::Key_Backspace, Qt::Key_Tab};
                const int k = keys[pick(10)];
                const std::string text = k >= Qt::Key_0 && k <= Qt::Key_9 ? std::string(1, char('0' + k - Qt::Key_0)) : "";
                h.key(form, k, text);
            } else if (action < 99) {
                h.advance(std::chrono::milliseconds(pick(4000)));
            } else {
                h.close(form);
            }
        }
        EXPECT_EQ(killedTicks, 0) << "seed " << seed;
    }
}

}  // namespace
