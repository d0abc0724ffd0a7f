#pragma once

// The main window's last run, the one record every other window reads: the drawing window,
// the design-check window, the exports and the sheet. It also holds the design's choice of
// widths, which stays when a new run replaces the record. changed() follows every new record
// and every change of the choice.

#include "RunRecord.h"

#include <QObject>

#include <memory>

namespace inlet {

class LastRun : public QObject {
    Q_OBJECT

public:
    explicit LastRun(QObject* parent = nullptr);

    // The record of the last run; null before the first one and after clear(). A record does
    // not change once made: a new run or choice makes a new one.
    std::shared_ptr<const RunRecord> record() const { return record_; }
    // The widths the geometry is drawn with.
    WidthSet widthSet() const { return widthSet_; }

    // Records a run made over `boxes`, with the widths chosen; each record of a new run has
    // the next RunRecord::run.
    void recordCompleted(const Calculation& run, const BoxAccess& boxes, const std::vector<Box>& written);
    void recordFailed(const Failure& failure, const BoxAccess& boxes, const std::vector<Box>& written);
    // No run: a new design, or one whose run has not been made yet.
    void clear();
    // Draws the last run with other widths (the run itself stays as it was).
    void setWidthSet(WidthSet set);

signals:
    void changed();
    void widthSetChanged(inlet::WidthSet set);

private:
    std::shared_ptr<const RunRecord> record_;
    WidthSet widthSet_ = WidthSet::Computed;
    unsigned runs_ = 0;
};

}  // namespace inlet
