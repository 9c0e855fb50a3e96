#include "support/fuzz.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <algorithm>
#include <deque>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "assets/library.h"
#include "chain/formtable.h"
#include "games/kit/gameform.h"
#include "support/play.h"
#include "ui/button.h"
#include "ui/qt/access.h"
#include "ui/textbox.h"

namespace testing_support {

namespace {

using namespace std::chrono_literals;

class Player {
public:
    Player(SceneHarness& h, std::uint64_t seed, const FuzzOptions& options) : h_(h), rng_(seed), options_(options) {}

    int pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }

    // One step; returns what it did. Sets `closed` when the step may legally end the program.
    std::string step(const std::string& form, bool& closed) {
        std::vector<std::string> enabled, any;
        for (const auto& c : h_.form(form).controls()) {
            if (!c->visible()) continue;
            any.push_back(c->name());
            if (c->enabled()) enabled.push_back(c->name());
        }
        auto oneOf = [&](const std::vector<std::string>& v) {
            return v[static_cast<std::size_t>(pick(static_cast<int>(v.size())))];
        };
        // On the title and the warp zone a player looks around before choosing a way on.
        const bool lingers = (form == "maintitle" || form == "warpzone") && pick(16) != 0;
        const int roll = lingers ? 650 + pick(350) : pick(1000);  // no clicks, no keys on a button
        // The special scene's exit ends the program; a click on what it covers, or a key on it
        // while it has the focus, reaches it too.
        if (form == "mesareaspecial" && h_.visible(form, "nextButton")) closed = true;
        if (form == "warpzone" && pick(6) == 0) {
            // A player who kept the codes: the way deep into the story without winning every game.
            const std::string code = anyCode();
            auto& box = static_cast<ui::TextBox&>(h_.control(form, "codeBox"));
            box.setText("");
            h_.typeText(form, code);
            h_.key(form, Qt::Key_Return, "\r");
            return "enter the code " + code;
        }
        if (roll < 380 && !enabled.empty()) {
            const std::string c = oneOf(enabled);
            h_.click(form, c);
            return "click " + c;
        }
        if (roll < 420 && !enabled.empty()) {
            const std::string c = oneOf(enabled);
            h_.dblClick(form, c);
            return "double-click " + c;
        }
        if (roll < 450) {
            const ui::Size client = h_.form(form).clientSize();
            const int x = pick(client.width - 15), y = pick(client.height - 15);
            h_.clickForm(form, x, y);
            return "click the form at " + std::to_string(x) + "," + std::to_string(y);
        }
        if (roll < 465 && !enabled.empty()) {
            const std::string c = oneOf(enabled);
            const int button = pick(2) ? Qt::RightButton : Qt::MiddleButton;
            h_.clickWith(form, c, button);
            return (button == Qt::RightButton ? "right-click " : "middle-click ") + c;
        }
        if (roll < 480 && any.size() > 1) {
            const std::string a = oneOf(any), b = oneOf(any);
            h_.pressAndRelease(form, a, b);
            return "press " + a + ", release " + b;
        }
        if (roll < 490 && !any.empty()) {
            const std::string c = oneOf(any);
            h_.clickAnyway(form, c);
            return "click whatever lies at " + c;
        }
        if (roll < 590) {
            const int key = pick(2) ? Qt::Key_Left : Qt::Key_Right;
            const int repeats = pick(4) == 0 ? 1 + pick(12) : 0;
            h_.keyDown(form, key);
            for (int i = 0; i < repeats; ++i) h_.keyDown(form, key, true);
            h_.key(form, key);
            return std::string(key == Qt::Key_Left ? "Left" : "Right") + (repeats ? " held" : "");
        }
        if (roll < 650) {
            const bool space = pick(2);
            h_.key(form, space ? Qt::Key_Space : Qt::Key_Return, space ? " " : "\r");
            return space ? "Space" : "Enter";
        }
        if (roll < 690) {
            static const std::vector<std::pair<int, std::string>> keys{
                {Qt::Key_Escape, ""},    {Qt::Key_Up, ""}, {Qt::Key_Down, ""}, {Qt::Key_Tab, ""},
                {Qt::Key_Backspace, ""}, {Qt::Key_A, "a"}, {Qt::Key_Z, "z"},   {Qt::Key_4, "4"},
                {Qt::Key_5, "5"},        {Qt::Key_8, "8"}, {Qt::Key_6, "6"},   {Qt::Key_0, "0"},
                {Qt::Key_9, "9"},        {Qt::Key_3, "3"}, {0, "１"},          {0, "あ"},
            };
            const auto& [key, text] = keys[static_cast<std::size_t>(pick(static_cast<int>(keys.size())))];
            h_.key(form, key, text);
            return "key " + std::to_string(key) + (text.empty() ? "" : " '" + text + "'");
        }
        if (roll < 705 && form == "warpzone") {
            // A real code as an input method or another program may hand it over: full-width, its
            // leading zeros dropped, a space after it; and things that are no code at all.
            const std::string code = anyCode();
            std::string wide;
            for (char c : code) wide += std::string("\xEF\xBC") + static_cast<char>('\x90' + (c - '0'));
            const std::vector<std::string> pastes{
                // clang-format off
                "12ab34567", wide, code.substr(std::min(code.find_first_not_of('0'), code.size() - 1)),
                std::string("1\t2\n3\x01" "4"), std::string(5000, '7'), "", "−１２", code + " ",
                // clang-format on
            };
            const std::string& text = pastes[static_cast<std::size_t>(pick(static_cast<int>(pastes.size())))];
            QApplication::clipboard()->setText(QString::fromStdString(text));
            QWidget* window = ui::qt::windowOf(h_.form(form));
            QWidget* focus = window->focusWidget() ? window->focusWidget() : window;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
            QApplication::sendEvent(focus, &press);
            h_.settle();
            return "paste " + std::to_string(text.size()) + " characters";
        }
        // Closes are rare, so that most players get deep into the story.
        if (roll < 997 || pick(3) != 0) {
            const int ms = pick(3) == 0 ? pick(100) : pick(options_.maxWaitMs);
            h_.advance(std::chrono::milliseconds(ms));
            return "wait " + std::to_string(ms) + " ms";
        }
        closed = true;
        if (pick(5) < 3) {
            h_.close(form);
            return "close";
        }
        if (pick(2) == 0) {
            h_.holdSettling(true);
            h_.close(form);
            if (h_.app().loadedForm(form)) h_.close(form);
            h_.holdSettling(false);
            h_.settle();
            return "close twice";
        }
        // An exit, then the close box, with no event processed in between: one the chain's table
        // knows, or a warp button, which opens its scene by name.
        const auto& tableExits = h_.app().facts(form).exits;
        std::vector<std::string> exits;
        for (const auto& c : enabled)
            if (tableExits.count(c) || c.starts_with("warpButtons(")) exits.push_back(c);
        h_.holdSettling(true);
        std::string what = "close right after clicking nothing";
        if (!exits.empty()) {
            const std::string c = oneOf(exits);
            h_.click(form, c);
            what = "close right after clicking " + c;
        }
        for (const auto& open : h_.openForms()) h_.close(open);
        h_.holdSettling(false);
        h_.settle();
        return what;
    }

private:
    std::string anyCode() {
        std::vector<std::string> codes;
        for (const auto& target : chain::warpTargets(table()))
            if (!target.code.empty() && target.code != "----") codes.push_back(target.code);
        return codes[static_cast<std::size_t>(pick(static_cast<int>(codes.size())))];
    }

