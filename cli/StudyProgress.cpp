#include "cli/StudyProgress.h"

#include <algorithm>
#include <ostream>

namespace inlet {

StudyProgress::StudyProgress(std::ostream& err, bool shown, std::size_t total)
    : err_(err), shown_(shown && total > 0), total_(total)
{
    if (shown_)
        show();
}

void StudyProgress::step(std::size_t count)
{
    if (!shown_ || count == 0)
        return;
    const std::lock_guard<std::mutex> lock(lock_);
    done_ = std::min(total_, done_ + count);
    const std::size_t hundredth = done_ * 100 / total_;
    if (hundredth != shownHundredth_ || done_ == total_) {
        shownHundredth_ = hundredth;
        show();
    }
}

void StudyProgress::show()
{
    err_ << "progress\t" << done_ << "\t" << total_ << std::endl;
}

}  // namespace inlet
