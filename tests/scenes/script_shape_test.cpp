#include <algorithm>
#include <cstddef>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "scenes/script.h"

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
    {"mesareaepi1", 64, {23, 25, 33, 47, 52, 58, 60}, {5, 15, 26, 34, 54}, {6, 10, 11, 8, 12, 8, 9},
     {}, {}},
    {"mesareaepi21", 19, {3}, {10}, {11, 8}, {}, {{0, 1}}},
    {"mesareaepi22", 14, {2, 3}, {6}, {7, 7}, {}, {}},
    {"mesareaepi23", 12, {10}, {}, {12}, {}, {}},
    {"mesareaepi24", 12, {2, 9}, {}, {12}, {}, {}},
    {"mesareaepi3", 13, {5, 9}, {}, {12, 1}, {}, {}},
};

constexpr char32_t kIdeographicSpace = U'\u3000';

// Strict UTF-8 decoding; nullopt on any malformed, overlong or surrogate sequence, which a row
// would otherwise show as replacement characters.
std::optional<std::u32string> decodeUtf8(std::string_view text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
            min = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
            min = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
            min = 0x10000;
        } else {
            return std::nullopt;
        }
        if (text.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;  // cut short
        for (int k = 1; k <= extra; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (cont & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

// The engine counts a line in UTF-16 code units, as the toolkit's strings do.
int utf16Length(const std::u32string& codePoints) {
    int units = 0;
    for (char32_t cp : codePoints) units += cp > 0xFFFF ? 2 : 1;
    return units;
}

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
            const auto decoded = decodeUtf8(got.lines[index]);
            ASSERT_TRUE(decoded.has_value()) << "line " << index;
            EXPECT_EQ(*decoded, std::u32string(static_cast<std::size_t>(spaces), kIdeographicSpace))
                << "line " << index << " should be " << spaces << " full-width spaces";
        }
        for (const auto& [a, b] : want.repeats) {
            EXPECT_EQ(got.lines[a], got.lines[b]) << "lines " << a << " and " << b;
        }

        for (int i = 0; i < want.lines; ++i) {
            const std::string& line = got.lines[i];
            const auto decoded = decodeUtf8(line);
            ASSERT_TRUE(decoded.has_value()) << "line " << i << " is not valid UTF-8";
            const int units = utf16Length(*decoded);
            EXPECT_GE(units, 1) << "line " << i;
            EXPECT_LE(units, 33) << "line " << i << ": " << line;
            bool onlySpace = true;
            for (char32_t cp : *decoded) {
                // A row is one label line: a control character would break or garble it.
                EXPECT_GE(cp, U' ') << "line " << i << " holds a control character";
                if (cp != kIdeographicSpace && cp != U' ') onlySpace = false;
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
