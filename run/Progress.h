#pragma once

// How far long work has come, and a way to stop it. Whoever starts long work and can show it
// (the window) installs a ProgressWatch for the work's duration; the work calls progress() at
// each of its steps (a page of the calculation sheet), which throws Failure Cancelled once the
// watcher has said stop, before anything is saved. Without a watch progress() does nothing,
// so the command line prints nothing extra.

#include <functional>

namespace inlet {

// Told `done` of `total` steps; returns false to stop the work.
using ProgressWatcher = std::function<bool(int done, int total)>;

// Installs `watcher` on this thread until it goes out of scope (then the one before it again).
class ProgressWatch {
public:
    explicit ProgressWatch(ProgressWatcher watcher);
    ~ProgressWatch();
    ProgressWatch(const ProgressWatch&) = delete;
    ProgressWatch& operator=(const ProgressWatch&) = delete;

    // The watcher installed on this thread, if any.
    static const ProgressWatcher* current();

private:
    ProgressWatcher watcher_;
    const ProgressWatcher* previous_;
};

// Step `done` of `total`: tells the watcher; throws Failure Cancelled if it says stop.
void progress(int done, int total);

}  // namespace inlet
