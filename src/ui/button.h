#pragma once

#include <functional>
#include <string>

#include "ui/control.h"

namespace ui {

class Button final : public Control {
public:
    Button(Form& form, std::string name, Rect rect, std::string caption, Font font);

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    bool windowed() const override { return true; }
    void setFocus();
    bool hasFocus() const;

    std::function<void()> onClick;

private:
    std::string caption_;
};

}  // namespace ui
