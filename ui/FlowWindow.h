#pragma once

// "水力评价": the flow through the passage of the main window's last run. It shows the design's
// flow (the figures at each section, the mesh, the residuals reached and the wall y+, the axial
// velocity over the pump inlet section and the residuals' history, and what they rest on with
// the verdict, FlowTrust.h) while it was computed for
// the texts of the last run, and nothing otherwise. 计算 computes it with OpenFOAM's programs
// as external processes, away from the window's thread, with progress; 取消 stops the solver so
// that the next 计算 resumes. A run that fails or does not settle takes the design's flow away,
// so that nothing stale is shown. Each mesh level is offered with its cells and what it takes
// on this machine (MeshTimes); the progress bar counts nothing until the solver counts.
// The table (never scrolled itself) and the texts under it scroll together in the figures' area,
// which shares the window's height with the pictures as the engineer drags it: whatever the
// record holds can be read at the window's first size.

#include "flow/DesignFlow.h"
#include "flow/FlowRunner.h"

#include <QString>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

namespace Ui {
class FlowWindow;
}

namespace inlet {

class LastRun;

class FlowWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own, also when it has a parent; shows `lastRun`'s flow as it changes.
    explicit FlowWindow(LastRun& lastRun, QWidget* parent = nullptr);
    ~FlowWindow() override;

    // The design's file, absolute, or empty for a new design: the case folder is suggested
    // beside it.
    void setDesignPath(const QString& path);

    // Starts the computation with the settings shown; false, saying why, when it cannot start.
    bool run();
    void cancel();
    bool isRunning() const { return runner_.isRunning(); }

    // What the window says above its settings; empty while it shows figures or a run.
    QString note() const;
    // The settings, as the engineer leaves them.
    FlowOptions options() const;
    void setOptions(const FlowOptions& options);
    // The figures shown, a row per section: name, Vu, θ̄, θ̄ of the swirl alone, loss (each with
    // its GCI band where the flow holds a mesh study), flow, backflow's shares; where the run
    // settled on its means, each section's row is followed by one named 波动范围 holding the
    // least～most of Vu, θ̄, θ̄ of the swirl and the loss over the iterations they are means of.
    // Empty when none.
    std::vector<QStringList> figureRows() const;
    // What the figures rest on (continuity, backflow, GCI, mesh quality) and the verdict, one
    // line each ("结论：可信：…" last); empty when no figures are shown.
    QString trustText() const;
    // The mesh, the iterations, the stop condition the run met (and, for a run settled on its
    // means, over which iterations and how far each figure swung), the walls and the inputs.
    QString runText() const;
    bool showsContour() const;
    bool showsResiduals() const;

signals:
    // A run has ended, whatever its outcome.
    void runEnded();

private:
    void showLastRun();
    void showFlow(const QJsonObject& flow);
    void showNothing(const QString& note);
    void showProgress(const FlowProgress& progress);
    void showIdleProgress(bool full);
    void runFinished(const cfd::FlowResult& result, const QJsonObject& record);
    void setNote(const QString& note);
    void setRunning(bool running);
    void suggestFolder();
    void boundProcesses();
    QString suggestedFolder() const;

    std::unique_ptr<Ui::FlowWindow> ui_;
    LastRun& lastRun_;
    FlowRunner runner_;
    QString designPath_;
    QString suggested_;                    // the folder suggested last, replaced while untouched
    std::vector<cfd::Iteration> history_;  // the residuals of the run going on
    QString endNote_;                      // what the last run's end says, while the texts are its
    std::map<Box, QString> runTexts_;      // the texts the last run was started for
    bool fromEmpty_ = false;               // the run going on began with no case in its folder
};

}  // namespace inlet
