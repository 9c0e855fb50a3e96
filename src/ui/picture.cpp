#include "ui/picture.h"

#include <QElapsedTimer>
#include <QPainter>

#include <atomic>
#include <map>

#include "ui/private/picturedata.h"

namespace ui {

namespace detail {

namespace {
// Renders that a control had to wait for (the pre-renderer's misses), and the time they took, as
// the bench and the tests see them.
std::atomic<int> renderedOnDemand{0};
std::atomic<long long> onDemandNs{0};
}  // namespace

int onDemandRenders() { return renderedOnDemand.load(); }
double onDemandRenderMs() { return onDemandNs.load() / 1e6; }

QImage renderSvg(QSvgRenderer& renderer, QSize pixels, qreal dpr) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);  // the renderer antialiases of itself
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    // An image keeps the paint engine it was drawn with, and with it buffers sized for the most
    // complex path drawn (tens of kilobytes a picture); the copy kept is the pixels alone.
    QImage pixelsOnly = image.copy();
    pixelsOnly.setDevicePixelRatio(dpr);
    return pixelsOnly;
}

QSvgRenderer& PictureData::svgRenderer() {
    if (!renderer_) renderer_ = std::make_unique<QSvgRenderer>(svg);
    return *renderer_;
}

QSize PictureData::intrinsicSize() { return svgRenderer().defaultSize(); }

QImage PictureData::imageAt(QSize pixels, qreal dpr) {
    const Key key{pixels.width(), pixels.height(), dpr};
    {
        std::lock_guard lock(cacheMutex_);
        if (auto it = cache_.find(key); it != cache_.end()) {
            it->second.lastUse = ++uses_;
            return it->second.image;
        }
    }
    ++renderedOnDemand;
    QElapsedTimer waited;
    waited.start();
    QImage image = renderSvg(svgRenderer(), pixels, dpr);
    onDemandNs += waited.nsecsElapsed();
    return keep(key, std::move(image), false);
}

void PictureData::prerender(QSize pixels, qreal dpr) {
    QSvgRenderer renderer(svg);  // this thread's own: the shared one belongs to the GUI thread
    if (pixels.isEmpty())
        pixels = QSize(qRound(renderer.defaultSize().width() * dpr), qRound(renderer.defaultSize().height() * dpr));
    if (isCached(pixels, dpr)) return;
    keep({pixels.width(), pixels.height(), dpr}, renderSvg(renderer, pixels, dpr), true);
}

bool PictureData::isCached(QSize pixels, qreal dpr) const {
    std::lock_guard lock(cacheMutex_);
    return cache_.count({pixels.width(), pixels.height(), dpr}) != 0;
}

QImage PictureData::keep(const Key& key, QImage image, bool ahead) {
    std::lock_guard lock(cacheMutex_);
    // Two threads may have rendered the same entry at once: the pixels are the same, and the one
    // kept first stays.
    auto [it, added] = cache_.emplace(key, Entry{std::move(image), ahead, 0});
    it->second.ahead = it->second.ahead || ahead;
    it->second.lastUse = ++uses_;
    if (added && !ahead) {
        std::size_t recent = 0;
        auto oldest = cache_.end();
        for (auto e = cache_.begin(); e != cache_.end(); ++e) {
            if (e->second.ahead) continue;
            ++recent;
            if (oldest == cache_.end() || e->second.lastUse < oldest->second.lastUse) oldest = e;
        }
        if (recent > kRecentSizes) cache_.erase(oldest);  // never the one just added: it is the newest
    }
    return it->second.image;
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
