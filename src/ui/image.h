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
    // A screen reader hears the picture's new name, when its name changes.
    void setPicture(Picture picture);
    // One frame of an animation (dice rolling, stars spinning): shown, but the name stays until the
    // picture comes to rest with setPicture, which a screen reader then hears once, not every frame.
    void setFrame(Picture picture);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

private:
    void show(Picture picture, bool atRest);

    Picture picture_;
    bool moving_ = false;
    std::string nameAtRest_;  // what a screen reader last heard it called, while it moves
    bool pictureBox_;
};

}  // namespace ui
