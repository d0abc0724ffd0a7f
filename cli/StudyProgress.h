#pragma once

// A study's progress for a program that runs it (--progress; the study window's bar):
// "progress<TAB>DONE<TAB>TOTAL" lines on standard error, at the start, at each hundredth of
// the total and at the end. The total counts every step of the chosen depth: each variant's
// checks (with its solid at the solid's depth) and, at the flow's depth, each variant's case
// written (its solid and mesh files) and its flow run, so that the bar does not stand full
// while the cases run. A step kept from an earlier run counts as done at once.

#include <cstddef>
#include <iosfwd>
#include <mutex>

namespace inlet {

class StudyProgress {
public:
    // Prints nothing unless `shown`.
    StudyProgress(std::ostream& err, bool shown, std::size_t total);

    // `count` more steps done; from any thread.
    void step(std::size_t count = 1);

private:
    void show();

    std::ostream& err_;
    bool shown_;
    std::size_t total_;
    std::size_t done_ = 0;
    std::size_t shownHundredth_ = 0;
    std::mutex lock_;
};

}  // namespace inlet
