#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QSvgRenderer>

#include <cstdint>
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

// How many renderings a control had to wait for on the GUI thread (cache misses), ever, and the
// milliseconds they took.
int onDemandRenders();
double onDemandRenderMs();

// One decoded picture, shared by every control that shows it. Its renderings are cached per size
// and pixel ratio: every rendering made ahead of time (the sizes the forms show the picture at)
// for good, and the few most recently used of any other sizes (a bar drawn at the width of the
// moment would otherwise keep one rendering for every width it ever had). The cache is shared
// with the background pre-renderer (src/ui/prerender.cpp), so it is guarded; everything else here
// belongs to the GUI thread.
struct PictureData {
    std::string name;
    std::string description;
    QByteArray svg;  // raw view of embedded bytes, never written

    // GUI thread: the renderer is a QObject made and used there only.
    QSvgRenderer& svgRenderer();
    QSize intrinsicSize();
    // The picture stretched to `pixels` for a screen of ratio `dpr`, rendered now if not cached.
    QImage imageAt(QSize pixels, qreal dpr = 1.0);

    // Any thread: renders with a renderer of the calling thread's own, unless already cached, and
    // keeps the rendering for good. An empty `pixels` means the size the picture was drawn for,
    // times `dpr`.
    void prerender(QSize pixels, qreal dpr);
    bool isCached(QSize pixels, qreal dpr) const;

    // Renderings of sizes nobody rendered ahead of time that are kept, the most recent.
    static constexpr std::size_t kRecentSizes = 6;

private:
    using Key = std::tuple<int, int, qreal>;
    struct Entry {
        QImage image;
        bool ahead = false;  // rendered ahead of time: kept for good
        std::uint64_t lastUse = 0;
    };
    QImage keep(const Key& key, QImage image, bool ahead);

    std::unique_ptr<QSvgRenderer> renderer_;
    mutable std::mutex cacheMutex_;
    std::map<Key, Entry> cache_;
    std::uint64_t uses_ = 0;
};

}  // namespace ui::detail
