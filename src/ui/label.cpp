#include "ui/label.h"

#include <QFontMetrics>

#include <algorithm>

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

namespace {
Qt::Alignment toQt(Align a) {
    switch (a) {
        case Align::Center: return Qt::AlignHCenter | Qt::AlignTop;
        case Align::Right: return Qt::AlignRight | Qt::AlignTop;
        case Align::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}
}  // namespace

Label::Label(Form& form, std::string name, Rect rect, std::string caption, Font font, Align align)
    : Control(form, std::move(name), rect, std::make_unique<detail::ControlWidget>()),
      caption_(std::move(caption)),
      font_(std::move(font)),
      align_(align) {
    auto* w = new detail::LabelWidget(*this, &form.window());
    widget().w = w;
    w->setTextFormat(Qt::PlainText);
    w->setAlignment(toQt(align_));
    detail::setDesignFont(*w, font_);
    w->setText(QString::fromStdString(caption_));
    applyGeometry();
}

void Label::setCaption(std::string caption) {
    caption_ = std::move(caption);
    auto* w = static_cast<QLabel*>(widget().w.data());
    if (!w) return;
    w->setText(QString::fromStdString(caption_));
    // A label without a name of its own raises the change itself; one read whole waits for announce().
    if (w->accessibleName().isEmpty()) detail::announceName(*w, true);
}

void Label::setAnnouncedWhole(bool on) {
    announcedWhole_ = on;
    announce();
}

void Label::announce() {
    if (!announcedWhole_ || !widget().w) return;
    // A label whose accessible name is empty speaks its text and reports every change of it; a
    // blank name of one space keeps a half-typed line quiet.
    widget().w->setAccessibleName(caption_.empty() ? QStringLiteral(" ") : QString::fromStdString(caption_));
    detail::announceName(*widget().w, true);
}

void Label::setForeColor(Rgb color) {
    color_ = color;
    if (!widget().w) return;
    QPalette p = widget().w->palette();
    p.setColor(QPalette::WindowText, detail::toQColor(color));  // enabled or not
    widget().w->setPalette(p);
}

int Label::textWidthPixels() const {
    return QFontMetrics(detail::toQFont(font_)).horizontalAdvance(QString::fromStdString(caption_));
}

}  // namespace ui

namespace ui {

void Label::keepInside(Size client) {
    constexpr int kMargin = 2 * kTwipsPerPixel;
    const int right = std::min(left() + width(), client.width - kMargin);
    const int needed = (textWidthPixels() + 1) * kTwipsPerPixel;
    if (right - left() >= needed) {
        setWidth(right - left());
        return;
    }
    align_ = Align::Right;
    if (auto* w = static_cast<QLabel*>(widget().w.data())) w->setAlignment(toQt(align_));
    setRect({right - needed, top(), needed, height()});
}

}  // namespace ui
