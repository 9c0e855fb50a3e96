#pragma once

#include <memory>
#include <string>

#include "ui/units.h"

namespace ui {

class Form;

namespace detail {
struct ControlWidget;
}

// What every control shares: a name on its form, a position in twips, visibility and enabled
// state. `visible()` is the control's own flag, so it reads the same before the form is shown.
class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    Form& form() const { return form_; }

    bool visible() const;
    void setVisible(bool on);
    bool enabled() const;
    void setEnabled(bool on);
    // Whether Tab reaches the control. Buttons and text boxes are tab stops; a picture the player
    // is meant to press opts in, and one that hides a secret stays mouse-only.
    bool tabStop() const;
    void setTabStop(bool on);
    // A picture or label that gives something away when clicked (a hint, a cheat): the player
    // finds it with the mouse or not at all, so Tab must never reach it.
    bool secret() const { return secret_; }
    void setSecret() { secret_ = true; }

    // What a screen reader calls the control, where its caption or picture alone would not say
    // which one it is or what it holds ("1桁目 ↑", "宝箱 3行5列"); empty gives back the caption's
    // or the picture's own. A screen reader reads it when the control takes the focus; a change
    // while it has the focus is not spoken, so a form announces what changed as well.
    void setSpokenName(const std::string& name);
    std::string spokenName() const;

    int left() const { return rect_.left; }
    int top() const { return rect_.top; }
    int width() const { return rect_.width; }
    int height() const { return rect_.height; }
    Rect rect() const { return rect_; }
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void move(int left, int top);
    void setRect(Rect r);

    // Windowed controls (buttons, text boxes) always stack above drawn ones.
    virtual bool windowed() const { return false; }

    detail::ControlWidget& widget() const { return *widget_; }
    // Places the widget anew, after its window changed the scale it draws the form at.
    void relayout() { applyGeometry(); }

protected:
    Control(Form& form, std::string name, Rect rect, std::unique_ptr<detail::ControlWidget> widget);
    virtual void applyGeometry();

private:
    Form& form_;
    std::string name_;
    Rect rect_;
    std::unique_ptr<detail::ControlWidget> widget_;
    bool secret_ = false;
};

}  // namespace ui
