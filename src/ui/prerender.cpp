#include "ui/prerender.h"

#include <QElapsedTimer>
#include <QRunnable>
#include <QThreadPool>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "ui/private/picturedata.h"

namespace ui {

// Owned by the Prerender, not by the pool, so that it can be taken back while still queued.
struct Prerender::Task final : QRunnable {
    explicit Task(Prerender& owner) : owner(owner) { setAutoDelete(false); }
    void run() override { owner.run(); }
    Prerender& owner;
};

Prerender::Prerender() = default;

Prerender::~Prerender() {
    if (!task_) return;
    cancelled_ = true;
    if (QThreadPool::globalInstance()->tryTake(task_.get())) return;  // it never began
    waitForFinished();
}

void Prerender::start(std::vector<Item> items, double devicePixelRatio) {
    if (started_) return;
    started_ = true;
    items_ = std::move(items);
    dpr_ = devicePixelRatio;
    pending_ = true;
    task_ = std::make_unique<Task>(*this);
    // A thread of the global pool, deliberately: the raster engine splits every large fill across
    // that pool unless it already runs on it, and for pictures this small the hand-offs cost more
    // than they save (measured: a third less time). One thread, not two: each painting thread
    // keeps its own caches (gradients among them), and the other core stays free for the window.
    QThreadPool::globalInstance()->start(task_.get());
}

void Prerender::run() {
    QElapsedTimer elapsed;
    elapsed.start();
    for (const Item& item : items_) {
        if (cancelled_) break;
        const QSize pixels(qRound(item.width * dpr_), qRound(item.height * dpr_));
        item.picture.data()->prerender(pixels, dpr_);
    }
#ifdef __GLIBC__
    // Parsing left this thread's heap with free pages that nothing here will reuse soon.
    malloc_trim(0);
#endif
    std::lock_guard lock(mutex_);
    elapsedMs_ = elapsed.nsecsElapsed() / 1e6;
    pending_ = false;
    finished_.notify_all();
}

bool Prerender::finished() const {
    std::lock_guard lock(mutex_);
    return started_ && !pending_;
}

void Prerender::waitForFinished() const {
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [this] { return !pending_; });
}

double Prerender::elapsedMs() const {
    std::lock_guard lock(mutex_);
    return pending_ ? 0 : elapsedMs_;
}

}  // namespace ui
