#include <gtest/gtest.h>

#include <utility>

#include <QApplication>
#include <QCoreApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();  // the sanitizer's runtime
#else
#include <malloc.h>
#endif

#include "assets/library.h"
#include "support/harness.h"
#include "support/keyboard.h"
#include "ui/clock.h"
#include "ui/form.h"
#include "ui/keyboard.h"
#include "ui/keys.h"
#include "ui/line.h"
#include "ui/messagebox.h"
#include "ui/qt/access.h"
#include "ui/qt/application.h"

namespace {

using namespace std::chrono_literals;
using testing_support::SceneHarness;

std::string spelt(const ui::KeyEvent& key) {
    static constexpr const char* kNames[] = {"Other", "Backspace", "Tab",   "Enter", "Escape", "Space",
                                             "Left",  "Up",        "Right", "Down",  "Delete"};
    if (key.key() == ui::Key::Character) return std::string(1, static_cast<char>(key.character()));
    return kNames[static_cast<int>(key.key())];
}

// A small form that records what reaches it.
class Probe final : public ui::Form {
public:
    Probe(app::App& app, std::vector<std::string>& sink)
        : ui::Form(app.clock(), "probe", "probe", {6000, 4500}, ui::kButtonFace),
          log(sink),
          app_(app),
          clickImage(image("clickImage", {2400, 600, 1500, 1500})),
          clickLabel(label("clickLabel", {600, 600, 1500, 600}, "label")),
          crossLine(line("crossLine", 600, 900, 2100, 900)),  // across the label
          captionLabel(label("captionLabel", {3300, 1500, 2100, 600}, "caption")),
          coveredLabel(label("coveredLabel", {600, 2400, 1500, 600}, "under")),
          unloadButton(button("unloadButton", {600, 2400, 1500, 600}, "over")),
          slopeLine(line("slopeLine", 4500, 3000, 2700, 4200, {200, 0, 0})),
          lateLabel(label("lateLabel", {600, 2400, 1500, 600}, "late")),
          centredLabel(label("centredLabel", {600, 3300, 1500, 300}, "中", ui::gothic(18), ui::Align::Center)),
          rightLabel(label("rightLabel", {600, 3700, 1500, 300}, "右", ui::dialogFont(), ui::Align::Right)),
          tickTimer(timer("tickTimer", 100)) {
        clickLabel.onClick = [this] { log.push_back("label click"); };
        clickLabel.onDblClick = [this] { log.push_back("label double-click"); };
        clickImage.onClick = [this] { log.push_back("image click"); };
        coveredLabel.onClick = [this] { log.push_back("covered label click"); };
        lateLabel.onClick = [this] { log.push_back("late label click"); };
        unloadButton.onClick = [this] {
            log.push_back("button click");
            app_.unload(*this);
            app_.unload(*this);  // a second time, as a close box pressed on a closing window would
            log.push_back(ui::qt::windowOf(*this)->isVisible() ? "still shows" : "gone");
        };
        tickTimer.onTick = [this] { log.push_back("tick"); };
    }
    void onLoad() override { tickTimer.setEnabled(true); }
    void onUnload(ui::UnloadRequest& request) override {
        log.push_back("onUnload");
        if (refuse) request.refuse();
        if (auto then = std::exchange(whileUnloading, nullptr)) then();
    }
    void onClick() override { log.push_back("onClick"); }
    void onDoubleClick() override { log.push_back("onDoubleClick"); }

