#pragma once

// The calculation run's view of the window: the 38 edit boxes, found by control name.
// Remembers which boxes the current run has written, so that a failed run can empty the
// result boxes it did not reach.

#include "boxes/Boxes.h"

#include <array>
#include <bitset>
#include <vector>

class QLineEdit;
class QWidget;

namespace inlet {

class WindowBoxes : public BoxAccess {
public:
    // Throws std::logic_error naming the box when the window lacks one.
    explicit WindowBoxes(const QWidget& window);

    std::string text(Box box) const override;
    void setText(Box box, const std::string& text) override;

    // Forgets what an earlier run wrote.
    void startRun();
    // Empties every result box that this run has not written.
    void emptyResultsNotWritten();
    // The result boxes this run has written, in the order a complete run writes them.
    std::vector<Box> written() const;

    // The edit box that shows `box`.
    QLineEdit& edit(Box box) const { return *edits_[static_cast<std::size_t>(box)]; }

private:
    std::array<QLineEdit*, kBoxCount> edits_{};
    std::bitset<kBoxCount> written_;
};

}  // namespace inlet
