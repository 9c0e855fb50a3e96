#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <QWidget>

#include "chain/formtable.h"
#include "chain/program.h"
#include "games/kit/gameform.h"
#include "support/fuzz.h"
#include "support/harness.h"
#include "support/play.h"
#include "ui/qt/access.h"

namespace {

using testing_support::OpenForm;
using testing_support::SceneHarness;
using Forms = std::vector<std::string>;

// The exit buttons of the story, in order: form, button, the form it leads to.
struct Step {
    const char* form;
    const char* button;
    const char* next;
};

// The story from the title to the end: each story scene read through, each game won by its script.
TEST(Chain, WalkingTheExitsFromTheTitleAlwaysLeavesExactlyOneWindow) {
    SceneHarness h;
    h.start();
    const auto line = chain::mainLine();
    ASSERT_EQ(line, (Forms{"maintitle", "mesarea1", "mesarea2", "Hitandblow", "mesarea3", "tintiro1", "mizuhusen", "mesarea4",
                           "nagagutsu", "mesarea5", "max100game", "tintiro2", "mesarea6", "keysearch", "mesareaepi1", "rosoku",
                           "mesareaepi21", "mesareaepi3"}));
    Forms warped, withButton;  // the warp buttons follow the story
    for (const auto& target : chain::warpTargets()) warped.push_back(target.form);
    for (const auto& form : line)
        if (!chain::entry(form).warpCaption.empty()) withButton.push_back(form);
    EXPECT_EQ(warped, withButton);
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const std::string& form = line[i];
        const std::string& exit = chain::mainExit(form);
        if (chain::entry(form).kind == chain::Kind::Story) h.readThrough(form);
        if (chain::entry(form).kind == chain::Kind::Game) testing_support::winScript(form).win(h);
        h.click(form, exit);
        EXPECT_EQ(h.openForms(), Forms{line[i + 1]}) << "after " << form << "." << exit;
        EXPECT_FALSE(h.app().isLoaded(form));
    }
    EXPECT_FALSE(h.ended());
    EXPECT_EQ(h.form("mesareaepi3").find("nextButton"), nullptr) << "the final epilogue has no exit";
    h.close("mesareaepi3");
    EXPECT_TRUE(h.ended());
}

TEST(Chain, EveryBranchLeadsWhereItShould) {
    const std::vector<Step> branches{
        {"tintiro2", "nextButton", "mesarea6"},        {"tintiro2", "caughtCheatingButton", "mesareaspecial"},
        {"rosoku", "allOutButton", "mesareaepi21"},    {"rosoku", "halfOutButton", "mesareaepi22"},
        {"rosoku", "fewOutButton", "mesareaepi23"},    {"rosoku", "windSpiritButton", "mesareaepi24"},
        {"mesareaepi22", "nextButton", "mesareaepi3"}, {"mesareaepi23", "nextButton", "mesareaepi3"},
        {"mesareaepi24", "nextButton", "mesareaepi3"},
    };
    for (const auto& b : branches) {
        OpenForm h(b.form);
        if (chain::entry(b.form).kind == chain::Kind::Story)
            h.readThrough(b.form);
        else
            testing_support::revealExit(h, b.form, b.button);
        EXPECT_EQ(h.leave(b.button), b.next) << b.form << "." << b.button;
    }
}

TEST(Chain, TheSpecialSceneEndsTheProgramAndAnyCloseBoxDoesToo) {
    {
        OpenForm h("mesareaspecial");
        h.readThrough("mesareaspecial");
        h.click("mesareaspecial", "nextButton");
        EXPECT_TRUE(h.openForms().empty());
        EXPECT_TRUE(h.ended());
    }
    for (const auto& name : chain::allForms()) {
        OpenForm h(name);
        if (chain::entry(name).kind == chain::Kind::Game)
            h.program().sozai().numberimg(1);  // a game that has used the store unloads it too
        h.close(name);
        EXPECT_TRUE(h.ended()) << "closing " << name;
        EXPECT_TRUE(h.app().nothingLoaded()) << "closing " << name;
    }
}

TEST(Chain, GamesUnloadThePictureStoreAndTheNextUseLoadsItAgain) {
    OpenForm h("Hitandblow");
    testing_support::winScript("Hitandblow").win(h);
    EXPECT_TRUE(h.app().extraLoaded("sozai"));
    h.click("Hitandblow", "nextButton");
    EXPECT_FALSE(h.app().extraLoaded("sozai"));
    EXPECT_FALSE(h.ended());
    EXPECT_FALSE(h.program().sozai().diceimg(3).isNull());
    EXPECT_TRUE(h.app().extraLoaded("sozai"));
}