    bool refuse = false;
    std::function<void()> whileUnloading;  // once, inside the next onUnload
    std::vector<std::string>& log;         // kept by the test: the form itself is gone after unloading

private:
    app::App& app_;
    ui::Image& clickImage;  // the bottom of the stack
    ui::Label& clickLabel;
    ui::Line& crossLine;      // drawn over the label, yet the label's clicks pass it
    ui::Label& captionLabel;  // no click of its own: it hands clicks to what lies beneath
    ui::Label& coveredLabel;
    ui::Button& unloadButton;
    ui::Line& slopeLine;   // drawn right to left and downwards, within its bounding box
    ui::Label& lateLabel;  // made after the button it covers, and still beneath it
    ui::Label& centredLabel;
    ui::Label& rightLabel;
    ui::Timer& tickTimer;
};

// Every probe form of this file registered, "probe", "keys", "grid" and "text", all logging to one log.
struct ProbeHarness : SceneHarness {
    explicit ProbeHarness(const char* opened = nullptr);
    std::vector<std::string> log;
    Probe& probe() { return static_cast<Probe&>(form("probe")); }
};

TEST(Form, UnloadCanBeRefusedAndNoTimerFiresAfterUnloading) {
    ProbeHarness h("probe");
    Probe* probe = &h.probe();
    probe->refuse = true;
    EXPECT_FALSE(h.app().unload(*probe));
    EXPECT_EQ(h.openForms(), std::vector<std::string>{"probe"});
    EXPECT_FALSE(h.ended());
    h.advance(100ms);
    EXPECT_EQ(h.log, (std::vector<std::string>{"onUnload", "tick"}));

    probe->refuse = false;
    EXPECT_TRUE(h.app().unload(*probe));
    EXPECT_TRUE(h.openForms().empty());
    EXPECT_TRUE(h.ended()) << "closing the last window ends the program";
    h.advance(1000ms);
    EXPECT_EQ(h.log, (std::vector<std::string>{"onUnload", "tick", "onUnload"})) << "no tick after unloading";
}

TEST(Form, ClicksStopAtTheControlAndDoubleClicksComeAsClickThenDoubleClick) {
    ProbeHarness h("probe");
    h.click("probe", "clickLabel");
    h.pressAndRelease("probe", "clickLabel", "clickImage");  // dragged off: no click, here or there
    h.click("probe", "clickImage");
    h.clickForm("probe", 4800, 3600);
    h.clickForm("probe", 1350, 900);  // on the line, over the label
    h.clickWith("probe", "clickLabel", Qt::RightButton);
    h.dblClick("probe", "clickLabel", Qt::RightButton);
    h.dblClick("probe", "clickLabel");
    h.dblClickForm("probe", 4800, 3600);
    EXPECT_EQ(h.log, (std::vector<std::string>{"label click", "image click", "onClick", "label click", "label click",
                                               "label double-click", "onClick", "onDoubleClick"}));
    // Through the caption: a pixel inside its corner lies 60 pixels inside the image both ways,
    // and the image's last pixel is still the image's, one further is nobody's.
    h.log.clear();
    h.clickForm("probe", 3300, 1500);
    h.clickForm("probe", 3885, 2085);
    h.clickForm("probe", 3900, 1800);
    EXPECT_EQ(h.log, (std::vector<std::string>{"image click", "image click"}));

    // A picture that takes the focus wears the frame, and Enter and Space press it.
    ui::Control& image = h.control("probe", "clickImage");
    image.setTabStop(true);
    ui::qt::widgetOf(image)->setFocus();
    const QImage framed = ui::qt::widgetOf(image)->grab().toImage();
    EXPECT_EQ(framed.pixelColor(1, framed.height() / 2), QColor(0, 120, 215));
    h.log.clear();
    for (auto [key, text] :
         std::vector<std::pair<int, std::string>>{{Qt::Key_Return, "\r"}, {Qt::Key_Space, " "}, {Qt::Key_A, "a"}})
        h.key("probe", key, text), h.log.push_back("key " + text);
    EXPECT_EQ(h.log, (std::vector<std::string>{"image click", "key \r", "image click", "key  ", "key a"}));
}

// Counts the paints a widget gets.
struct Paints final : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::Paint;
        return false;
    }
};

