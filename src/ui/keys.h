#pragma once

namespace ui {

// The keys a form and a text box tell apart; a digit or a letter is a Character.
enum class Key { Other, Backspace, Tab, Enter, Escape, Space, Left, Up, Right, Down, Delete, Character };

// A key going down, or a character being typed, on its way to a form or a text box. A handler
// that acts on it accepts it, and it goes no further: no focus moves, no button presses, nothing
// is typed. Ignored, it goes on as if the handler were not there.
class KeyEvent {
public:
    explicit KeyEvent(Key key, char32_t character = 0) : key_(key), character_(character) {}

    Key key() const { return key_; }
    // For a Character: going down, the digit or the capital letter on the key ('R' for r and R);
    // typed, the character itself. 0 for every other key.
    char32_t character() const { return character_; }
    bool is(char32_t character) const { return key_ == Key::Character && character_ == character; }

    void accept() { accepted_ = true; }
    bool accepted() const { return accepted_; }

private:
    Key key_;
    char32_t character_;
    bool accepted_ = false;
};

}  // namespace ui
