#pragma once

#include <cstdint>
#include <string>

namespace ui {

// Layout geometry is kept in twips, as the forms were designed; 15 twips make one pixel at 96 DPI.
inline constexpr int kTwipsPerPixel = 15;

// A non-zero length never collapses to nothing: a 10-twip gauge must still show.
int twipsToPixels(int twips);
// The same on a form drawn `zoom` times larger (full screen).
int twipsToPixels(int twips, double zoom);

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The face the layouts name; resolved to an installed Japanese Gothic at start-up.
inline constexpr const char* kGothicFace = "ＭＳ Ｐゴシック";
// The dialog font buttons and small labels use when a layout names none.
inline constexpr const char* kDialogFace = "ＭＳ ＵＩ Gothic";

struct Font {
    std::string face = kDialogFace;
    double points = 9.0;
    int stretch = 100;  // per cent of the normal width; below 100 narrows the glyphs, not the height
    friend bool operator==(const Font&, const Font&) = default;
};

inline Font gothic(double points) { return Font{kGothicFace, points, 100}; }
// The same face narrowed, for captions the layouts sized for a face with narrower glyphs.
inline Font condensed(Font font, int stretch) {
    font.stretch = stretch;
    return font;
}
inline Font dialogFont() { return Font{}; }

// Layout points are at 96 DPI, so a point is 4/3 of a pixel.
int pointsToPixels(double points);

enum class Align { Left, Center, Right };

// Colours the layouts use without naming them.
inline constexpr Rgb kButtonFace{240, 240, 240};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

}  // namespace ui
