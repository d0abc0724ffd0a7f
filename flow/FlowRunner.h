#pragma once

// A flow computation of a design run away from the caller's thread: the case written (the
// passage's solid built, its boundary written) and OpenFOAM's programs run as external
// processes, with progress and cancel. The caller's event loop stays free; the signals arrive
// in the runner's thread.

#include "flow/DesignFlow.h"
#include "run/Calculation.h"
#include "document/DesignFile.h"
#include "openfoam/SolverLog.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <optional>

class QThread;

namespace inlet {

struct FlowProgress {
    FlowStage stage = FlowStage::Case;          // where the run is
    std::optional<cfd::Iteration> iteration;    // the last complete iteration, while solving
    std::optional<cfd::FlowResult> figures;     // the figures at the last evaluation, while solving
};

class FlowRunner : public QObject {
    Q_OBJECT

public:
    explicit FlowRunner(QObject* parent = nullptr);
    // Cancels a run and waits until its programs have stopped.
    ~FlowRunner() override;

    // Starts computing the flow of a design; false (and nothing started) while a run is going.
    bool start(const Calculation& calculation, const Design& design, const FlowOptions& options);
    // Asks the run to stop: the solver writes its fields, so that the same case resumes.
    void cancel();
    bool isRunning() const { return thread_ != nullptr; }

signals:
    void progressed(const inlet::FlowProgress& progress);
    // The run's end: what it found, and the record a design file keeps (empty unless settled).
    void finished(const inlet::cfd::FlowResult& result, const QJsonObject& record);

private:
    QThread* thread_ = nullptr;
    std::atomic<bool> cancelled_{false};
};

}  // namespace inlet