// Controls look as they are told: a new picture is painted, labels align, a line keeps its points;
// buttons stack above labels, and a form unloaded in its own handler survives the handler.
TEST(Form, ControlsLookAsToldAndAFormUnloadedInItsOwnHandlerSurvivesTheHandler) {
    ProbeHarness h("probe");
    Paints paints;
    ui::qt::widgetOf(h.control("probe", "clickImage"))->installEventFilter(&paints);
    static_cast<ui::Image&>(h.control("probe", "clickImage")).setPicture(assets::picture("scenes/dice/star"));
    h.settle();
    EXPECT_GT(paints.count, 0) << "a new picture is painted";
    const auto shape = [&](const char* name) {
        const auto* l = static_cast<QLabel*>(ui::qt::widgetOf(h.control("probe", name)));
        return std::tuple(static_cast<int>(l->alignment()), l->textFormat() == Qt::PlainText, l->wordWrap());
    };
    EXPECT_EQ(shape("clickLabel"), std::tuple(static_cast<int>(Qt::AlignLeft | Qt::AlignTop), true, false))
        << "a caption shows as written, on one line";
    EXPECT_EQ(std::get<0>(shape("centredLabel")), static_cast<int>(Qt::AlignHCenter | Qt::AlignTop));
    EXPECT_EQ(ui::qt::widgetOf(h.control("probe", "centredLabel"))->font().pixelSize(), 24) << "18 points";
    const QFont dialog = ui::qt::widgetOf(h.control("probe", "rightLabel"))->font();
    EXPECT_EQ(std::pair(dialog.pixelSize(), dialog.stretch()), std::pair(12, 100)) << "9 points, at the face's own width";
    const auto* label = static_cast<QLabel*>(ui::qt::widgetOf(h.control("probe", "captionLabel")));
    EXPECT_EQ(static_cast<ui::Label&>(h.control("probe", "captionLabel")).textWidthPixels(),
              label->fontMetrics().horizontalAdvance(label->text()));
    EXPECT_EQ(std::get<0>(shape("rightLabel")), static_cast<int>(Qt::AlignRight | Qt::AlignTop));
    const auto& line = static_cast<ui::Line&>(h.control("probe", "slopeLine"));
    EXPECT_EQ((std::vector{line.x1(), line.y1(), line.x2(), line.y2()}), (std::vector{4500, 3000, 2700, 4200}));
    EXPECT_EQ(ui::qt::widgetOf(line)->geometry(), QRect(180, 200, 120, 80));
    const QImage drawn = ui::qt::widgetOf(line)->grab().toImage();
    const QColor red(200, 0, 0);
    EXPECT_EQ((std::vector{drawn.pixelColor(119, 0) == red, drawn.pixelColor(58, 40) == red, drawn.pixelColor(0, 79) == red,
                           drawn.pixelColor(0, 0) == red, drawn.pixelColor(119, 79) == red}),
              (std::vector{true, true, true, false, false}))
        << "from its top right corner to its bottom left, in its colour";
    const auto sized = [&](int width, int height) {
        h.control("probe", "captionLabel").setRect({3300, 1500, width, height});
        return ui::qt::widgetOf(h.control("probe", "captionLabel"))->size();
    };
    EXPECT_EQ(std::pair(sized(1, 0), sized(0, 1)), std::pair(QSize(1, 0), QSize(0, 1))) << "a twip draws a pixel, none none";
    // The button lies on top, so it takes the click; the double click's second half finds the form gone.
    h.dblClick("probe", "coveredLabel");
    EXPECT_EQ(h.log, (std::vector<std::string>{"button click", "onUnload", "gone"}));
    EXPECT_TRUE(h.ended());
}

// The faces the layouts name, and the message boxes' own text, are IPAPGothic; every desktop
// draws the controls in the same style.
TEST(Look, TextIsIpaPGothicAndTheStyleFusion) {
    EXPECT_EQ(ui::qt::resolvedGothicFamily().toStdString(), "IPAPGothic");
    EXPECT_EQ(ui::qt::missingFontMessage(), "") << "the start-up check finds it too";
    EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(ui::kDialogFace))).family().toStdString(), "IPAPGothic");
    const QFontInfo boxes(QApplication::font());
    EXPECT_EQ(std::pair(boxes.family().toStdString(), boxes.pixelSize()), std::pair(std::string("IPAPGothic"), 12));
    EXPECT_EQ(QApplication::style()->name().toStdString(), "fusion");
}

