#pragma once

// The program's main window: the calculation form, with the menu bar above it. It holds the
// design as a document: the file it was opened from or saved to, the design information,
// what a newer file held that this program does not know, and whether the engineer has
// changed anything since. The drawing and design-check windows, the dialogs and the print
// support are created the first time they are asked for, so that the start stays quick.

#include "ui/Asker.h"
#include "run/Calculation.h"
#include "ui/CalculationForm.h"
#include "document/DesignFile.h"
#include "export/ExportInput.h"
#include "messages/Failure.h"
#include "model/LastRun.h"
#include "sheet/SheetInput.h"

#include <QJsonObject>
#include <QMainWindow>
#include <QString>

#include <memory>
#include <optional>

class QActionGroup;
class QMenu;
class QMimeData;

namespace inlet {

class DesignChecksWindow;
class DrawingWindow;
class FlowWindow;
class ManualWindow;
class SolidWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    using FailureReporter = CalculationForm::FailureReporter;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // How the form shows a failed run's message.
    void setFailureReporter(FailureReporter reporter);
    // Who answers the window's questions; DialogAsker unless replaced.
    void setAsker(std::unique_ptr<Asker> asker);

    // The design file shown, absolute; empty for a new design.
    const QString& filePath() const { return path_; }
    const DesignInfo& designInfo() const { return info_; }
    // Whether the engineer has changed the design since it was opened, saved or begun.
    bool hasUnsavedChanges() const { return isWindowModified(); }

    // The drawing window, or none before it is first opened.
    DrawingWindow* drawingWindow() const { return drawingWindow_; }
    // The design-check window, or none before it is first opened.
    DesignChecksWindow* designChecksWindow() const { return checksWindow_; }
    // The last run as every other window reads it, and the design's choice of widths.
    LastRun& lastRun() const { return *lastRun_; }
    // 水力评价, or none before it is first opened.
    FlowWindow* flowWindow() const { return flowWindow_; }
    // 方案比选, or none before it is first opened (or in a build without it).
    QWidget* studyWindow() const { return studyWindow_; }
    // The 3D view, or none before it is first opened (or in a build without solids).
    SolidWindow* solidWindow() const { return solidWindow_; }

    // The calculation sheet of a run made now over the boxes, as "计算并打印" makes it.
    SheetInput sheetAfterRun();

public slots:
    // 文件 → 新建: a fresh window's texts, no information, no file.
    void newDesign();
    // 文件 → 打开…: asks for a design file and opens it.
    void open();
    // Opens a design file (a recent one, a dropped one, one named on the command line) after
    // the question about unsaved changes. False when the engineer cancelled or the file was
    // refused, which leaves the window as it was.
    bool openFile(const QString& path);
    // 文件 → 保存 and 另存为…. False when cancelled or the file could not be written.
    bool save();
    bool saveAs();
    // 文件 → 设计信息….
    void editDesignInfo();
    // 文件 → 打印预览…, 打印…: each runs the calculation first.
    void previewSheet();
    void printSheet();
    // 文件 → 导出计算书 PDF…, 导出计算书 ODT… and the like: the file of the format `key` (a
    // sheet or a workbook), asked for and written after running the calculation.
    void exportRun(const QString& key);
    // 文件 → 导出图形 DXF/SVG/PNG…: the drawing of the last completed run.
    void exportDrawing();
    // 文件 → 断面宽度: the widths the drawing, the exports and the sheet use; a change of the
    // design.
    void chooseWidthSet(WidthSet set);
    // 查看 → 型线图… and 设计校核…: open the window, creating it the first time.
    void showDrawingWindow();
    void showDesignChecks();
    // 查看 → 水力评价…: the flow through the passage, computed with OpenFOAM.
    void showFlowWindow();
    // 查看 → 三维模型…: the passage's solid, where this build can make solids.
    void showSolidWindow();
    // 设计 → 方案比选…: the study of the design's variants, where this build has the study
    // window (its module inlet-study, loaded now the first time).
    void showStudyWindow();
    // 帮助 → 关于, and its text: the program, its licence, and every library and program of
    // this build with theirs.
    void showAbout();
    // 帮助 → 用户手册 (F1): the installed user manual in a window of its own.
    void showManual();
    static QString aboutText();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Takes design files dropped on the form's boxes, which would otherwise take their names
    // as text.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void fillRecentMenu();
    void runCompleted(const Calculation& run, const BoxAccess& boxes);
    void runFailed(const Failure& failure);
    // Marks the last run outdated while the given parameters differ from those it read.
    void markOutdated();

    // Whether the design may be set aside: true when unchanged, saved or given up.
    bool maySetAside();
    // Reads a design file and shows it; false, with the message, when it is refused.
    bool read(const QString& path);
    bool saveTo(const QString& path);
    // The design as a file would hold it now: the boxes' texts, the information, the widths
    // and the flow.
    Design design() const;
    // The record of the last completed run, for the drawing's formats.
    ExportInput lastRunInput() const;
    // A file of the design's name for the format `key` ("pdf", "dxf") or a design file
    // ("inlet"): exports in the folder of the last export written, designs in the folder last
    // opened or saved.
    QString suggestedPath(const QString& key) const;
    // After an export was written: its folder offered next, a line naming it.
    void exported(const QString& path);
    void setFilePath(const QString& path);
    // "设计“name.inlet”", or "新设计".
    QString designName() const;
    // The design file among what is dragged: a local .inlet file, else empty.
    static QString designFileIn(const QMimeData* data);

    CalculationForm* form_ = nullptr;
    DrawingWindow* drawingWindow_ = nullptr;
    DesignChecksWindow* checksWindow_ = nullptr;
    SolidWindow* solidWindow_ = nullptr;
    FlowWindow* flowWindow_ = nullptr;
    ManualWindow* manualWindow_ = nullptr;
    QWidget* studyWindow_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QActionGroup* widthSets_ = nullptr;
    std::unique_ptr<Asker> asker_;

    QString path_;
    DesignInfo info_;
    QJsonObject kept_;
    std::map<QString, QByteArray> keptText_;
    QString folder_;  // where the last design was opened or saved

    // The last press's outcome, and the design's choice of widths.
    LastRun* lastRun_ = nullptr;
};

}  // namespace inlet
