#pragma once

#include <functional>

namespace ui {

// Runs `fn` on a later turn of the event loop, after the current handler has returned.
void post(std::function<void()> fn);

// Ends the event loop (queued, so the current handler finishes first).
void quit();

}  // namespace ui
