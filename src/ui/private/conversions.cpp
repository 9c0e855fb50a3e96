// Our fonts, colours and keys in Qt's terms.

#include <QKeyEvent>
#include <QVariant>

#include <algorithm>
#include <cmath>

#include "ui/keys.h"
#include "ui/private/widgets.h"

namespace ui::detail {

QFont toQFont(const Font& font) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(pointsToPixels(font.points));
    f.setStretch(font.stretch);
    return f;
}

namespace {
constexpr const char* kDesignPixels = "ui-design-font-pixels";
}

void setDesignFont(QWidget& w, const Font& font) {
    const QFont f = toQFont(font);
    w.setProperty(kDesignPixels, f.pixelSize());
    w.setFont(f);
}

void zoomFont(QWidget& w, double zoom) {
    const QVariant design = w.property(kDesignPixels);
    if (!design.isValid()) return;
    const int pixels = std::max(1, static_cast<int>(std::lround(design.toInt() * zoom)));
    if (w.font().pixelSize() == pixels) return;
    QFont f = w.font();
    f.setPixelSize(pixels);
    w.setFont(f);
}

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

KeyEvent keyDown(const QKeyEvent& e) {
    const int k = e.key();
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return KeyEvent(Key::Enter);
        case Qt::Key_Backspace: return KeyEvent(Key::Backspace);
        case Qt::Key_Tab: return KeyEvent(Key::Tab);
        case Qt::Key_Escape: return KeyEvent(Key::Escape);
        case Qt::Key_Space: return KeyEvent(Key::Space);
        case Qt::Key_Left: return KeyEvent(Key::Left);
        case Qt::Key_Up: return KeyEvent(Key::Up);
        case Qt::Key_Right: return KeyEvent(Key::Right);
        case Qt::Key_Down: return KeyEvent(Key::Down);
        case Qt::Key_Delete: return KeyEvent(Key::Delete);
        default: break;
    }
    // Qt's codes for digits and letters are their characters (the capital one for a letter).
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z))
        return KeyEvent(Key::Character, static_cast<char32_t>(k));
    return KeyEvent(Key::Other);
}

}  // namespace ui::detail
