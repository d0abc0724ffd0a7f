#pragma once

// "型线图": the passage drawn from the main window's last run, with its design checks and the
// chart of area, width and velocity along φ beside it. Above the drawing, the choice of widths
// it is drawn with, and where the run's widths and the area-true ones differ, one line that
// says so with the stations concerned and a button that switches. After a failed run it shows
// an empty sheet that says why, and no checks. The drawing and the chart can be exported in
// each of the drawing's formats.

#include "document/DesignFile.h"
#include "export/ExportFormat.h"

#include <QMainWindow>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace inlet {

class DesignCheckList;
class DrawingView;
class LastRun;
struct RunRecord;

class DrawingWindow : public QMainWindow {
    Q_OBJECT

public:
    // A window of its own, also when it has a parent; shows `lastRun` as it changes.
    explicit DrawingWindow(LastRun& lastRun, QWidget* parent = nullptr);

    // The design information the drawing's title block shows.
    void setDesignInfo(const DesignInfo& info, const QString& designFile);

    // Writes the drawing to `path` in the drawing format its extension names. Throws a
    // Failure when it cannot.
    void exportTo(const QString& path, const ExportChoices& choices = {});
    // The same for the chart of area, width and velocity.
    void exportChartTo(const QString& path, const ExportChoices& choices = {});

    // The line above the drawing where the width sets differ; empty where they do not.
    QString widthNote() const;

private:
    void createMenus();
    void showLastRun();
    // The last completed run's drawing on its sheet, the title block filled from 设计信息.
    void showDrawingOnSheet(const std::shared_ptr<const RunRecord>& record);
    // Asks where to with the export dialog, offering the design's file of `what` (型线图) and
    // `extension`; exports the chart instead of the drawing with `chart`.
    void exportWithDialog(const QString& what, const QString& extension, bool chart);
    void write(const QString& path, const ExportChoices& choices, bool chart);
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
    std::vector<QAction*> exports_;
    DesignInfo info_;
    QString designFile_;
};

}  // namespace inlet
