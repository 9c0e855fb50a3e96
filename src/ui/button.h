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
    // While this says so, keys do not press the button (a click still does): a page that has just
    // filled must not be turned by a key meant for its last line. A held key's repeats never press
    // any button.
    std::function<bool()> keysIgnoredWhile;
    bool ignoresKeys() const { return keysIgnoredWhile && keysIgnoredWhile(); }

private:
    std::string caption_;
};

}  // namespace ui
