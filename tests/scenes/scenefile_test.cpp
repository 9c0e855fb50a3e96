#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scenes/scenefile.h"
#include "support/printers.h"

namespace {

using Ints = std::vector<int>;

std::string page(int rows, const std::string& word) {
    std::string out;
    for (int i = 0; i < rows; ++i) out += word + std::to_string(i) + "\n";
    return out;
}

TEST(SceneFile, PagesRunOnsAndSettingsReadAsTheEngineWantsThem) {
    const std::string text =
        "\xEF\xBB\xBF# a note for the writer\r\n"  // saved by an editor that marks its UTF-8
        "caption: エピローグ\r\n"
        "exit: NEXT AREA  \r\n"
        "buttons at: 4080\n"
        "exit at: 8040 6\n"
        "rows at: 360\n"
        "window: 9915 7125\n"
        "---\n\n" +  // a blank line before the first row ends no page
        page(11, "一") +
        "続く \\\r\n" +                                   // the twelfth row fills the page and runs on
        "\n" + page(3, "二") + "\n\n" +                   // two blank lines are one page end
        "# not a row\n" + "　　　\n\n" + "終わり\\\n\n";  // a page of one row
    const scenes::SceneFile f = scenes::readSceneFile("mesareaepi9", text);

    ASSERT_EQ(f.script.lines.size(), 17u);
    EXPECT_EQ(f.script.lines[11], "続く");
    EXPECT_EQ(f.script.lines[15], "　　　") << "full-width spaces are a row's own";
    EXPECT_EQ(f.script.runOn, (Ints{11, 16}));
    EXPECT_EQ(f.script.pageBreaks, (Ints{14, 15})) << "a full page turns by itself";

    EXPECT_EQ(f.layout.form + "/" + f.layout.caption + "/" + f.layout.exitCaption, "mesareaepi9/エピローグ/NEXT AREA");
    EXPECT_EQ(f.layout.nextPageRect, (ui::Rect{4080, 6480, 1815, 495}));
    EXPECT_EQ(f.layout.exitRect, (ui::Rect{8040, 6, 1815, 495}));
    EXPECT_EQ(f.layout.rowLeft, 360);
    EXPECT_EQ(f.layout.client, (ui::Size{9915, 7125}));

    const scenes::SceneFile plain = scenes::readSceneFile("x", "caption: c\nbuttons at: 3840\n---\n行\n");
    EXPECT_EQ(plain.layout.exitCaption, "") << "no exit button";
    EXPECT_EQ(plain.layout.exitRect, plain.layout.nextPageRect);
    EXPECT_EQ(plain.layout.rowLeft, 480);
    EXPECT_EQ(plain.layout.client, (ui::Size{9885, 7095}));
}

// A writer's slip stops the program at its start with the file and line to look at.
TEST(SceneFile, FaultsNameTheFileAndLine) {
    const std::string head = "caption: c\nbuttons at: 3840\n---\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"caption: c\nbuttons at: 3840\n", "x.scene: no '---'"},
        {head, "x.scene: the scene has no rows"},
        {head + page(13, "行"), "x.scene line 16: a page holds 12"},
        {head + "行\n \\\n", "x.scene line 5: a row needs a character"},
        {"caption: c\nbuttons at: 3840\ncaption: d\n---\n行\n", "x.scene line 3: 'caption' is set twice"},
        {"caption c\n---\n行\n", "x.scene line 1: a setting reads"},
        {"buttons at: 3840\n---\n行\n", "x.scene: 'caption' must be set"},
        {"caption: c\n---\n行\n", "x.scene: 'buttons at' must be set"},
        {"caption: c\nbuttons at: 3840\nexit at: 8040,6600\n---\n行\n", "x.scene line 3: '8040,6600' should be 2"},
        {"caption: c\nbuttons at: 38４0\n---\n行\n", "x.scene line 2: '38４0' should be 1 whole number"},
        {"caption: c\nbuttons at: 3840\nwindow: 9915\n---\n行\n", "x.scene line 3: '9915' should be 2"},
        {"caption: c\nbuttons at: 3840\nexit  at: 1 2\n---\n行\n", "x.scene line 3: no setting is called 'exit  at'"},
    };
    for (const auto& [text, want] : cases) {
        SCOPED_TRACE(text);
        try {
            scenes::readSceneFile("x", text);
            ADD_FAILURE() << "read without complaint";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()).rfind(want, 0), 0u) << e.what();
        }
    }
    std::string most = head;
    for (int i = 0; i < 8; ++i) most += page(12, "行") + "\n";
    most += page(5, "行");
    EXPECT_EQ(scenes::readSceneFile("x", most).script.lines.size(), 101u);
    EXPECT_THROW(scenes::readSceneFile("x", most + "行\n"), std::invalid_argument) << "more rows than a scene holds";
}

}  // namespace
