#include "ui/qt/startup.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPixmap>
#include <QThreadPool>

#include <fontconfig/fontconfig.h>

#include <memory>

#include "ui/private/widgets.h"
#include "ui/qt/access.h"
#include "ui/units.h"

namespace ui::qt {

FontConfigurationReader::FontConfigurationReader() : thread_([] { FcInit(); }) {}

FontConfigurationReader::~FontConfigurationReader() { thread_.join(); }

StartupWork::StartupWork(const Picture& icon, std::vector<QSize> iconSizes) {
    // Not on the pool: the font engines opened here stay with their thread, and this one ends
    // (measured: 2 MB of the game's peak memory otherwise).
    fonts_ = std::async(std::launch::async, [] {
        QFontDatabase::families();
        // Shaping Japanese once in each face settles its fallback list for those scripts.
        const QString sample = QString::fromUtf8("漢字ひらがなカタカナ～ＡＢＣabc123");
        for (const Font& font : {gothic(18), dialogFont()}) QFontMetrics(detail::toQFont(font)).horizontalAdvance(sample);
    });
    // On the pool, where the raster engine does not hand its fills to other threads.
    auto promise = std::make_shared<std::promise<std::vector<QImage>>>();
    icon_ = promise->get_future();
    QThreadPool::globalInstance()->start([promise, icon, sizes = std::move(iconSizes)] {
        std::vector<QImage> images;
        for (QSize size : sizes) images.push_back(renderedAfresh(icon, size));
        promise->set_value(std::move(images));
    });
}

StartupWork::~StartupWork() {
    fonts_.wait();
    if (icon_.valid()) icon_.wait();
}

QIcon StartupWork::icon() {
    QIcon icon;
    for (const QImage& image : icon_.get()) icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

}  // namespace ui::qt