    const chain::FormTable& table() const { return options_.table ? *options_.table : chain::formTable(); }

    SceneHarness& h_;
    std::mt19937_64 rng_;
    const FuzzOptions& options_;
};

// What must hold after every step, whatever the scene.
std::string brokenInvariant(SceneHarness& h, bool mayHaveEnded, int killedTicks) {
    if (killedTicks) return "a timer of an unloaded form ticked";
    const auto open = h.openForms();
    if (h.ended()) {
        if (!mayHaveEnded) return "the program ended by itself";
        if (!open.empty()) return "a window is left after the end: " + open.front();
        return {};
    }
    if (open.size() != 1) return std::to_string(open.size()) + " scene windows are open";
    ui::Form& f = h.form(open.front());
    if (auto* box = dynamic_cast<ui::TextBox*>(f.find("codeBox"))) {
        const std::string& t = box->text();
        if (t.size() > 4 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return "the code box holds '" + t + "'";
    }
    if (std::string broken = f.checkInvariants(); !broken.empty()) return open.front() + ": " + broken;
    return {};
}

// Every form in turn, and the games four times more: a game's rare turns (an exposure, a revival) need
// a lost game first. The title and the warp zone, which a player soon leaves, come again too.
std::vector<std::string> everyStart(const chain::FormTable& table) {
    std::vector<std::string> starts = chain::allForms(table);
    for (int again = 0; again < 4; ++again)
        for (const auto& game : chain::gameForms(table)) starts.push_back(game);
    for (const char* soonLeft : {"maintitle", "warpzone", "warpzone", "warpzone"}) starts.emplace_back(soonLeft);
    return starts;
}

void record(std::ostream& out, SceneHarness& h, std::uint64_t seed, int step, const std::string& what) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const auto& form : h.openForms())
        for (const auto& line : screen(h, form))
            for (char c : line + "\n") hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    out << seed << ' ' << step << ' ' << std::hex << hash << std::dec << ' ' << what << '\n';
}

}  // namespace

