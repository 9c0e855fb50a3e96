#pragma once

// What the bench's child programs share: the paint moment of a window, a real click, the peak
// resident set, and the one way they report a figure to the parent (a "key value" line on stdout).

#include <QObject>
#include <QPointer>

#include <map>
#include <string>
#include <vector>

class QWidget;

namespace probe {

// CLOCK_MONOTONIC in nanoseconds: the parent and its children read the same clock.
long long nowNs();
double msSince(long long ns);

// Watches every window of the application and notes when its first frame has gone out: the
// moment after the window and all its controls have painted and the frame was handed on.
class PaintWatch final : public QObject {
public:
    PaintWatch();
    ~PaintWatch() override;
    // 0 until `window` has painted.
    long long paintedAt(const QWidget* window) const;
    // Runs the event loop until `window` has painted; fails loudly after `timeoutMs`.
    long long waitPainted(const QWidget* window, const std::string& what, int timeoutMs = 10000);

protected:
    bool eventFilter(QObject* target, QEvent* event) override;

private:
    std::map<const QWidget*, long long> painted_;
};

// Press and release of the left button at the widget's centre, delivered to its window as the
// platform delivers them, so that the widget's own routing and handlers run.
void click(QWidget* widget);

// Runs the event loop until `done()` holds; fails loudly after `timeoutMs`.
template <class Done>
void waitUntil(Done done, const std::string& what, int timeoutMs = 10000);
void processFor(int ms);

// Peak resident set of this process so far, in kB.
long peakRssKb();

void report(const std::string& key, double value);
void report(const std::string& key, const std::string& detail, double value);
[[noreturn]] void fail(const std::string& what);

// Tick-to-tick deviations from the nominal interval, in ms, of a list of tick moments (ns).
std::vector<double> deviations(const std::vector<long long>& ticks, int intervalMs);
void reportTimer(const std::string& key, const std::vector<long long>& ticks, int intervalMs);

}  // namespace probe

#include <QCoreApplication>
#include <QEventLoop>

namespace probe {
template <class Done>
void waitUntil(Done done, const std::string& what, int timeoutMs) {
    const long long start = nowNs();
    while (!done()) {
        if (msSince(start) > timeoutMs) fail("timed out waiting for " + what);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 5);
    }
}
}  // namespace probe
