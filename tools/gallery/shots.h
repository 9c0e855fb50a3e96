#pragma once

// Every state of the game worth a picture, drawn on the offscreen platform and the manual clock:
// every picture of the store, every form as it opens, every page of every story scene fully
// typed, the states each game's gallery play stops at, and the warp zone with every code known.

#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace gallery {

// A visible control's part of a form's picture, with the text it shows (labels, buttons, the
// text box), so that a changed picture can be told by the control that changed.
struct Region {
    std::string control;
    QRect rect;  // in the picture's pixels
    std::string text;
};

struct Shot {
    QString name;   // unique, usable as a file name: "form_mesarea1_page_3", "picture_store_star_2@3x"
    QString title;  // what a person reads under it
    QImage image;
    std::vector<Region> regions;  // empty for the store's pictures
    bool isForm = false;
};

// Calls `take` for every state in a fixed order; the same build draws the same pixels every time.
void takeEveryShot(const std::function<void(Shot)>& take);

}  // namespace gallery