TEST(Geometry, TwipsBecomePixelsAndSmallLengthsStayVisible) {
    EXPECT_EQ(ui::twipsToPixels(8895), 593);
    EXPECT_EQ(ui::twipsToPixels(7155), 477);
    // A length under half a pixel either way keeps one pixel.
    EXPECT_EQ((std::vector{ui::twipsToPixels(1), ui::twipsToPixels(7), ui::twipsToPixels(-1), ui::twipsToPixels(-7)}),
              (std::vector{1, 1, -1, -1}));
    EXPECT_EQ(ui::twipsToPixels(0), 0);
    EXPECT_EQ(ui::pointsToPixels(15.75), 21);
    EXPECT_EQ(ui::pointsToPixels(27.75), 37);
}

// A form that sees keys first, as the dash and the candles do.
class KeyProbe final : public ui::Form {
public:
    KeyProbe(app::App& app, std::vector<std::string>& sink)
        : ui::Form(app.clock(), "keys", "keys", {6000, 4500}, ui::kButtonFace),
          log(sink),
          firstButton(button("firstButton", {600, 600, 1500, 600}, "one")),
          secondButton(button("secondButton", {600, 1800, 1500, 600}, "two")) {
        setKeyPreview(true);
        firstButton.onClick = [this] { log.push_back("first button click"); };
    }
    void onKeyDown(ui::KeyEvent& key) override {
        log.push_back("key " + spelt(key));
        if (key.key() == ui::Key::Left || key.key() == ui::Key::Right || key.key() == ui::Key::Space) key.accept();
    }
    std::vector<std::string>& log;
    ui::Button& firstButton;
    ui::Button& secondButton;
};

TEST(Form, AFormThatSeesKeysFirstKeepsItsKeysFromTheFocusedButton) {
    ProbeHarness h("keys");
    auto& one = static_cast<ui::Button&>(h.control("keys", "firstButton"));
    ASSERT_TRUE(one.hasFocus());
    const QImage face = ui::qt::widgetOf(one)->grab().toImage();
    // Its focus frame: two pixels in the focus colour, one of white inside them, on every side.
    const int midX = face.width() / 2, midY = face.height() / 2, right = face.width() - 1, bottom = face.height() - 1;
    const QColor focus(0, 120, 215), white(Qt::white);
    EXPECT_EQ((std::vector<QColor>{face.pixelColor(1, midY), face.pixelColor(2, midY), face.pixelColor(right - 2, midY),
                                   face.pixelColor(right - 1, midY), face.pixelColor(midX, 1), face.pixelColor(midX, 2),
                                   face.pixelColor(midX, bottom - 2), face.pixelColor(midX, bottom - 1)}),
              (std::vector<QColor>{focus, white, white, focus, focus, white, white, focus}));
    h.key("keys", Qt::Key_Space, " ");
    h.key("keys", Qt::Key_Right);
    h.key("keys", Qt::Key_Left);
    EXPECT_TRUE(one.hasFocus()) << "arrows do not move the focus";
    h.key("keys", Qt::Key_Tab);
    EXPECT_TRUE(static_cast<ui::Button&>(h.control("keys", "secondButton")).hasFocus()) << "other keys behave as usual";
    h.app().show("keys");
    EXPECT_TRUE(static_cast<ui::Button&>(h.control("keys", "secondButton")).hasFocus()) << "shown again, it keeps its focus";
    h.key("keys", Qt::Key_F35);  // a key without a code of ours goes by
    for (int k : {Qt::Key_Backspace, Qt::Key_Escape, Qt::Key_Delete}) h.key("keys", k);
    h.key("keys", Qt::Key_A, "a");  // the button has no use for it, and hands it to the window
    EXPECT_EQ(h.log, (std::vector<std::string>{"key Space", "key Right", "key Left", "key Tab", "key Backspace", "key Escape",
                                               "key Delete", "key A"}))
        << "Space clicked nothing, and each key came once";
}

