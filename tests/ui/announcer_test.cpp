#include <gtest/gtest.h>

#include <QAccessible>
#include <QCoreApplication>
#include <QWidget>

#include "assets/library.h"
#include "support/harness.h"
#include "ui/button.h"
#include "ui/image.h"
#include "ui/qt/access.h"

namespace {

using testing_support::SceneHarness;

class Speaking final : public ui::Form {
public:
    explicit Speaking(app::App& app)
        : ui::Form(app.clock(), "speaking", "speaking", {3000, 1500}, ui::kButtonFace),
          dial(button("dial", {1500, 600, 600, 600}, "↑")),
          box(image("box", {600, 600, 600, 600})) {}
    ui::Button& dial;
    ui::Image& box;
};

// The names of the notifications made (showing, unless `all`), which a screen reader reads as they appear.
std::vector<std::string> notifications(QWidget* window, bool all = false) {
    std::vector<std::string> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        if (i && i->role() == QAccessible::Notification && (all || w->isVisible()))
            out.push_back(i->text(QAccessible::Name).toStdString());
    }
    std::sort(out.begin(), out.end());
    return out;
}

// What a screen reader hears: each notification by name as it appears, when the widget is shown.
class Ear final : public QObject {
public:
    Ear() { QCoreApplication::instance()->installEventFilter(this); }
    ~Ear() override { QCoreApplication::instance()->removeEventFilter(this); }
    std::vector<std::string> heard;

protected:
    bool eventFilter(QObject* target, QEvent* e) override {
        QAccessibleInterface* i = e->type() == QEvent::Show ? QAccessible::queryAccessibleInterface(target) : nullptr;
        if (i && i->role() == QAccessible::Notification) heard.push_back(i->text(QAccessible::Name).toStdString());
        return false;
    }
};

// What a screen reader is told: each sentence as a notification that appears with the sentence as
// its name, the last few kept unchanged for one that reads late; the window looks and clicks
// exactly as it did; and with no screen reader nothing is made at all.
TEST(Announcer, EachSentenceIsANotificationThatAppearsAndTheScreenStaysAsItWas) {
    SceneHarness h;
    h.app().registerForm("speaking", [](app::App& a) { return std::make_unique<Speaking>(a); });
    ui::Form& form = h.app().show("speaking");
    h.settle();
    h.advance(std::chrono::seconds(5));  // a while into the game, not at its first moment
    QWidget* window = ui::qt::windowOf(form);
    const QImage before = window->grab().toImage();

    form.announce("はじめの文");
    EXPECT_TRUE(notifications(window, true).empty()) << "nothing is made while no screen reader runs";

    Ear ear;
    ui::qt::assumeScreenReader(true);
    for (const char* s : {"一", "二", "三", "四", "五", "六", "七"}) form.announce(s);
    form.announce("");
    ui::qt::assumeScreenReader(false);

    EXPECT_EQ(ear.heard, (std::vector<std::string>{"一", "二", "三", "四", "五", "六", "七"}));
    EXPECT_EQ(notifications(window), (std::vector<std::string>{"七", "三", "二", "五", "六", "四"}))
        << "the oldest of six is renamed";
    EXPECT_EQ(window->grab().toImage(), before);
    EXPECT_EQ(window->childAt(0, 0), nullptr) << "a click in the corner still reaches the form";
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (QAccessible::queryAccessibleInterface(w)->role() == QAccessible::Notification) {
            EXPECT_EQ(w->geometry(), QRect(0, 0, 1, 1)) << "a point in the corner";
        }
    }
    EXPECT_EQ(h.spoken("speaking"), (std::vector<std::string>{"はじめの文", "一", "二", "三", "四", "五", "六", "七"}))
        << "an empty sentence is never given";
    form.announce("七");
    h.advance(std::chrono::milliseconds(999));
    form.announce("七");
    EXPECT_EQ(h.spoken("speaking").size(), 8u) << "the same sentence within a second is said once";
    h.advance(std::chrono::milliseconds(1));
    form.announce("七");
    EXPECT_EQ(h.spoken("speaking").size(), 9u);

    // Said as a window opens, a sentence waits for the activation, the turn after it.
    h.app().registerForm("later", [](app::App& a) {
        return std::make_unique<ui::Form>(a.clock(), "later", "", ui::Size{900, 900}, ui::kButtonFace);
    });
    ui::qt::assumeScreenReader(true);
    h.app().show("later").announce("開いたときの文");
    EXPECT_EQ(ear.heard.size(), 7u);
    h.settle(), h.settle();
    ui::qt::assumeScreenReader(false);
    EXPECT_EQ(ear.heard.back(), "開いたときの文");
}

// A control's spoken name says which one it is and what it holds; cleared, the caption speaks again.
TEST(Announcer, AControlsSpokenNameReplacesItsCaptionUntilCleared) {
    SceneHarness h;
    h.app().registerForm("speaking", [](app::App& a) { return std::make_unique<Speaking>(a); });
    auto& form = static_cast<Speaking&>(h.app().show("speaking"));
    auto nameOf = [](ui::Control& c) {
        return QAccessible::queryAccessibleInterface(ui::qt::widgetOf(c))->text(QAccessible::Name).toStdString();
    };
    form.dial.setSpokenName("1桁目 ↑ 3");
    form.box.setSpokenName("宝箱 3行5列");
    EXPECT_EQ(nameOf(form.dial), "1桁目 ↑ 3");
    EXPECT_EQ(form.box.spokenName(), "宝箱 3行5列");
    EXPECT_EQ(form.dial.spokenName(), "1桁目 ↑ 3");
    form.dial.setSpokenName("");
    EXPECT_EQ(nameOf(form.dial) + " " + form.dial.spokenName(), "↑ ↑") << "what a screen reader reads, the caption";

    // A picture is renamed when it comes to rest with a new name, never for the frames before.
    form.box.setSpokenName("");
    int renamed = 0;
    ui::qt::setNameListener([&](const QWidget&, const QString&) { ++renamed; });
    using Step = std::pair<const char*, bool>;  // a picture, and whether it is at rest
    for (const auto& [picture, atRest] :
         {Step{"scenes/kanimg", true}, Step{"scenes/rogoimg", false}, Step{"scenes/kanimg", true}, Step{"scenes/kanimg", true}})
        atRest ? form.box.setPicture(assets::picture(picture)) : form.box.setFrame(assets::picture(picture));
    ui::qt::setNameListener(nullptr);
    EXPECT_EQ(renamed, 1) << "once at rest, with its new name; never for a frame, nor back at rest as it was";
}

}  // namespace