TEST(Title, LooksAsLaidOutAndComesBackTheSameFromTheWarpZone) {
    SceneHarness h;
    for (int round = 0; round < 2; ++round) {
        ui::Form& title = h.form(round == 0 ? (h.start(), "maintitle") : "maintitle");
        QWidget* window = ui::qt::windowOf(title);
        EXPECT_EQ(window->size(), QSize(593, 477));
        EXPECT_EQ(window->windowTitle().toStdString(), "メインタイトル");
        EXPECT_EQ(window->palette().color(QPalette::Window), QColor(255, 192, 255));
        EXPECT_EQ(window->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint), Qt::WindowCloseButtonHint);
        EXPECT_TRUE(static_cast<ui::Button&>(h.control("maintitle", "startButton")).hasFocus());
        h.key("maintitle", Qt::Key_Tab);
        EXPECT_TRUE(static_cast<ui::Button&>(h.control("maintitle", "continueButton")).hasFocus()) << "Tab goes on to 続きから";
        h.key("maintitle", Qt::Key_Tab);
        EXPECT_TRUE(static_cast<ui::Button&>(h.control("maintitle", "startButton")).hasFocus());
        h.click("maintitle", "continueButton");
        EXPECT_EQ(h.openForms(), Forms{"warpzone"});
        h.click("warpzone", "backButton");
        EXPECT_EQ(h.openForms(), Forms{"maintitle"});
    }
}

// Every control stands where its twips put it, and every label holds the caption it is laid out with
// on one line. The continue code is the player's only saved progress: every character of it must be
// on screen.
TEST(Chain, EveryControlStandsWhereItIsLaidOutAndEveryContinueCodeInsideItsWindow) {
    int codes = 0;
    for (const auto& name : chain::allForms()) {
        SceneHarness h;
        ui::Form& f = h.open(name);
        const int window = ui::qt::windowOf(f)->width();
        for (const auto& c : f.controls()) {
            const QWidget* w = ui::qt::widgetOf(*c);
            EXPECT_EQ(w->pos(), QPoint(ui::twipsToPixels(c->left()), ui::twipsToPixels(c->top()))) << name << "." << c->name();
            EXPECT_EQ(std::pair(w->width() == 0, w->height() == 0), std::pair(c->width() == 0, c->height() == 0))
                << name << "." << c->name() << ": nothing drawn exactly when there is nothing to draw";
            auto* l = dynamic_cast<ui::Label*>(c.get());
            if (l) {
                const QColor colour(l->foreColor().r, l->foreColor().g, l->foreColor().b);
                EXPECT_EQ(std::pair(w->palette().color(QPalette::WindowText),
                                    w->palette().color(QPalette::Disabled, QPalette::WindowText)),
                          std::pair(colour, colour))
                    << name << "." << c->name() << ": drawn in its colour, enabled or not";
                EXPECT_LE(l->textWidthPixels(), w->width()) << name << "." << c->name() << " \"" << l->caption() << "\" fits";
            }
            if (!l || !l->caption().starts_with("C-PASS")) continue;
            ++codes;
            const int textLeft =
                l->alignment() == ui::Align::Right ? w->geometry().right() + 1 - l->textWidthPixels() : w->geometry().left();
            EXPECT_GE(textLeft, 0) << name;
            EXPECT_LE(textLeft + l->textWidthPixels(), window - 1) << name << ": " << l->caption();
            EXPECT_LE(w->geometry().right(), window - 1) << name << ": the box ends inside the window";
            // Legible on the window: a light code on a dark window, a dark one on a light window.
            const auto light = [](ui::Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; };
            EXPECT_GT(std::abs(light(l->foreColor()) - light(f.background())), 128) << name;
        }
    }
    EXPECT_EQ(codes, static_cast<int>(chain::allForms().size()) - 2) << "all but the title and the warp zone";
}

