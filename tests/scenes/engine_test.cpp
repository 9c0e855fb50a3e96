#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include "scenes/messagescene.h"
#include "scenes/script.h"
#include "scenes/utf16.h"
#include "support/harness.h"

namespace {

using namespace std::chrono_literals;
using testing_support::OpenForm;
using testing_support::SceneHarness;

std::string row(SceneHarness& h, const std::string& form, int i) { return h.caption(form, ui::indexed("rows", i)); }
int units(const std::string& s) { return static_cast<int>(scenes::toUtf16(s).size()); }
std::chrono::milliseconds typing(const std::string& line) { return 20ms * units(line); }
const std::string& line(const std::string& form, int i) { return scenes::script(form).lines.at(i); }
// How many characters of row i show after `before` and after a millisecond more: 0 and 1 where its
// line starts typing exactly then.
std::pair<int, int> typedAround(SceneHarness& h, const std::string& form, int i, std::chrono::milliseconds before) {
    h.advance(before);
    const int first = units(row(h, form, i));
    h.advance(1ms);
    return {first, units(row(h, form, i))};
}

TEST(MessageEngine, TypesACharacterPerTickAfterTheRightPauses) {
    OpenForm h("mesarea1");
    // Ten 45 ms pause ticks start the line at 450; the first 20 ms tick types.
    EXPECT_EQ(typedAround(h, "mesarea1", 0, 469ms), std::pair(0, 1));
    h.advance(typing(line("mesarea1", 0)) - 20ms);
    EXPECT_EQ(row(h, "mesarea1", 0), line("mesarea1", 0));
    EXPECT_EQ(typedAround(h, "mesarea1", 1, 469ms), std::pair(0, 1)) << "an ordinary line is followed by 450 ms of pause";

    h.click("mesarea1", "rows(1)");  // during typing: the line completes at once
    EXPECT_EQ(row(h, "mesarea1", 1), line("mesarea1", 1));
    h.click("mesarea1", "rows(0)");  // during a pause: the next line shows whole on its row
    EXPECT_EQ(row(h, "mesarea1", 2), line("mesarea1", 2));
    h.clickForm("mesarea1", 9700, 6000);  // the page itself hurries too
    EXPECT_EQ(row(h, "mesarea1", 3), line("mesarea1", 3));
    EXPECT_EQ(typedAround(h, "mesarea1", 4, 64ms), std::pair(0, 1)) << "line 3 runs on: one 45 ms tick of pause";
    h.click("mesarea1", "codeLabel");   // the continue code does not hurry
    h.key("mesarea1", Qt::Key_A, "a");  // nor does a key but Space and Enter
    EXPECT_EQ(units(row(h, "mesarea1", 4)), 1);
}

TEST(MessageEngine, PagesEndAtTheirFlagOrTheTwelfthRowAndNextPageBlanksThem) {
    OpenForm h("mesarea2");  // no page flags: twelve lines, then nine
    for (int i : {0, 11}) EXPECT_EQ(h.left("mesarea2", ui::indexed("rows", i)), 480);
    EXPECT_EQ(h.width("mesarea2", "nextPageButton"), 1815);
    EXPECT_EQ(h.control("mesarea2", "nextPageButton").top(), 6480);
    for (int i = 0; i < 12; ++i) h.click("mesarea2", "rows(0)");
    EXPECT_EQ(row(h, "mesarea2", 11), line("mesarea2", 11));
    EXPECT_EQ(std::pair(h.visible("mesarea2", "nextPageButton"), h.visible("mesarea2", "nextButton")), std::pair(true, false));
    h.click("mesarea2", "rows(0)");  // a full page ignores clicks
    h.advance(5s);
    EXPECT_EQ(row(h, "mesarea2", 0), line("mesarea2", 0));
    h.click("mesarea2", "nextPageButton");
    EXPECT_FALSE(h.visible("mesarea2", "nextPageButton"));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(row(h, "mesarea2", i), "");
    EXPECT_EQ(typedAround(h, "mesarea2", 0, 469ms), std::pair(0, 1)) << "line 13 starts on row 0 after the usual pause";
    for (int i = 0; i < 9; ++i) h.click("mesarea2", "rows(0)");
    EXPECT_EQ(row(h, "mesarea2", 8), line("mesarea2", 20));
    EXPECT_EQ(std::pair(h.visible("mesarea2", "nextPageButton"), h.visible("mesarea2", "nextButton")), std::pair(false, true));

    OpenForm e("mesareaepi1");
    EXPECT_EQ(e.left("mesareaepi1", "rows(0)"), 360) << "the first epilogue's rows sit further left";

    OpenForm s("mesareaspecial");  // its second page ends on a run-on line
    for (int i = 0; i < 12; ++i) s.click("mesareaspecial", "rows(0)");
    s.click("mesareaspecial", "nextPageButton");
    for (int i = 0; i < 7; ++i) s.click("mesareaspecial", "rows(0)");
    ASSERT_TRUE(s.visible("mesareaspecial", "nextPageButton"));
    s.click("mesareaspecial", "nextPageButton");
    EXPECT_EQ(typedAround(s, "mesareaspecial", 0, 64ms), std::pair(0, 1)) << "a page ending on a run-on line pauses 45 ms";
}

// Made-up scenes for the corners no real script reaches.
struct ProbeHarness : SceneHarness {
    explicit ProbeHarness(scenes::Script s, int windowWidth = 0) : script(std::move(s)) {
        layout = scenes::sceneLayout("mesarea1");
        layout.form = "probe";
        if (windowWidth) layout.client.width = windowWidth;
        app().registerForm("probe", [this](app::App& a) { return std::make_unique<scenes::MessageScene>(a, layout, &script); });
        open("probe");
    }
    scenes::Script script;
    scenes::SceneLayout layout;
};

// A listener hears each line once, as it completes, before NEXT PAGE takes the focus; a line that
// runs on is heard with the rest of its sentence; blank lines are not heard; R reads the page again.
TEST(MessageEngine, EachLineIsSpokenOnceWhenCompleteAndRReadsThePageAgain) {
    ProbeHarness h({{"一行目。", "　　", "続く行の", "終わり。", "次のページ。"}, {2}, {3}}, 9600);
    EXPECT_EQ(std::pair(h.left("probe", "codeLabel"), h.width("probe", "codeLabel")), std::pair(8520, 9570 - 8520))
        << "a code box running past a narrower window is cut back to it";
    h.key("probe", Qt::Key_R, "r");
    for (int i = 0; i < 4; ++i) h.click("probe", "rows(0)");
    h.key("probe", Qt::Key_R, "r");
    EXPECT_EQ(h.spoken("probe"),
              (std::vector<std::string>{"まだ何もありません", "一行目。", "続く行の終わり。", "一行目。\n続く行の\n終わり。"}));
    EXPECT_TRUE(h.visible("probe", "nextPageButton"));
    h.click("probe", "nextPageButton");
    h.advance(1s);
    EXPECT_EQ(h.spoken("probe").back(), "次のページ。");
    EXPECT_EQ(h.spoken("probe").size(), 5u);
}

// The last page is full: once it ends, a click on it finds nothing more to type.
TEST(MessageEngine, AFlagOnTheTwelfthRowBreaksOnceAndOneOnTheLastLineNotAtAll) {
    scenes::Script s;
    for (int i = 0; i < 24; ++i) s.lines.push_back(std::string(1, static_cast<char>('a' + i)));
    s.pageBreaks = {11, 23};
    ProbeHarness h(s, 9000);  // a window too narrow for the code where it is laid out
    EXPECT_EQ(h.left("probe", "codeLabel") + h.width("probe", "codeLabel"), 9000 - 30) << "the code keeps inside";
    h.advance(470ms);
    EXPECT_EQ(row(h, "probe", 0), "a") << "a one-character line is typed in one tick";
    for (int i = 1; i < 12; ++i) h.click("probe", "rows(0)");
    EXPECT_TRUE(h.visible("probe", "nextPageButton"));
    h.click("probe", "nextPageButton");
    h.click("probe", "rows(0)");
    EXPECT_EQ(row(h, "probe", 0), "m") << "one break, not an empty page";
    h.click("probe", "rows(0)");
    EXPECT_EQ(row(h, "probe", 1), "n");
    for (int i = 2; i < 13; ++i) h.click("probe", "rows(0)");
    EXPECT_EQ(row(h, "probe", 11), "x");
    EXPECT_EQ(std::pair(h.visible("probe", "nextPageButton"), h.visible("probe", "nextButton")), std::pair(false, true));
}

// Flags on the first line count; flags past the lines a scene may hold belong to no line.
TEST(MessageEngine, FlagsCountFromTheFirstLineAndOutsideTheScriptAreIgnored) {
    scenes::Script s;
    s.lines = {"a", "b"};
    s.runOn = {-1, 0, 101};
    s.pageBreaks = {-1, 0, 101};
    ProbeHarness h(s);
    h.advance(470ms);
    EXPECT_EQ(row(h, "probe", 0), "a");
    EXPECT_TRUE(h.visible("probe", "nextPageButton"));
    h.click("probe", "nextPageButton");
    EXPECT_EQ(typedAround(h, "probe", 0, 64ms), std::pair(0, 1)) << "a run-on line's pause, across the page";
}

TEST(MessageEngine, ADoubleClickAdvancesTwoLinesButNotPastAPageEnd) {
    OpenForm h("mesarea1");
    h.dblClick("mesarea1", "rows(0)");
    EXPECT_EQ(row(h, "mesarea1", 1), line("mesarea1", 1));
    EXPECT_EQ(row(h, "mesarea1", 2), "");
    for (int i = 0; i < 8; ++i) h.click("mesarea1", "rows(0)");  // lines 2..9
    h.dblClickForm("mesarea1", 9700, 6000);                      // line 10 ends the page
    EXPECT_EQ(row(h, "mesarea1", 10), line("mesarea1", 10));
    EXPECT_EQ(row(h, "mesarea1", 11), "");
    EXPECT_TRUE(h.visible("mesarea1", "nextPageButton"));
}

// NEXT PAGE clicked with the mouse takes the keyboard focus and then hides itself; neither Space
// nor Enter may press it again: mid-page they do what a click on the page does, and once the exit
// shows, it has the focus and they press it.
TEST(MessageEngine, AHiddenNextPageCannotBePressedFromTheKeyboard) {
    OpenForm h("mesarea2");
    for (int i = 0; i < 12; ++i) h.click("mesarea2", "rows(0)");
    h.key("mesarea2", Qt::Key_Return, "\r");  // meant for the last line: the full page stays
    ASSERT_TRUE(h.visible("mesarea2", "nextPageButton"));
    h.click("mesarea2", "nextPageButton");
    auto& next = static_cast<ui::Button&>(h.control("mesarea2", "nextPageButton"));
    EXPECT_FALSE(next.hasFocus()) << "the focus left with the button";
    h.advance(1s);
    const std::string typed = row(h, "mesarea2", 0);
    ASSERT_FALSE(typed.empty());
    h.key("mesarea2", Qt::Key_Space, " ");
    h.key("mesarea2", Qt::Key_Return);
    EXPECT_TRUE(row(h, "mesarea2", 0).starts_with(typed)) << "Space mid-page left the page alone";

    while (!h.visible("mesarea2", "nextButton")) h.click("mesarea2", "rows(0)");
    EXPECT_TRUE(static_cast<ui::Button&>(h.control("mesarea2", "nextButton")).hasFocus());
    EXPECT_EQ(row(h, "mesarea2", 8), line("mesarea2", 20)) << "the last page stays whole";
    // A key meant for the last line does not leave the page unread, nor does a held key's repeat.
    h.key("mesarea2", Qt::Key_Return, "\r");
    h.advance(299ms);
    h.key("mesarea2", Qt::Key_Space, " ");
    h.advance(1ms);
    h.keyDown("mesarea2", Qt::Key_Return, true);
    EXPECT_EQ(h.openForms(), std::vector<std::string>{"mesarea2"});
    h.key("mesarea2", Qt::Key_Return, "\r");
    EXPECT_EQ(h.openForms(), std::vector<std::string>{h.nextForm("mesarea2", "nextButton")});
}

TEST(ClosingSequence, CaptionsAtOneAndTwoSecondsPicturesAtSixWhateverTheClicks) {
    for (bool typedOut : {false, true}) {
        OpenForm h("mesareaepi3");
        for (int i = 0; i < 12; ++i) h.click("mesareaepi3", "rows(0)");
        h.click("mesareaepi3", "nextPageButton");
        const std::string& last = line("mesareaepi3", 12);
        if (typedOut)
            h.advance(450ms + typing(last));
        else
            h.click("mesareaepi3", "rows(0)");
        ASSERT_EQ(row(h, "mesareaepi3", 0), last);
        const auto shown = [&] {
            std::string out;
            for (const char* c : {"captionFirstLabel", "captionSecondLabel", "endMarkImage", "logoImage"})
                out += h.visible("mesareaepi3", c) ? '+' : '-';
            return out;
        };
        h.advance(999ms);
        EXPECT_EQ(shown(), "----");
        h.click("mesareaepi3", "rows(5)");
        h.dblClickForm("mesareaepi3", 9700, 6000);
        h.advance(1ms);
        EXPECT_EQ(shown(), "+---");
        EXPECT_EQ(h.spoken("mesareaepi3").back(), "健吾呼ぶの") << "said as it shows";
        h.advance(1000ms);
        EXPECT_EQ(shown(), "++--");
        EXPECT_EQ(h.across(4000ms, shown), testing_support::Change("++--", "++++"));
        const auto said = h.spoken("mesareaepi3");
        EXPECT_EQ(std::vector(said.end() - 2, said.end()),
                  (std::vector<std::string>{"忘れてた！！", "完。おしまい。ウィンドウを閉じると、ゲームが終わる"}));
        EXPECT_EQ(h.form("mesareaepi3").timers().size(), 5u);
        for (const auto& t : h.form("mesareaepi3").timers()) EXPECT_FALSE(t->enabled()) << t->name();
        EXPECT_EQ(row(h, "mesareaepi3", 0), last) << "the page keeps its text";
        EXPECT_EQ(row(h, "mesareaepi3", 1), "");
    }
}

TEST(Utf16, CutShortSequencesReadAsReplacementsAndPairsSurviveTheRoundTrip) {
    EXPECT_EQ(scenes::toUtf16("a\xE3\x81"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(scenes::toUtf16("\xC3"), u"\uFFFD");
    EXPECT_EQ(scenes::toUtf16("\xF0\x90\x80"), u"\uFFFD\uFFFD\uFFFD");
    // U+10000, U+10FFFF, U+FFFF, U+0800, U+0080, each with a character after it
    for (const std::string s : {"\xF0\x90\x80\x80z", "\xF4\x8F\xBF\xBFz", "\xEF\xBF\xBFz", "\xE0\xA0\x80z", "\xC2\x80z"})
        EXPECT_EQ(scenes::toUtf8(scenes::toUtf16(s)), s);
    EXPECT_EQ(scenes::toUtf8(u"x\xDFFF\xDC00\xD800"), "x") << "lone surrogates are dropped";
}

TEST(SpecialScene, TheBannerAndTheExitAppearTogetherAfterTheLastLine) {
    OpenForm h("mesareaspecial");
    for (int i = 0; i < 26; ++i) {
        if (h.visible("mesareaspecial", "nextPageButton")) h.click("mesareaspecial", "nextPageButton");
        h.click("mesareaspecial", "rows(0)");
    }
    const auto end = [&] { return h.visible("mesareaspecial", "winBannerImage") + h.visible("mesareaspecial", "nextButton"); };
    EXPECT_EQ(end(), 0);
    h.click("mesareaspecial", "rows(0)");
    EXPECT_EQ(end(), 2);
    EXPECT_EQ(h.left("mesareaspecial", "nextPageButton"), 4080) << "NEXT PAGE leaves the middle to the banner";
    EXPECT_EQ(h.control("mesareaspecial", "nextButton").top(), 6600) << "and the exit sits in the corner";
}

TEST(StoryText, EveryLineFitsItsRowInTheRealFontWithoutWrapping) {
    QFont font(QString::fromUtf8(ui::kGothicFace));
    font.setPixelSize(ui::pointsToPixels(15.75));
    ASSERT_EQ(QFontInfo(font).family().toStdString(), "IPAPGothic");
    const QFontMetrics metrics(font);
    const int row = ui::twipsToPixels(9135);
    for (const auto& form : scenes::scriptedForms())
        for (const auto& text : scenes::script(form).lines)
            EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(text)), row) << form << ": " << text;
}

// The longest unbroken stretch of ink along the row of most ink, and the drawn width.
std::pair<int, int> longestStroke(const QString& text, const QFont& font) {
    const int w = QFontMetrics(font).horizontalAdvance(text) + 4;
    QImage image(w, font.pixelSize() + 10, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(2, font.pixelSize(), text);
    p.end();
    int best = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < 160 ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return {best, w - 4};
}

// A dash of two characters must read as one line, not as the two bars of 一一.
TEST(StoryText, EveryDashIsOneUnbrokenLine) {
    QFont font(QString::fromUtf8(ui::kGothicFace));
    font.setPixelSize(ui::pointsToPixels(15.75));
    const QString dashes = QString::fromUtf8("―—─━");
    int found = 0;
    for (const auto& form : scenes::scriptedForms())
        for (const auto& text : scenes::script(form).lines) {
            const QString line = QString::fromStdString(text);
            for (int i = 0; i + 1 < line.size(); ++i) {
                if (!dashes.contains(line[i]) || !dashes.contains(line[i + 1])) continue;
                ++found;
                const auto [stroke, width] = longestStroke(line.mid(i, 2), font);
                EXPECT_GE(stroke, width - 2) << form << ": " << text;
            }
        }
    EXPECT_GE(found, 2) << "the story has its dashes";
}

}  // namespace
