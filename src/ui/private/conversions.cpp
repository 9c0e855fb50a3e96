// Our fonts, colours and key codes in Qt's terms.

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

int virtualKey(const QKeyEvent& e) {
    const int k = e.key();
    switch (k) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return key::Enter;
        case Qt::Key_Backspace: return key::Backspace;
        case Qt::Key_Tab: return key::Tab;
        case Qt::Key_Escape: return key::Escape;
        case Qt::Key_Space: return key::Space;
        case Qt::Key_Left: return key::Left;
        case Qt::Key_Up: return key::Up;
        case Qt::Key_Right: return key::Right;
        case Qt::Key_Down: return key::Down;
        case Qt::Key_Delete: return key::Delete;
        default: break;
    }
    // Digits and letters are their own characters' codes.
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    return 0;
}

}  // namespace ui::detail