TEST(Chain, EveryFormHasItsCaptionSizeAndContinueCode) {
    struct Expect {
        const char* form;
        const char* caption;
        int width, height;
        const char* code;  // as the code label shows it after "C-PASS = "
    };
    // The warp zone grows a row for every four buttons beyond sixteen.
    const int warpRows = (static_cast<int>(chain::warpTargets().size()) + 3) / 4;
    const std::vector<Expect> all{
        // clang-format off
        {"warpzone", "ワープゾーン", 8055, 6030 + 840 * std::max(0, warpRows - 4), nullptr},
        {"mesarea1", "メッセージパート", 9885, 7095, "----"}, {"mesarea2", "メッセージパート", 9885, 7095, "4140"},
        {"Hitandblow", "鍵を開けろ！", 11235, 7095, "5339"}, {"mesarea3", "メッセージパート", 9885, 7095, "3232"},
        {"tintiro1", "ちんちろ勝負Ａ", 9885, 7095, "3940"}, {"mizuhusen", "水風船投げバトル", 9885, 7095, "3164"},
        {"mesarea4", "メッセージパート", 9885, 7095, "1885"}, {"nagagutsu", "長靴１００ｍ走", 9885, 7095, "4789"},
        {"mesarea5", "メッセージパート", 9885, 7095, "7802"}, {"max100game", "１００を越えるな", 9885, 7095, "9140"},
        {"tintiro2", "ちんちろ対決Ｂ", 9915, 7125, "3896"}, {"mesareaspecial", "Form1", 9885, 7095, "1885"},
        {"mesarea6", "メッセージパート", 9885, 7095, "2383"}, {"keysearch", "鍵を探せ！", 9885, 7095, "8202"},
        {"mesareaepi1", "エピローグ", 9885, 7095, "0039"}, {"rosoku", "ろうそく消し", 9885, 7095, "9107"},
        {"mesareaepi21", "エピローグ", 9885, 7095, "----"}, {"mesareaepi22", "エピローグ", 9885, 7095, "----"},
        {"mesareaepi23", "エピローグ", 9915, 7125, "----"}, {"mesareaepi24", "エピローグ", 9885, 7095, "----"},
        // clang-format on
        {"mesareaepi3", "エピローグ", 9885, 7095, "4586"},
    };
    Forms listed{"maintitle"}, forms = chain::allForms();
    for (const auto& e : all) listed.push_back(e.form);
    EXPECT_TRUE(std::is_permutation(listed.begin(), listed.end(), forms.begin(), forms.end()))
        << "every form, once; the walk through the story states its order";
    for (const auto& e : all) {
        SceneHarness h;
        ui::Form& f = h.open(e.form);
        EXPECT_EQ(f.caption(), e.caption) << e.form;
        EXPECT_EQ(ui::qt::windowOf(f)->size(), QSize(ui::twipsToPixels(e.width), ui::twipsToPixels(e.height))) << e.form;
        EXPECT_TRUE(e.width <= chain::kLargestWindow.width && e.height <= chain::kLargestWindow.height) << e.form;
        if (e.code) {
            EXPECT_EQ(h.caption(e.form, "codeLabel"), std::string("C-PASS = ") + e.code) << e.form;
            EXPECT_TRUE(h.visible(e.form, "codeLabel")) << e.form;
        }
    }
}

// A made-up ninth game, written as a new one would be: one button wins and shows its exit.
class Extra final : public games::GameForm {
public:
    Extra(app::App& app, assets::Sozai& sozai)
        : GameForm(app, sozai, {"extra", "おまけ", {9885, 7095}, ui::kWhite, {8520, 0, 1335, 255}}),
          nextButton(button("nextButton", {3840, 6480, 1815, 495}, "NEXT AREA")),
          winButton(button("winButton", {3840, 3000, 1815, 495}, "勝つ")) {
        nextButton.setVisible(false);
        nextButton.onClick = [this] { leave("nextButton"); };
        winButton.onClick = [this] {
            winButton.setVisible(false);
            nextButton.setVisible(true);
        };
    }

private:
    ui::Button& nextButton;
    ui::Button& winButton;
};

// The game's table with the made-up game on a row of its own after the first scene.
chain::FormTable withExtra() {
    chain::FormTable table = chain::formTable();
    auto at = std::find_if(table.begin(), table.end(), [](const auto& e) { return e.name == "mesarea2"; });
    // clang-format off
    table.insert(at, {"extra", chain::Kind::Game, "2026", "おまけ", {{"nextButton"}},
                      // clang-format on
                      [](app::App& a, assets::Sozai& s, const chain::FormTable&) {
                          return std::unique_ptr<ui::Form>(std::make_unique<Extra>(a, s));
                      }});
    return table;
}

