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

void Image::setPicture(Picture picture) {
    const bool renamed = picture.description() != picture_.description();
    picture_ = std::move(picture);
    if (!widget().w) return;
    widget().w->update();
    if (renamed) detail::announceName(*widget().w, false);
}

}  // namespace ui
