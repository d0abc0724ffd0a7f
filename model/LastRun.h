#pragma once

// The main window's last run, the one record every other window reads: the drawing window,
// the design-check window, the exports and the sheet. It also holds the design's choice of
// widths, which stays when a new run replaces the record, and the flow computed for the design
// (the record a design file keeps under "flow"). changed() follows every new record and every
// change of the choice; flowChanged() every new flow. Whether the boxes have been changed since
// the record's run is marked here too, so that no window shows an older design as current.

#include "model/RunRecord.h"

#include <QJsonObject>
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

    // The flow computed for the design: its settings, the texts it was computed for and what it
    // found; empty when there is none. Shown only while those texts are the record's.
    const QJsonObject& flow() const { return flow_; }
    void setFlow(const QJsonObject& flow);

    // Whether the given parameters now differ from those the record's run read: what the
    // windows show of the record is then an older design's. Set by the window that holds the
    // boxes; a new record or clear() ends it.
    bool outdated() const { return outdated_; }
    void setOutdated(bool outdated);
    // Asks the window that holds the boxes to run the calculation again.
    void requestRun() { emit runRequested(); }

signals:
    void changed();
    void widthSetChanged(inlet::WidthSet set);
    void flowChanged();
    void outdatedChanged(bool outdated);
    void runRequested();

private:
    std::shared_ptr<const RunRecord> record_;
    WidthSet widthSet_ = WidthSet::Computed;
    QJsonObject flow_;
    unsigned runs_ = 0;
    bool outdated_ = false;
};

}  // namespace inlet
