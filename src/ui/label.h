#pragma once

#include <functional>
#include <string>

#include "ui/control.h"

namespace ui {

// Plain text on a transparent background, never wrapped. Clicks stop here: they never reach the form.
class Label final : public Control {
public:
    Label(Form& form, std::string name, Rect rect, std::string caption, Font font, Align align);

    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    const Font& font() const { return font_; }
    Align alignment() const { return align_; }
    Rgb foreColor() const { return color_; }
    void setForeColor(Rgb color);

    // The drawn width of the caption in the resolved font, in pixels.
    int textWidthPixels() const;
    // Keeps the caption whole inside a window of this client size: a box that runs past the right
    // edge is cut back to it, and a caption still too wide moves left and hugs that edge.
    void keepInside(Size client);

    // For text typed a character at a time: a screen reader hears the caption only when announce()
    // says it is whole, not at every character.
    void setAnnouncedWhole(bool on);
    void announce();

    std::function<void()> onClick;
    std::function<void()> onDblClick;

private:
    std::string caption_;
    Font font_;
    Align align_;
    Rgb color_ = kBlack;
    bool announcedWhole_ = false;
};

}  // namespace ui
