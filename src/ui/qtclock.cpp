#include <QElapsedTimer>
#include <QTimer>

#include <map>
#include <memory>

#include "ui/clock.h"
#include "ui/timer.h"

namespace ui {
namespace {

class QtClock final : public Clock {
public:
    QtClock() { began_.start(); }
    std::int64_t elapsedMs() const override { return began_.elapsed(); }

protected:
    void start(Timer& timer) override {
        QTimer& q = qtimerFor(timer);
        q.stop();
        if (timer.interval() > 0) {
            q.setInterval(timer.interval());
            q.start();
        }
    }
    void stop(Timer& timer) override {
        if (auto it = timers_.find(&timer); it != timers_.end()) it->second->stop();
    }
    void forget(Timer& timer) override {
        if (auto it = timers_.find(&timer); it != timers_.end()) {
            it->second->stop();
            // The QTimer may be the sender of the signal now being handled.
            it->second.release()->deleteLater();
            timers_.erase(it);
        }
    }

private:
    QTimer& qtimerFor(Timer& timer) {
        auto& slot = timers_[&timer];
        if (!slot) {
            slot = std::make_unique<QTimer>();
            slot->setTimerType(Qt::PreciseTimer);
            QObject::connect(slot.get(), &QTimer::timeout, [&timer] { deliver(timer); });
        }
        return *slot;
    }

    std::map<Timer*, std::unique_ptr<QTimer>> timers_;
    QElapsedTimer began_;
};

}  // namespace

std::unique_ptr<Clock> makeQtClock() { return std::make_unique<QtClock>(); }

}  // namespace ui
