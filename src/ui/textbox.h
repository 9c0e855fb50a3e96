#pragma once

#include <functional>
#include <string>

#include "ui/control.h"
#include "ui/keys.h"

namespace ui {

// A single-line text box.
class TextBox final : public Control {
public:
    TextBox(Form& form, std::string name, Rect rect, std::string text, Font font);

    std::string text() const;
    void setText(const std::string& text);
    bool windowed() const override { return true; }

    // Every key going down while the box has the focus; accepted, it goes no further.
    std::function<void(KeyEvent& key)> onKeyDown;
    // Keys that type a character, Backspace and Enter; accepted, the box does not type them.
    std::function<void(KeyEvent& typed)> onKeyPress;
    // Focus moved here from another control of the form, or the form first opened with it focused.
    std::function<void()> onGotFocus;
    // Every change of the text, however it arrives (typed, pasted, dropped, an input method),
    // passes through this filter when one is set; it returns the text to keep.
    void setTextFilter(std::function<std::string(const std::string& proposed)> filter);
};

}  // namespace ui
