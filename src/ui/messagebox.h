#pragma once

#include <functional>
#include <string>

namespace ui {

class Form;

// A modal box with one OK button, over the window of the form that raised it; returns when the
// player has pressed it. Its own event loop runs meanwhile: the form's timers go on ticking.
void messageBox(Form& owner, const std::string& title, const std::string& text);

// Tests answer message boxes through a handler of their own; pass nullptr for the real box again.
using MessageBoxHandler = std::function<void(Form& owner, const std::string& title, const std::string& text)>;
void setMessageBoxHandler(MessageBoxHandler handler);

}  // namespace ui
