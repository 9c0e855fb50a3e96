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
    picture_ = std::move(picture);
    if (widget().w) widget().w->update();
}

}  // namespace ui
