#include "probe.h"

#include <QApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <numeric>

namespace probe {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

double msSince(long long ns) { return (nowNs() - ns) / 1e6; }

PaintWatch::PaintWatch() { qApp->installEventFilter(this); }

PaintWatch::~PaintWatch() { qApp->removeEventFilter(this); }

long long PaintWatch::paintedAt(const QWidget* window) const {
    auto it = painted_.find(window);
    return it == painted_.end() ? 0 : it->second;
}

long long PaintWatch::waitPainted(const QWidget* window, const std::string& what, int timeoutMs) {
    waitUntil([&] { return paintedAt(window) != 0; }, "the first paint of " + what, timeoutMs);
    return paintedAt(window);
}

bool PaintWatch::eventFilter(QObject* target, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget || !widget->isWindow() || painted_.count(widget)) return false;
    painted_[widget] = 0;  // seen; the moment is taken once this frame is out
    connect(widget, &QObject::destroyed, this, [this, widget] { painted_.erase(widget); });
    QPointer<QWidget> guard(widget);
    QMetaObject::invokeMethod(
        this,
        [this, widget, guard] {
            const long long at = nowNs();
            if (guard) painted_[widget] = at;
        },
        Qt::QueuedConnection);
    return false;
}

void click(QWidget* widget) {
    QWidget* window = widget->window();
    QWindow* handle = window->windowHandle();
    if (!handle) fail("clicked a widget whose window has no handle");
    const QPointF local = widget->mapTo(window, widget->rect().center());
    const QPointF global = handle->mapToGlobal(local.toPoint());
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &release);
}

void processFor(int ms) {
    const long long start = nowNs();
    while (msSince(start) < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 5);
}

long peakRssKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

void report(const std::string& key, double value) {
    std::printf("%s %.4f\n", key.c_str(), value);
    std::fflush(stdout);
}

void report(const std::string& key, const std::string& detail, double value) {
    std::printf("%s %s %.4f\n", key.c_str(), detail.c_str(), value);
    std::fflush(stdout);
}

void fail(const std::string& what) {
    std::fprintf(stderr, "bench child: %s\n", what.c_str());
    std::fflush(stderr);
    std::_Exit(2);
}

std::vector<double> deviations(const std::vector<long long>& ticks, int intervalMs) {
    std::vector<double> out;
    for (std::size_t i = 1; i < ticks.size(); ++i) out.push_back(std::abs((ticks[i] - ticks[i - 1]) / 1e6 - intervalMs));
    return out;
}

void reportTimer(const std::string& key, const std::vector<long long>& ticks, int intervalMs) {
    std::vector<double> d = deviations(ticks, intervalMs);
    if (d.empty()) fail("no ticks for " + key);
    std::sort(d.begin(), d.end());
    const double mean = std::accumulate(d.begin(), d.end(), 0.0) / d.size();
    const double p99 = d[std::min(d.size() - 1, static_cast<std::size_t>(std::ceil(d.size() * 0.99)) - 1)];
    report(key + ".mean", mean);
    report(key + ".p99", p99);
    report(key + ".max", d.back());
    report(key + ".ticks", static_cast<double>(d.size()));
}

}  // namespace probe
