#pragma once

// The texts of the 38 boxes without a window: what the command-line tool, the benchmarks and
// the tests run the calculation on. Starts with the texts of a fresh window and remembers
// which boxes a run wrote, in order.

#include "boxes/Boxes.h"

#include <array>
#include <string>
#include <vector>

namespace inlet {

class BoxTexts : public BoxAccess {
public:
    BoxTexts();

    std::string text(Box box) const override;
    void setText(Box box, const std::string& text) override;

    // Sets a box's text without counting it as written by a run.
    void type(Box box, std::string text);
    // The boxes written since construction or the last clearWritten(), in order.
    const std::vector<Box>& written() const { return written_; }
    void clearWritten() { written_.clear(); }

private:
    std::array<std::string, kBoxCount> texts_;
    std::vector<Box> written_;
};

}  // namespace inlet
