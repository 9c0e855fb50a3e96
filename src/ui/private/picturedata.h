#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>

namespace ui::detail {

// The picture drawn at `pixels`, tagged with the device pixel ratio it is meant for. Every
// rendering goes through here, whichever thread asks, so that a picture rendered ahead of time
// is the same pixels as one rendered when first shown.
QImage renderSvg(QSvgRenderer& renderer, QSize pixels, qreal dpr);

// How many renderings a control had to wait for on the GUI thread (cache misses), ever.
int onDemandRenders();

// One decoded picture, shared by every control that shows it. Its renderings are cached per size
// and pixel ratio. The cache is shared with the background pre-renderer (src/ui/prerender.cpp),
// so it is guarded; everything else here belongs to the GUI thread.
struct PictureData {
    std::string name;
    std::string description;
    QByteArray svg;  // raw view of embedded bytes, never written

    // GUI thread: the renderer is a QObject made and used there only.
    QSvgRenderer& svgRenderer();
    QSize intrinsicSize();
    // The picture stretched to `pixels` for a screen of ratio `dpr`, rendered once and kept. The
    // reference stays valid for the life of this picture: entries are never replaced or removed.
    const QImage& imageAt(QSize pixels, qreal dpr = 1.0);

    // Any thread: renders with a renderer of the calling thread's own, unless already cached. An
    // empty `pixels` means the size the picture was drawn for, times `dpr`.
    void prerender(QSize pixels, qreal dpr);
    bool isCached(QSize pixels, qreal dpr) const;

private:
    using Key = std::tuple<int, int, qreal>;
    const QImage& keep(const Key& key, QImage image);

    std::unique_ptr<QSvgRenderer> renderer_;
    mutable std::mutex cacheMutex_;
    std::map<Key, QImage> cache_;
};

}  // namespace ui::detail