// A control that turns (a dial) takes Up and Down for itself (the lock's keyboard test shows tabOrder).
TEST(Form, UpAndDownTurnAControlThatAsksForThem) {
    ProbeHarness h("keys");
    auto& one = static_cast<ui::Button&>(h.control("keys", "firstButton"));
    auto& two = static_cast<ui::Button&>(h.control("keys", "secondButton"));
    std::vector<int> turns;
    ui::turnWithUpDown(one, [&turns](int step) { turns.push_back(step); });
    h.key("keys", Qt::Key_Up);
    h.key("keys", Qt::Key_Down);
    EXPECT_EQ(turns, (std::vector<int>{1, -1}));
    EXPECT_TRUE(one.hasFocus());
    two.setFocus();
    h.key("keys", Qt::Key_Up);
    EXPECT_EQ(turns.size(), 2u) << "a control that did not ask keeps its arrows";
}

// Another window takes the player's attention, as another program's would.
void activate(QWidget& other) {
    other.show();
    other.activateWindow();
    QCoreApplication::processEvents();
}

// Seven buttons, three to a row, the middle one of the second row disabled: a grid with a hole
// and a short last row.
class GridProbe final : public ui::Form {
public:
    explicit GridProbe(app::App& app)
        : ui::Form(app.clock(), "grid", "grid", {6000, 4500}, ui::kButtonFace),
          cellButtons(buttonArray(
              "cellButtons", 7,
              [](int i) {
                  return ui::Rect{600 + 1500 * (i % 3), 600 + 900 * (i / 3), 1200, 600};
              },
              "cell")) {
        ui::arrowGrid(3, ui::cellsOf(cellButtons));
        cellButtons[4].setEnabled(false);
    }
    ui::ControlArray<ui::Button>& cellButtons;
};

// The arrows stop at every edge of the grid, its ragged bottom too, and step over the cell that
// cannot take the focus.
TEST(Form, ArrowsMoveWithinAGridAndStopAtEveryEdge) {
    ProbeHarness h("grid");
    static_cast<GridProbe&>(h.form("grid")).cellButtons[0].setFocus();
    const QImage greyed = ui::qt::widgetOf(static_cast<GridProbe&>(h.form("grid")).cellButtons[4])->grab().toImage();
    int darkest = 255;
    for (int y = 4; y < greyed.height() - 4; ++y)
        for (int x = 4; x < greyed.width() - 4; ++x) darkest = std::min(darkest, qGray(greyed.pixel(x, y)));
    EXPECT_EQ(darkest, 168) << "a disabled button's caption, antialiased, in grey 160";
    std::vector<std::string> visited;
    for (int key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down,
                    Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up}) {
        h.key("grid", key);
        visited.push_back(testing_support::focusedControl(h, "grid").substr(std::string("cellButtons").size()));
    }
    EXPECT_EQ(visited, (std::vector<std::string>{"(0)", "(0)", "(1)", "(2)", "(2)", "(5)", "(5)", "(3)", "(3)", "(6)", "(6)",
                                                 "(6)", "(3)", "(0)"}));
}

// The focus leaves a control that is disabled or hidden for the next that can take it, and only
// that one: another control going away, even while the form itself holds the focus, leaves it be.
// A control that comes back takes the focus only from the form.
TEST(Form, TheFocusPassesOnOnlyFromTheControlThatGoes) {
    ProbeHarness h("grid");
    auto& cells = static_cast<GridProbe&>(h.form("grid")).cellButtons;
    std::vector<std::string> focus;
    const auto now = [&] { focus.push_back(testing_support::focusedControl(h, "grid")); };
    cells[0].setFocus();
    cells[1].setEnabled(false), now();
    cells[0].setEnabled(false), now();
    cells[2].setVisible(false), now();
    ui::qt::windowOf(h.form("grid"))->setFocus();
    cells[5].setEnabled(false), now();
    cells[6].setVisible(false), now();
    cells[3].setFocus();
    cells[3].setEnabled(false), now();  // the last that could hold it: the form takes it back
    cells[3].setEnabled(true), now();   // while the form holds it, the first to come back takes it
    cells[6].setVisible(true), now();   // and the next leaves it be
    ui::qt::windowOf(h.form("grid"))->setFocus();
    cells[6].setTabStop(false);
    cells[6].setVisible(false);
    cells[6].setVisible(true), now();  // out of the tab order: it leaves the focus be
    cells[2].setVisible(true), now();
    // In a window the player has left, the focus passes on as the window is activated again.
    cells[2].setFocus();
    QWidget elsewhere;
    activate(elsewhere);
    EXPECT_FALSE(ui::qt::windowOf(h.form("grid"))->isActiveWindow());
    cells[2].setVisible(false);
    ui::qt::windowOf(h.form("grid"))->activateWindow();
    QCoreApplication::processEvents(), now();
    EXPECT_EQ(focus, (std::vector<std::string>{"cellButtons(0)", "cellButtons(2)", "cellButtons(3)", "", "", "", "cellButtons(3)",
                                               "cellButtons(3)", "", "cellButtons(2)", "cellButtons(3)"}));
}

