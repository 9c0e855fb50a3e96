// What a screen reader hears: pictures as graphics named by their description, and the changes a
// player sees as name changes.

#include <QAccessible>
#include <QAccessibleWidget>

#include "ui/image.h"
#include "ui/private/widgets.h"

namespace ui::detail {

namespace {
// A picture is a graphic named by its description; a decorative one, or none, has no name.
class ImageAccessible final : public QAccessibleWidget {
public:
    explicit ImageAccessible(ImageWidget* w) : QAccessibleWidget(w, QAccessible::Graphic) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
        return QString::fromStdString(static_cast<ImageWidget*>(widget())->owner().picture().description());
    }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* image = dynamic_cast<ImageWidget*>(object)) return new ImageAccessible(image);
    return nullptr;
}

std::function<void(const QWidget&, const QString&)>& nameListener() {
    static std::function<void(const QWidget&, const QString&)> listener;
    return listener;
}
}  // namespace

void announceName(QWidget& w, bool raisedByQt) {
    if (!raisedByQt) {
        QAccessibleEvent event(&w, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (!nameListener()) return;
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&w);
    nameListener()(w, i ? i->text(QAccessible::Name) : QString());
}

void setNameListener(std::function<void(const QWidget&, const QString&)> listener) { nameListener() = std::move(listener); }

void installAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(accessibleFor);
}

}  // namespace ui::detail
