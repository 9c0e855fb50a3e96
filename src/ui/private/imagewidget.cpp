// The widget of a picture: drawn from the shared rendering at its size, pressed by Space or Enter.

#include <QKeyEvent>
#include <QPainter>

#include "ui/form.h"
#include "ui/image.h"
#include "ui/keys.h"
#include "ui/private/picturedata.h"
#include "ui/private/widgets.h"

namespace ui::detail {

void ImageWidget::paintEvent(QPaintEvent*) {
    // Qt paints no widget of no size: there is always a pixel to render.
    if (PictureData* data = owner().picture().data()) {
        const qreal dpr = devicePixelRatioF();
        const QSize pixels(qRound(width() * dpr), qRound(height() * dpr));
        // Cached with its pixel ratio already set, so painting never copies it.
        QPainter(this).drawImage(QPointF(0, 0), data->imageAt(pixels, dpr));
    }
    if (hasFocus()) paintFocusFrame(*this);
}

void ImageWidget::keyPressEvent(QKeyEvent* e) {
    const Key key = keyDown(*e).key();
    if (key != Key::Enter && key != Key::Space) {
        QWidget::keyPressEvent(e);
        return;
    }
    guarded(owner(), &Image::onClick)();  // what a click does
}

}  // namespace ui::detail
