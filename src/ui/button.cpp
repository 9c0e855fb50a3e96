#include "ui/button.h"

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

Button::Button(Form& form, std::string name, Rect rect, std::string caption, Font font)
    : Control(form, std::move(name), rect, std::make_unique<detail::ControlWidget>()), caption_(std::move(caption)) {
    auto* w = new detail::ButtonWidget(*this, &form.window());
    widget().w = w;
    detail::setDesignFont(*w, font);
    w->setText(QString::fromStdString(caption_));
    applyGeometry();
}

void Button::setCaption(std::string caption) {
    caption_ = std::move(caption);
    if (auto* w = static_cast<QPushButton*>(widget().w.data())) w->setText(QString::fromStdString(caption_));
}

void Button::setFocus() {
    if (widget().w) widget().w->setFocus(Qt::OtherFocusReason);
}

bool Button::hasFocus() const { return widget().w && widget().w->hasFocus(); }

}  // namespace ui
