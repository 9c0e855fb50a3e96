#include "ui/announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <utility>

#include "ui/clock.h"
#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

namespace {

bool& assumed() {
    static bool a = false;
    return a;
}

std::function<void(const Form&, const std::string&)>& listener() {
    static std::function<void(const Form&, const std::string&)> l;
    return l;
}

// A screen reader speaks an object of role notification when it is shown, reading its name then.
// Measured with Orca 43 on Qt 6.4: name changes of labels and pictures are never spoken, not even
// on the focused control; a notification that appears is ("notification <its name>"). Nothing
// without that prefix was found that it speaks as reliably: an alert that appears is not spoken,
// nor a change of the focused control's description.
class NotificationWidget final : public QWidget {
public:
    explicit NotificationWidget(QWidget* window) : QWidget(window) {
        // A point in the corner that draws nothing and lets every click through: the screen is
        // exactly what it was, and nothing here can take the focus.
        setGeometry(0, 0, 1, 1);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    // Its name, kept here rather than as the widget's accessible name: setting that raises a name
    // change on the accessibility bus for every sentence, which no screen reader speaks and which
    // only lengthens its queue.
    QString sentence;
};

class NotificationAccessible final : public QAccessibleWidget {
public:
    explicit NotificationAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? static_cast<NotificationWidget*>(widget())->sentence : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* w = dynamic_cast<NotificationWidget*>(object)) return new NotificationAccessible(w);
    return nullptr;
}

// One per window, made on its first sentence. A screen reader reads a notification's name when it
// gets to the event, which may be after the next sentence has been given; so each sentence goes
// to the least recently used of a few notifications, and none is renamed while it may be unread.
//
// A sentence given before the window has first been activated (one a form says as it loads) is
// held until it has been: a screen reader stops speaking when a window is activated, and would
// cut it off a few milliseconds after it began. Held sentences go out on the turn after the
// activation, behind the window's title and focus that the screen reader reads first, if a
// screen reader listens by then: at start-up Qt learns that one does only after the first
// window has been made.
class Speaker final : public QObject {
public:
    explicit Speaker(QWidget* window) : QObject(window), window_(window) {
        static const bool installed = (QAccessible::installFactory(accessibleFor), true);
        (void)installed;
        setObjectName(QStringLiteral("ui-speaker"));
        activated_ = window->isActiveWindow();
        if (!activated_) window->installEventFilter(this);
    }

    // At once, not on a later turn: a sentence and the focus move that follows it in the same
    // handler (NEXT PAGE appearing after the page's last line) reach the screen reader in the
    // order the player should hear them.
    void say(const QString& sentence) {
        if (!window_) return;
        if (!activated_) {
            held_.push_back(sentence);
            return;
        }
        if (!screenReaderRuns()) return;
        QPointer<NotificationWidget>& slot = pool_[next_];
        next_ = (next_ + 1) % pool_.size();
        if (!slot) slot = new NotificationWidget(window_);
        slot->hide();
        slot->sentence = sentence;
        slot->show();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != window_ || e->type() != QEvent::WindowActivate || activated_) return false;
        activated_ = true;
        window_->removeEventFilter(this);
        QMetaObject::invokeMethod(
            this,
            [this] {
                for (const QString& s : std::exchange(held_, {})) say(s);
            },
            Qt::QueuedConnection);
        return false;
    }

private:
    bool activated_ = false;
    QStringList held_;
    QPointer<QWidget> window_;
    std::array<QPointer<NotificationWidget>, 6> pool_{};
    std::size_t next_ = 0;
};

}  // namespace

namespace qt {
void assumeScreenReader(bool on) { assumed() = on; }
}  // namespace qt

bool screenReaderRuns() { return QAccessible::isActive() || assumed(); }

void setAnnouncementListener(std::function<void(const Form&, const std::string&)> l) { listener() = std::move(l); }

void Form::announce(const std::string& sentence) {
    if (sentence.empty() || dead_) return;
    // A listener who pressed twice in a moment has heard it once; saying it again only delays what comes next.
    const std::int64_t now = clock_.elapsedMs();
    if (sentence == lastSpoken_ && now - lastSpokenAt_ < 1000) return;
    lastSpoken_ = sentence;
    lastSpokenAt_ = now;
    if (listener()) listener()(*this, sentence);
    // Without a screen reader nothing listens on the accessibility bus, and nothing is done; but a
    // window not yet activated keeps what it said until it is, when one may have come.
    auto* speaker = window_->findChild<Speaker*>(QStringLiteral("ui-speaker"), Qt::FindDirectChildrenOnly);
    if (!speaker && !screenReaderRuns() && window_->isActiveWindow()) return;
    if (!speaker) speaker = new Speaker(window_.get());
    speaker->say(QString::fromStdString(sentence));
}

}  // namespace ui
