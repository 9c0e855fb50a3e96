#pragma once

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/picture.h"

namespace ui {

// A picture stretched to the control's size. Without a picture it is still a click area.
class Image final : public Control {
public:
    Image(Form& form, std::string name, Rect rect, Picture picture);

    const Picture& picture() const { return picture_; }
    void setPicture(Picture picture);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

private:
    Picture picture_;
};

}  // namespace ui
