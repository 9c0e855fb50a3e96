#pragma once

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/picture.h"

namespace ui {

// A picture stretched to the control's size. Without a picture it is still a click area.
class Image final : public Control {
public:
    // A picture box is windowed: it stacks above labels and images, like buttons do.
    Image(Form& form, std::string name, Rect rect, Picture picture, bool pictureBox = false);

    const Picture& picture() const { return picture_; }
    bool windowed() const override { return pictureBox_; }
    void setPicture(Picture picture);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

private:
    Picture picture_;
    bool pictureBox_;
};

}  // namespace ui