// Work held for the window's first paint waits for it, whatever else reaches the window first (a
// screen reader hears nothing said over a window not yet drawn), and runs once; held later, it runs
// on the next turn, neither at once nor waiting for another paint.
TEST(Form, WorkHeldForTheFirstPaintWaitsForItAndRunsOnce) {
    ProbeHarness h;
    ui::Form& probe = h.app().form("probe");
    std::vector<std::string> ran;
    probe.afterFirstPaint([&] { ran.push_back("first"); });
    QEvent other(QEvent::WindowTitleChange);
    QCoreApplication::sendEvent(ui::qt::windowOf(probe), &other);
    h.settle();
    EXPECT_TRUE(ran.empty());
    h.open("probe");
    h.settle();  // the paint, then what waited for it
    EXPECT_EQ(ran, std::vector<std::string>{"first"});
    probe.afterFirstPaint([&] { ran.push_back("later"); });
    EXPECT_EQ(ran.size(), 1u);
    h.settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "later"}));
}

// A text box first in the tab order, and a button after it. The box records what reaches it,
// swallows X as it goes down and b as it is typed, and its form unloads on Q.
class TextProbe final : public ui::Form {
public:
    TextProbe(app::App& app, std::vector<std::string>& log)
        : ui::Form(app.clock(), "text", "text", {6000, 3000}, ui::kButtonFace),
          box(textBox("box", {600, 600, 3000, 400}, "")),
          after(button("after", {600, 1500, 1500, 600}, "after")) {
        box.onKeyDown = [&log, &app, this](ui::KeyEvent& key) {
            log.push_back("down " + spelt(key));
            if (key.is('X')) key.accept();
            if (key.is('Q')) app.unload(*this);
        };
        box.onKeyPress = [&log](ui::KeyEvent& typed) {
            log.push_back("press " + spelt(typed));
            if (typed.is('b')) typed.accept();
        };
        box.onGotFocus = [&log] { log.push_back("got focus"); };
    }
    ui::TextBox& box;
    ui::Button& after;
};

ProbeHarness::ProbeHarness(const char* opened) {
    app().registerForm("probe", [this](app::App& a) { return std::make_unique<Probe>(a, log); });
    app().registerForm("keys", [this](app::App& a) { return std::make_unique<KeyProbe>(a, log); });
    app().registerForm("grid", [](app::App& a) { return std::make_unique<GridProbe>(a); });
    app().registerForm("text", [this](app::App& a) { return std::make_unique<TextProbe>(a, log); });
    if (opened) open(opened);
}

