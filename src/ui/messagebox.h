#pragma once

#include <functional>
#include <string>

namespace ui {

// A modal box with one OK button; returns when the player has pressed it.
void messageBox(const std::string& title, const std::string& text);

// Tests answer message boxes at once through a recorder; pass nullptr for the real box again.
void setMessageBoxHandler(std::function<void(const std::string& title, const std::string& text)> handler);

}  // namespace ui
