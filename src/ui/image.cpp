#include "ui/image.h"

#include "ui/form.h"
#include "ui/private/widgets.h"

namespace ui {

Image::Image(Form& form, std::string name, Rect rect, Picture picture, bool pictureBox)
    : Control(form, std::move(name), rect, std::make_unique<detail::ControlWidget>()),
      picture_(std::move(picture)),
      pictureBox_(pictureBox) {
    widget().w = new detail::ImageWidget(*this, &form.window());
    applyGeometry();
}

void Image::setPicture(Picture picture) { show(std::move(picture), true); }

void Image::setFrame(Picture picture) { show(std::move(picture), false); }

void Image::show(Picture picture, bool atRest) {
    if (!widget().w) {
        picture_ = std::move(picture);
        return;
    }
    const std::string before = moving_ ? nameAtRest_ : spokenName();
    picture_ = std::move(picture);
    if (!atRest && !moving_) nameAtRest_ = before;
    moving_ = !atRest;
    widget().w->update();
    // A spoken name of its own ("サイコロ1 9") hides the picture's, and raises its own changes.
    if (atRest && widget().w->accessibleName().isEmpty() && spokenName() != before) detail::announceName(*widget().w, false);
}

}  // namespace ui
