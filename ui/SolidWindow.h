#pragma once

// "三维模型": the passage's fluid volume as a solid, from the main window's last completed run,
// shaded in the 3D view with its figures (volume, inlet, outlet and wetted areas) below. The
// solid is built away from the window's thread, so that a press of "计算并打印" stays instant;
// what is shown is replaced when the newest run's solid is ready, and emptied at once after a
// failed run or a design that has no solid.

#include "solid/SolidDesign.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QThread;

namespace inlet {

class BoxAccess;
class BuiltSolid;
class SolidView;
struct Calculation;
struct SolidMesh;

class SolidWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit SolidWindow(QWidget* parent = nullptr);
    ~SolidWindow() override;

    // Builds and shows the solid of a completed run with the widths chosen; `boxes` holds the
    // texts the run read.
    void showRun(const Calculation& run, const BoxAccess& boxes, WidthSet widths);
    // Shows nothing, saying why: the failure in the failure message's words.
    void showFailure(const QString& failure);
    // Shows nothing: nothing has been calculated.
    void showNoRun();

    // The view, or none where the platform has no OpenGL (the window then says so).
    SolidView* view() const { return view_; }
    // Whether a solid is shown.
    bool hasSolid() const { return solid_ != nullptr; }
    // Whether a solid is being built; `built()` is emitted when it is shown or has failed.
    bool isBuilding() const { return worker_ != nullptr; }
    // The text below the view: the figures, or why there is no solid.
    QString statusText() const;

signals:
    void built();

private:
    void startBuild();
    void finishBuild(int generation, std::shared_ptr<BuiltSolid> solid, std::shared_ptr<SolidMesh> mesh,
                     QString failure);
    void showNothing(const QString& message);
    void updateCut();

    SolidView* view_ = nullptr;
    QLabel* status_ = nullptr;
    QComboBox* station_ = nullptr;
    QAction* cut_ = nullptr;

    std::optional<SolidDesign> pending_;  // the newest design, waiting for the builder
    int generation_ = 0;                  // counts what was asked to be shown: runs, failures
    QThread* worker_ = nullptr;
    std::shared_ptr<BuiltSolid> solid_;
    bool fitNext_ = true;
};

}  // namespace inlet
