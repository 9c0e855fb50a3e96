#include "ui/qt/startup.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QThreadPool>

#include <fontconfig/fontconfig.h>

#include <memory>

#include "ui/private/widgets.h"
#include "ui/qt/access.h"
#include "ui/units.h"

namespace ui::qt {

namespace {
// Runs `work` on a thread of the global pool and hands back its result.
template <class Work>
auto onPool(Work work) -> std::future<decltype(work())> {
    using Result = decltype(work());
    auto promise = std::make_shared<std::promise<Result>>();
    std::future<Result> future = promise->get_future();
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        if constexpr (std::is_void_v<Result>) {
            work();
            promise->set_value();
        } else {
            promise->set_value(work());
        }
    });
    return future;
}
}  // namespace

FontConfigurationReader::FontConfigurationReader() : thread_([] { FcInit(); }) {}

FontConfigurationReader::~FontConfigurationReader() { thread_.join(); }

StartupWork::StartupWork(const Picture& icon, QSize iconPixels) {
    fonts_ = onPool([] {
        QFontDatabase::families();
        // Shaping Japanese once in each face settles its fallback list for those scripts; Qt keeps
        // those lists for every thread, whereas the font engines made here stay with this thread.
        const QString sample = QString::fromUtf8("漢字ひらがなカタカナ～ＡＢＣabc123");
        for (const Font& font : {gothic(18), dialogFont()}) QFontMetrics(detail::toQFont(font)).horizontalAdvance(sample);
    });
    icon_ = onPool([icon, iconPixels] { return renderedAfresh(icon, iconPixels); });
}

StartupWork::~StartupWork() {
    if (fonts_.valid()) fonts_.wait();
    if (icon_.valid()) icon_.wait();
}

QImage StartupWork::icon() { return icon_.get(); }

}  // namespace ui::qt