// Digits and letters go down as the characters on their keys and are typed as what they type,
// Backspace and Enter by name, keys with neither (Home) straight to the box; an accepted key goes
// no further.
// The box gets the focus as the form opens and from another control, not from the window
// activated again; Tab selects its text as it comes.
TEST(TextBox, KeysGoDownThenTypeEitherCanBeSwallowedAndTheFocusComesFromControls) {
    ProbeHarness h("text");
    // clang-format off
    for (auto [key, text] : std::vector<std::pair<int, std::string>>{
             {Qt::Key_0, "0"}, {Qt::Key_9, "9"}, {Qt::Key_A, "a"}, {Qt::Key_Z, "z"}, {Qt::Key_X, "x"},
             {Qt::Key_B, "b"}, {Qt::Key_Backspace, ""}, {Qt::Key_Return, "\r"}, {Qt::Key_Home, ""}, {Qt::Key_5, "5"}})
        h.key("text", key, text);
    // clang-format on
    auto* box = static_cast<QLineEdit*>(ui::qt::widgetOf(static_cast<TextProbe&>(h.form("text")).box));
    EXPECT_EQ(box->text().toStdString(), "509a");
    h.key("text", Qt::Key_Tab);
    h.key("text", Qt::Key_Backtab);
    EXPECT_EQ(box->selectedText().toStdString(), "509a");
    QWidget elsewhere;
    activate(elsewhere);
    ui::qt::windowOf(h.form("text"))->activateWindow();
    QCoreApplication::processEvents();
    h.key("text", Qt::Key_Q, "q");
    EXPECT_EQ(h.log, (std::vector<std::string>{"got focus",   "down 0",  "press 0",        "down 9",          "press 9",
                                               "down A",      "press a", "down Z",         "press z",         "down X",
                                               "down B",      "press b", "down Backspace", "press Backspace", "down Enter",
                                               "press Enter", "down 5",  "press 5",        "got focus",       "down Q"}));
    EXPECT_TRUE(h.openForms().empty());
}

// A form that unloads itself again inside its onUnload goes once, and no other with it; the
// program ends once, and with no test listening, the end stops the event loop.
TEST(Form, AFormUnloadedWhileUnloadingGoesOnceAndTheEndStopsTheEventLoop) {
    ProbeHarness h("probe");
    h.open("grid");
    h.probe().whileUnloading = [&h] { h.app().unload(h.probe()); };
    int ends = 0;
    const auto quit = app::App(h.clock(), h.random()).onEnd;  // the App's own end
    h.app().onEnd = [&] {
        ++ends;
        if (quit) quit();
    };
    h.close("probe");
    EXPECT_EQ(h.openForms(), std::vector<std::string>{"grid"});
    QTimer::singleShot(0, [&h] { h.close("grid"); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // only if it never ends
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(h.log, (std::vector<std::string>{"onUnload", "onUnload"}));
    EXPECT_TRUE(h.openForms().empty());
    h.app().setExtraLoaded("sozai", false);  // the store let go after the last window
    EXPECT_EQ(ends, 1);
}

// The real box (the tests answer every other one themselves): over the form's own window, with the
// title and text it was given and one OK, and the call returns once Enter presses OK.
TEST(MessageBox, TheRealBoxOpensOverItsFormAndReturnsOnOk) {
    SceneHarness h;
    ui::Form& title = h.start();
    ui::setMessageBoxHandler(nullptr);
    std::vector<std::string> seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle().toStdString(), box->text().toStdString(),
                std::to_string(box->parentWidget() == ui::qt::windowOf(title)), std::to_string(box->buttons().size())};
        QTest::keyClick(box->windowHandle(), Qt::Key_Return);
    });
    ui::messageBox(title, "いかさま発覚", "梢「お姉ちゃん、ずるい！」");
    EXPECT_EQ(seen, (std::vector<std::string>{"いかさま発覚", "梢「お姉ちゃん、ずるい！」", "1", "1"}));
}

// The live heap, as the allocator in use counts it.
std::size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// A player going back and forth between the title and the warp zone for hours: windows come and
// go, and what they leave behind must not add up (it was 2.7 kB a window).
TEST(Form, WindowsOpenedAndClosedLeaveTheHeapAsItWas) {
    SceneHarness h;
    h.start();
    auto cycle = [&](int n) {
        for (int i = 0; i < n; ++i) {
            h.click("maintitle", "continueButton");
            h.click("warpzone", "backButton");
        }
    };
    cycle(30);
    const auto before = static_cast<long>(heapInUse());
    cycle(200);
    const long grown = static_cast<long>(heapInUse()) - before;
    EXPECT_LT(grown, 64 * 1024) << "400 windows left " << grown << " bytes behind";
}

}  // namespace
