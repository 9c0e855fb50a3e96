#include "ui/image.h"

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

Image::Image(Form& form, std::string name, Rect rect, Picture picture, bool pictureBox)
    : Control(form, std::move(name), rect, std::make_unique<detail::ControlWidget>()),
      picture_(std::move(picture)), pictureBox_(pictureBox) {
    widget().w = new detail::ImageWidget(*this, &form.window());
    applyGeometry();
}

void Image::setPicture(Picture picture) { show(std::move(picture), true); }

void Image::setFrame(Picture picture) { show(std::move(picture), false); }

void Image::show(Picture picture, bool atRest) {
    const std::string before = moving_ ? nameAtRest_ : picture_.description();
    picture_ = std::move(picture);
    if (!atRest && !moving_) nameAtRest_ = before;
    moving_ = !atRest;
    if (!widget().w) return;
    widget().w->update();
    if (atRest && picture_.description() != before) detail::announceName(*widget().w, false);
}

}  // namespace ui
