#pragma once

#include <functional>
#include <string>

#include "ui/control.h"

namespace ui {

// A single-line text box.
class TextBox final : public Control {
public:
    TextBox(Form& form, std::string name, Rect rect, std::string text, Font font);

    std::string text() const;
    void setText(const std::string& text);
    bool windowed() const override { return true; }

    // Every key going down while the box has the focus; set the code to 0 to swallow the key.
    std::function<void(int& keyCode)> onKeyDown;
    // Keys that type a character, and Backspace (8); set the code to 0 to discard it.
    std::function<void(int& charCode)> onKeyPress;
    // Focus moved here from another control of the form, or the form first opened with it focused.
    std::function<void()> onGotFocus;
    // Every change of the text, however it arrives (typed, pasted, dropped, an input method),
    // passes through this filter when one is set; it returns the text to keep.
    void setTextFilter(std::function<std::string(const std::string& proposed)> filter);
};

}  // namespace ui
