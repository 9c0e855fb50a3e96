#pragma once

namespace ui {

// The key codes a form's Form_KeyDown and a text box's onKeyPress see: the platform's virtual-key
// numbers, which our Qt layer translates to, so a handler reads as the keys it means.
namespace key {
constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Delete = 46;
}  // namespace key

}  // namespace ui
