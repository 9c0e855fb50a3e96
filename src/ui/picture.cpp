#include "ui/picture.h"

#include <QPainter>

#include <map>

#include "ui/private/picturedata.h"

namespace ui {

namespace detail {

QSvgRenderer& PictureData::svgRenderer() {
    if (!renderer) renderer = std::make_unique<QSvgRenderer>(svg);
    return *renderer;
}

QSize PictureData::intrinsicSize() { return svgRenderer().defaultSize(); }

const QImage& PictureData::imageAt(QSize pixels) {
    const auto key = std::make_pair(pixels.width(), pixels.height());
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svgRenderer().render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.end();
        it = cache.emplace(key, std::move(image)).first;
    }
    return it->second;
}

}  // namespace detail

Picture::Picture() = default;

Picture Picture::fromSvg(std::string_view name, std::string_view svg, std::string_view description) {
    // The same artwork asked for again, by 81 boxes or by the next game, is the same decoded
    // picture with the same renderings, for as long as anything still shows it.
    static std::map<const char*, std::weak_ptr<detail::PictureData>> live;
    Picture p;
    auto& slot = live[svg.data()];
    p.d_ = slot.lock();
    if (p.d_) return p;
    p.d_ = std::make_shared<detail::PictureData>();
    p.d_->name = std::string(name);
    p.d_->description = std::string(description);
    p.d_->svg = QByteArray::fromRawData(svg.data(), static_cast<qsizetype>(svg.size()));
    slot = p.d_;
    return p;
}

const std::string& Picture::name() const {
    static const std::string empty;
    return d_ ? d_->name : empty;
}

const std::string& Picture::description() const {
    static const std::string empty;
    return d_ ? d_->description : empty;
}

int Picture::width() const { return d_ ? d_->intrinsicSize().width() : 0; }
int Picture::height() const { return d_ ? d_->intrinsicSize().height() : 0; }

}  // namespace ui
