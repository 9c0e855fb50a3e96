#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include "ui/picture.h"

namespace ui {

// Renders pictures ahead of time, one after another on one of the application's worker threads,
// into the same cache the image controls draw from, so that a window opening later finds its
// pictures ready instead of waiting for them. The pictures are kept for the life of this object,
// and with them their renderings.
class Prerender {
public:
    struct Item {
        Picture picture;
        int width = 0;  // device-independent pixels; 0 x 0: the size the picture was drawn for
        int height = 0;
    };

    Prerender();
    // Stops between two pictures and waits: the work never outlives the pictures it renders.
    ~Prerender();
    Prerender(const Prerender&) = delete;
    Prerender& operator=(const Prerender&) = delete;

    // Starts rendering every item at `devicePixelRatio`; once only.
    void start(std::vector<Item> items, double devicePixelRatio);
    bool started() const { return started_; }
    bool finished() const;
    void waitForFinished() const;
    // From the start of the work to its end, in milliseconds; 0 until finished.
    double elapsedMs() const;

private:
    struct Task;
    void run();

    std::vector<Item> items_;
    double dpr_ = 1.0;
    bool started_ = false;
    std::unique_ptr<Task> task_;
    std::atomic<bool> cancelled_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable finished_;
    bool pending_ = false;  // queued or running; guarded by mutex_
    double elapsedMs_ = 0;  // guarded by mutex_
};

}  // namespace ui
