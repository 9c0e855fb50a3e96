#include <algorithm>
#include <cstddef>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "scenes/script.h"
#include "scenes/utf16.h"

namespace {

// What the engine and the layouts rely on, scene by scene. The words themselves are free; the
// shape is not: the page sizes decide where "NEXT PAGE" appears, the run-on lines decide the
// short pauses, and the blank and repeated lines are part of how the scenes read.
struct Shape {
    std::string form;
    int lines;
    std::vector<int> runOn;
    std::vector<int> pageBreaks;
    std::vector<int> linesPerPage;
    std::vector<std::pair<int, int>> blanks;   // line index, number of U+3000 it consists of
    std::vector<std::pair<int, int>> repeats;  // two line indices that must read the same
};

const std::vector<Shape> kShapes = {
    {"mesarea1", 27, {3, 5, 8, 14}, {10, 15}, {11, 5, 11}, {{1, 5}, {18, 5}}, {}},
    {"mesarea2", 21, {3, 7, 8, 16}, {}, {12, 9}, {{19, 3}}, {}},
    {"mesarea3", 19, {2, 8, 9, 14}, {7, 17}, {8, 10, 1}, {}, {}},
    {"mesarea4", 29, {6, 7, 9, 12, 13, 16, 17, 18}, {19, 26}, {12, 8, 7, 2}, {}, {}},
    {"mesarea5", 25, {2, 5, 8, 11, 21}, {6, 13}, {7, 7, 11}, {}, {}},
    {"mesarea6", 20, {3, 5, 10, 13, 14, 18}, {}, {12, 8}, {}, {}},
    {"mesareaspecial", 27, {0, 1, 2, 7, 9, 18, 20, 21}, {18}, {12, 7, 8}, {}, {{16, 25}, {17, 24}}},
    {"mesareaepi1", 64, {23, 25, 33, 47, 52, 58, 60}, {5, 15, 26, 34, 54}, {6, 10, 11, 8, 12, 8, 9}, {}, {}},
    {"mesareaepi21", 19, {3}, {10}, {11, 8}, {}, {{0, 1}}},
    {"mesareaepi22", 14, {2, 3}, {6}, {7, 7}, {}, {}},
    {"mesareaepi23", 12, {10}, {}, {12}, {}, {}},
    {"mesareaepi24", 12, {2, 9}, {}, {12}, {}, {}},
    {"mesareaepi3", 13, {5, 9}, {}, {12, 1}, {}, {}},
};

constexpr char16_t kIdeographicSpace = u'\u3000';

// The engine's paging: a page ends after a flagged line or its twelfth line, and the scene's
// last line ends the scene whatever its flags say.
std::vector<int> linesPerPage(const scenes::Script& s) {
    const std::set<int> breaks(s.pageBreaks.begin(), s.pageBreaks.end());
    std::vector<int> pages;
    int onPage = 0;
    const int last = static_cast<int>(s.lines.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        ++onPage;
        if (i == last || breaks.count(i) > 0 || onPage == 12) {
            pages.push_back(onPage);
            onPage = 0;
        }
    }
    return pages;
}

TEST(ScriptShape, EveryScriptHasTheShapeOfItsScene) {
    for (const Shape& want : kShapes) {
        SCOPED_TRACE(want.form);
        const scenes::Script& got = scenes::script(want.form);

        ASSERT_EQ(static_cast<int>(got.lines.size()), want.lines);
        EXPECT_EQ(got.runOn, want.runOn);
        EXPECT_EQ(got.pageBreaks, want.pageBreaks);
        EXPECT_EQ(linesPerPage(got), want.linesPerPage);

        std::set<int> blankLines;
        for (const auto& [index, spaces] : want.blanks) {
            blankLines.insert(index);
            EXPECT_EQ(got.lines[index], scenes::toUtf8(std::u16string(static_cast<std::size_t>(spaces), kIdeographicSpace)))
                << "line " << index << " should be " << spaces << " full-width spaces";
        }
        for (const auto& [a, b] : want.repeats) {
            EXPECT_EQ(got.lines[a], got.lines[b]) << "lines " << a << " and " << b;
        }

        for (int i = 0; i < want.lines; ++i) {
            const std::string& line = got.lines[i];
            // The engine counts a line in UTF-16 units; a line that does not come back as written is
            // no UTF-8 (malformed, overlong, a surrogate), and a row would show replacements for it.
            const std::u16string units = scenes::toUtf16(line);
            ASSERT_EQ(scenes::toUtf8(units), line) << "line " << i << " is not valid UTF-8";
            EXPECT_GE(units.size(), 1u) << "line " << i;
            EXPECT_LE(units.size(), 33u) << "line " << i << ": " << line;
            bool onlySpace = true;
            for (char16_t c : units) {
                // A row is one label line: a control character would break or garble it.
                EXPECT_GE(static_cast<int>(c), ' ') << "line " << i << " holds a control character";
                if (c != kIdeographicSpace && c != u' ') onlySpace = false;
            }
            // Blank lines are deliberate pauses in the text; any other one is a slip.
            EXPECT_TRUE(!onlySpace || blankLines.count(i) > 0) << "line " << i << " is blank";
        }
    }
}

TEST(ScriptShape, FormsAreListedByNameAndLookedUpByName) {
    std::vector<std::string> names;
    for (const Shape& shape : kShapes) names.push_back(shape.form);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(scenes::scriptedForms(), names);

    // Built once: the engine may keep pointers into a script while the scene lives.
    EXPECT_EQ(&scenes::script("mesarea3"), &scenes::script("mesarea3"));
    EXPECT_NE(&scenes::script("mesarea3"), &scenes::script("mesarea4"));

    EXPECT_THROW(scenes::script("maintitle"), std::out_of_range);
    EXPECT_THROW(scenes::script(""), std::out_of_range);
    EXPECT_THROW(scenes::script("mesarea"), std::out_of_range);
}

}  // namespace
