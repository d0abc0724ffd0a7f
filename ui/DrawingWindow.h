#pragma once

// "型线图": the passage drawn from the main window's last completed run, with its design
// checks beside it. After a failed run it shows an empty sheet that says why, and no checks.
// The drawing can be exported as DXF, SVG or PNG.

#include "ExportInput.h"
#include "ExportFormat.h"

#include <QMainWindow>
#include <QString>

#include <optional>

class QAction;

namespace inlet {

class BoxAccess;
class DesignCheckList;
class DrawingView;
struct Calculation;

class DrawingWindow : public QMainWindow {
    Q_OBJECT

public:
    // A window of its own, also when it has a parent.
    explicit DrawingWindow(QWidget* parent = nullptr);

    // Draws a completed run and lists its checks; `boxes` holds the texts the run read.
    void showRun(const Calculation& run, const BoxAccess& boxes);
    // Empties the sheet and the checks, saying why: the failure in the failure message's words.
    void showFailure(const QString& failure);
    // Empties the sheet and the checks: nothing has been calculated.
    void showNoRun();

    // The design information the drawing's title block shows.
    void setDesignInfo(const DesignInfo& info, const QString& designFile);

    // Writes the drawing to `path` in the drawing format its extension names. An empty text
    // when written, else the message that says what went wrong.
    QString exportTo(const QString& path, const ExportChoices& choices = {});

private:
    void createMenus();
    // Asks where to with the export dialog, offering a file of this extension.
    void exportWithDialog(const QString& extension);
    void showNothingDrawn(const QString& message);
    void enableExports();

    DrawingView* view_ = nullptr;
    DesignCheckList* checks_ = nullptr;
    std::vector<QAction*> exports_;
    QString exportFolder_;  // where the last export went
    DesignInfo info_;
    QString designFile_;
    std::optional<ExportInput> run_;  // the run drawn
};

}  // namespace inlet
