#pragma once

#include <string>

#include "ui/control.h"

namespace ui {

// A one-pixel decoration line between two points in twips; it takes no clicks.
class Line final : public Control {
public:
    Line(Form& form, std::string name, int x1, int y1, int x2, int y2, Rgb color);

    int x1() const { return x1_; }
    int y1() const { return y1_; }
    int x2() const { return x2_; }
    int y2() const { return y2_; }
    Rgb color() const { return color_; }

private:
    int x1_, y1_, x2_, y2_;
    Rgb color_;
};

}  // namespace ui
