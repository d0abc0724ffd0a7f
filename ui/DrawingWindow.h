#pragma once

// "型线图": the passage drawn from the main window's last run, with its design checks and the
// chart of area, width and velocity along φ beside it. Above the drawing, the choice of widths
// it is drawn with, and where the run's widths and the area-true ones differ, one line that
// says so with the stations concerned and a button that switches. After a failed run it shows
// an empty sheet that says why, and no checks. The drawing and the chart can be exported as
// DXF, SVG or PNG.

#include "DrawingExport.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace inlet {

class DesignCheckList;
class DrawingView;
class LastRun;

class DrawingWindow : public QMainWindow {
    Q_OBJECT

public:
    // A window of its own, also when it has a parent; shows `lastRun` as it changes.
    explicit DrawingWindow(LastRun& lastRun, QWidget* parent = nullptr);

    // Writes the drawing to `path` in the format its extension names. An empty text when
    // written, else the message that says what went wrong.
    QString exportTo(const QString& path, const DrawingExportOptions& options = {});
    // The same for the chart of area, width and velocity.
    QString exportChartTo(const QString& path, const DrawingExportOptions& options = {});

    // The line above the drawing where the width sets differ; empty where they do not.
    QString widthNote() const;

private:
    void createMenus();
    void showLastRun();
    // Asks where to with the export dialog, offering `name` (型线图.dxf); exports the chart
    // instead of the drawing with `chart`.
    void exportWithDialog(const QString& name, bool chart);
    void showNothingDrawn(const QString& message);
    void enableExports();

    LastRun& lastRun_;
    QComboBox* widthSet_ = nullptr;
    QLabel* widthNote_ = nullptr;
    QPushButton* switchWidths_ = nullptr;
    DrawingView* view_ = nullptr;
    QTabWidget* side_ = nullptr;
    DesignCheckList* checks_ = nullptr;
    DrawingView* chart_ = nullptr;
    QAction* exportSvg_ = nullptr;
    QAction* exportPng_ = nullptr;
    QAction* exportDxf_ = nullptr;
    QAction* exportChart_ = nullptr;
    QString exportFolder_;  // where the last export went
};

}  // namespace inlet