// A form goes on by a running timer or a showing, enabled control that Tab reaches (a story's NEXT
// PAGE, a game's buttons and the pictures meant to be pressed, the warp zone's code box). Once it
// has decided what it plays and shows no button, closing the window is all that is left.
Progress progress(SceneHarness& h, const std::string& name) {
    ui::Form& f = h.form(name);
    std::string showing;
    bool leadsOn = false, buttonShows = false;
    for (const auto& c : f.controls()) {
        if (!c->visible() || !c->enabled()) continue;
        leadsOn = leadsOn || c->tabStop();
        buttonShows = buttonShows || dynamic_cast<const ui::Button*>(c.get());
        showing += " " + c->name();
    }
    if (f.decided() && !buttonShows) return {true, {}};
    for (const auto& t : f.timers())
        if (t->enabled()) leadsOn = true;
    if (leadsOn) return {};
    return {false, "stuck: no timer runs, nothing leads on, and it has not ended; showing" + showing};
}

FuzzReport fuzz(const FuzzOptions& options) {
    const chain::FormTable& table = options.table ? *options.table : chain::formTable();
    FuzzReport report;
    std::set<std::string> reached;
    // Every seed builds the game afresh; the pictures outlive them all, as they do in one long
    // game, so that each is rendered once for each size rather than once for each seed.
    std::vector<ui::Picture> pictures;
    for (const auto& name : assets::pictureNames()) pictures.push_back(assets::picture(name));
    const std::vector<std::string> starts = options.starts.empty() ? everyStart(table) : options.starts;
    for (std::uint64_t seed = options.firstSeed; report.stepsRun < options.budget; ++seed) {
        SceneHarness h(options.realClock, table);
        h.random().useSeed(seed);
        if (seed % 2 == 0 && options.rareShare > 0) h.random().favour(SceneHarness::draw(99, 77), options.rareShare);
        // How long the player takes to press each message box's OK.
        static constexpr int kBoxMs[] = {0, 300, 1000, 3000};
        h.setBoxTime(std::chrono::milliseconds(std::min(options.maxWaitMs, kBoxMs[seed / 2 % 4])));
        Player player(h, seed, options);
        // Whatever the player did in a round, the next starts from what the first did.
        std::map<std::string, std::vector<std::string>> firstRound;
        std::string roundBroken;
        games::GameForm::setRoundListener([&](const games::GameForm& g, int round) {
            const auto now = screen(h, g.name(), true);
            auto& first = firstRound[g.name()];
            if (round == 1) first = now;
            for (std::size_t i = 0; i < now.size() && i < first.size() && roundBroken.empty(); ++i)
                if (now[i] != first[i])
                    roundBroken =
                        g.name() + ": round " + std::to_string(round) + " starts with " + now[i] + ", the first with " + first[i];
        });
        int killedTicks = 0;
        if (!options.realClock) h.clock().onDeliver = [&](const ui::Timer& t) { killedTicks += t.killed(); };
        std::deque<std::string> last;
        // Every other seed starts where the player has been least so far, so that no form, however
        // quickly a player passes it, goes short; the others in turn. A failure names its start, so
        // NONOKA_FUZZ_SEED with NONOKA_FUZZ_START replays it.
        std::string from = starts[seed % starts.size()];
        if (options.starts.empty() && seed % 2 == 1) {
            long fewest = -1;
            for (const auto& name : chain::allForms(table)) {
                const auto it = report.stepsPerForm.find(name);
                const long n = it == report.stepsPerForm.end() ? 0 : it->second;
                if (fewest < 0 || n < fewest) fewest = n, from = name;
            }
        }
        ++report.seedsRun;
        auto fail = [&](int step, std::string what) {
            report.failures.push_back({seed, from, step, std::move(what), {last.begin(), last.end()}});
        };
        try {
            if (from == "maintitle")
                h.start();
            else
                h.open(from);
            int stepsEnded = 0;
            for (int step = 0; step < options.maxStepsPerSeed && report.stepsRun < options.budget; ++step) {
                const auto open = h.openForms();
                if (open.size() != 1) {
                    fail(step, std::to_string(open.size()) + " scene windows are open");
                    break;
                }
                const std::string& form = open.front();
                reached.insert(form);
                ++report.stepsPerForm[form];
                bool closed = false;
                if (stepsEnded >= options.stepsOnAnEndedForm) {
                    // Nothing more to do here: the player closes the window, as anyone would.
                    closed = true;
                    stepsEnded = 0;
                    h.close(form);
                    last.push_back(form + ": close the ended form");
                } else {
                    last.push_back(form + ": " + player.step(form, closed));
                }
                if (options.recording) record(*options.recording, h, seed, step, last.back());
                if (last.size() > 20) last.pop_front();
                ++report.stepsRun;
                std::string broken = roundBroken.empty() ? brokenInvariant(h, closed, killedTicks) : roundBroken;
                if (broken.empty() && options.extraCheck) broken = options.extraCheck(h, step);
                if (broken.empty() && !h.ended()) {
                    const std::string now = h.openForms().front();
                    const Progress p = progress(h, now);
                    if (!p.stuck.empty()) broken = now + ": " + p.stuck;
                    stepsEnded = p.ended ? stepsEnded + 1 : 0;
                }
                if (!broken.empty()) {
                    fail(step, broken);
                    break;
                }
                if (h.ended()) {
                    ++report.seedsEndedByThePlayer;
                    break;
                }
            }
        } catch (const std::exception& e) {
            fail(-1, std::string("exception: ") + e.what());
        }
        std::set<std::string> titles;
        for (const auto& box : h.messageBoxes()) titles.insert(box.first);
        for (const auto& t : titles) ++report.boxesSeen[t];
        h.clock().onDeliver = nullptr;
        games::GameForm::setRoundListener(nullptr);
    }
    for (const auto& name : chain::allForms(table))
        if (reached.count(name)) report.deepest.push_back(name);
    return report;
}

std::string summary(const FuzzReport& r) {
    std::ostringstream out;
    out << r.stepsRun << " steps over " << r.seedsRun << " seeds (" << r.seedsEndedByThePlayer << " ended by the player), "
        << r.failures.size() << " failures\n  steps per form:";
    for (const auto& name : chain::allForms()) {
        const auto it = r.stepsPerForm.find(name);
        const long n = it == r.stepsPerForm.end() ? 0 : it->second;
        out << " " << name << " " << n << " (" << (r.stepsRun ? 1000 * n / r.stepsRun : 0) / 10.0 << "%)";
    }
    out << "\n  seeds that saw message boxes:";
    for (const auto& [title, n] : r.boxesSeen) out << " " << title << " " << n;
    return out.str() + "\n";
}

std::string describe(const FuzzFailure& f) {
    std::ostringstream out;
    out << "seed " << f.seed << " (started at " << f.start << "), step " << f.step << ": " << f.what << "\n  the last steps:\n";
    for (const auto& s : f.lastSteps) out << "    " << s << "\n";
    return out.str();
}

}  // namespace testing_support
