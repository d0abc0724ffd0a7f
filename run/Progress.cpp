#include "run/Progress.h"

#include "messages/Failure.h"

namespace inlet {

namespace {

thread_local const ProgressWatcher* installed = nullptr;

}  // namespace

ProgressWatch::ProgressWatch(ProgressWatcher watcher) : watcher_(std::move(watcher)), previous_(installed)
{
    installed = &watcher_;
}

ProgressWatch::~ProgressWatch() { installed = previous_; }

const ProgressWatcher* ProgressWatch::current() { return installed; }

void progress(int done, int total)
{
    if (installed && *installed && !(*installed)(done, total))
        throw Failure{.kind = Failure::Kind::Cancelled};
}

}  // namespace inlet