TEST(Chain, ANewGameIsOneRow) {
    const chain::FormTable table = withExtra();
    const int buttons = static_cast<int>(chain::warpTargets().size()) + 1, cell = buttons - 1;
    {
        SceneHarness h(false, table);
        h.start();
        h.click("maintitle", "continueButton");
        ui::Form& warp = h.form("warpzone");
        EXPECT_EQ(h.caption("warpzone", "warpButtons(1)"), "おまけ");
        const std::string last = ui::indexed("warpButtons", cell);
        ASSERT_TRUE(warp.find(last));
        EXPECT_EQ(ui::qt::widgetOf(h.control("warpzone", last))->pos(),
                  QPoint(ui::twipsToPixels(720 + 1680 * (cell % 4)), ui::twipsToPixels(1440 + 840 * (cell / 4))))
            << "the cell after the last, four to a row";
        // The window grows by a row for each beyond four, and 戻る keeps its place below the buttons.
        const int grown = 840 * std::max(0, cell / 4 + 1 - 4);
        EXPECT_EQ(ui::qt::windowOf(warp)->height(), ui::twipsToPixels(6030 + grown));
        EXPECT_EQ(ui::qt::widgetOf(h.control("warpzone", "backButton"))->y(), ui::twipsToPixels(5400 + grown));
        const auto enter = [&](const std::string& code, int revealed) {
            h.click("warpzone", "codeBox");
            h.typeText("warpzone", code);
            h.click("warpzone", "checkCodeButton");
            for (int i = 0; i < buttons; ++i)
                EXPECT_EQ(h.visible("warpzone", ui::indexed("warpButtons", i)), i < revealed) << code << ": " << i;
        };
        enter("2026", 2);
        enter(chain::entry("mesarea2").code, 3);
        enter(chain::warpTargets().back().code, buttons);
        h.click("warpzone", "warpButtons(1)");
        EXPECT_EQ(h.openForms(), Forms{"extra"});
        EXPECT_EQ(h.caption("extra", "codeLabel"), "C-PASS = 2026");
    }
    {
        SceneHarness h(false, table);
        h.open("mesarea1");
        h.readThrough("mesarea1");
        h.click("mesarea1", "nextButton");
        EXPECT_EQ(h.openForms(), Forms{"extra"}) << "the story's previous exit leads to the new game";
        h.click("extra", "winButton");
        h.click("extra", "nextButton");
        EXPECT_EQ(h.openForms(), Forms{"mesarea2"}) << "and the new game's to the next row";
    }
    testing_support::FuzzOptions options;
    options.table = &table;
    options.budget = 2000;
    const auto report = testing_support::fuzz(options);
    for (const auto& f : report.failures) ADD_FAILURE() << testing_support::describe(f);
    EXPECT_NE(std::find(report.deepest.begin(), report.deepest.end(), "extra"), report.deepest.end());
}

TEST(Chain, ATableWithAnExitToNowhereIsRefusedBeforeAnythingRuns) {
    chain::FormTable table = withExtra();
    table.back().exits = {{"nextButton", "no such form"}};
    EXPECT_THROW(SceneHarness(false, table), std::invalid_argument) << "an exit to a form of no row";
    table.back().exits = {{"nextButton"}};
    EXPECT_THROW(SceneHarness(false, table), std::invalid_argument) << "the next row's, from the last row";
    table = withExtra();
    table.push_back(table.front());
    EXPECT_THROW(SceneHarness(false, table), std::invalid_argument) << "two rows of one name";
    table = withExtra();
    auto& extra = *std::find_if(table.begin(), table.end(), [](const auto& e) { return e.name == "extra"; });
    extra.name = "extra game";
    EXPECT_THROW(SceneHarness(false, table), std::invalid_argument) << "a name no form can have";
    extra.name = "extra";
    for (const std::string& code : {std::string("123"), std::string("12a4"), chain::entry("mesarea2").code}) {
        extra.code = code;
        EXPECT_THROW(SceneHarness(false, table), std::invalid_argument) << "the code " << code;
    }
    extra.code = "2026";
    extra.kind = chain::Kind::Story;
    EXPECT_THROW(SceneHarness(false, table), std::invalid_argument) << "a story row with no scene file";
    table = withExtra();
    table.erase(std::find_if(table.begin(), table.end(), [](const auto& e) { return e.name == "mesarea3"; }));
    EXPECT_THROW(SceneHarness(false, table), std::invalid_argument) << "a scene file with no row";
}

}  // namespace
