#include "ui/DrawingWindow.h"

#include "document/AtomicSave.h"
#include "ui/CloseKeys.h"
#include "messages/Failure.h"

#include "ui/DesignCheckList.h"
#include "checks/DesignChecks.h"
#include "ui/DrawingExportDialog.h"
#include "drawing/DrawingSheet.h"
#include "export/DrawingSheets.h"
#include "ui/DrawingView.h"
#include "ui/ExportNote.h"
#include "ui/ExportPlace.h"
#include "export/ExportInput.h"
#include "model/LastRun.h"
#include "outputmodule/OutputModule.h"
#include "drawing/PassageDrafting.h"
#include "ui/QtTranslation.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace inlet {

namespace {

QString q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

WidthSet other(WidthSet set) { return set == WidthSet::AreaTrue ? WidthSet::Computed : WidthSet::AreaTrue; }

}  // namespace

DrawingWindow::DrawingWindow(LastRun& lastRun, QWidget* parent)
    : QMainWindow(parent, Qt::Window), lastRun_(lastRun)
{
    setWindowTitle(QStringLiteral("型线图"));

    widthSet_ = new QComboBox;
    widthSet_->setObjectName(QStringLiteral("widthSet"));
    for (const WidthSet set : {WidthSet::Computed, WidthSet::AreaTrue})
        widthSet_->addItem(q(widthSetChinese(set)), static_cast<int>(set));
    widthNote_ = new QLabel;
    widthNote_->setObjectName(QStringLiteral("widthNote"));
    widthNote_->setWordWrap(true);
    switchWidths_ = new QPushButton;
    switchWidths_->setObjectName(QStringLiteral("switchWidths"));
    // The row keeps its height while the button is hidden, so that nothing in it moves.
    QSizePolicy keep = switchWidths_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    switchWidths_->setSizePolicy(keep);
    auto* choice = new QHBoxLayout;
    choice->setContentsMargins(6, 4, 6, 0);
    // The label and the combo at the row's top, at their own height, whatever the note beside
    // them holds.
    widthSet_->setSizePolicy(widthSet_->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    choice->addWidget(new QLabel(QStringLiteral("断面宽度：")), 0, Qt::AlignTop | Qt::AlignLeft);
    choice->addWidget(widthSet_, 0, Qt::AlignTop | Qt::AlignLeft);
    choice->addSpacing(12);
    choice->addWidget(widthNote_, 1);
    choice->addWidget(switchWidths_);
    // Takes the room the note leaves when it is hidden, so that the combo stays beside its
    // label.
    choice->addStretch(0);

    view_ = new DrawingView;
    view_->setObjectName(QStringLiteral("drawing"));
    checks_ = new DesignCheckList;
    chart_ = new DrawingView;
    chart_->setObjectName(QStringLiteral("chart"));
    side_ = new QTabWidget;
    side_->addTab(checks_, QStringLiteral("设计检查"));
    side_->addTab(chart_, QStringLiteral("面积与流速"));

    // The drawing keeps a usable size however small the window: neither pane collapses.
    view_->setMinimumSize(240, 180);
    auto* splitter = new QSplitter;
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(view_);
    splitter->addWidget(side_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({860, 400});

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(choice);
    column->addWidget(splitter, 1);
    setCentralWidget(central);

    createMenus();
    connect(widthSet_, &QComboBox::activated, this,
            [this] { lastRun_.setWidthSet(static_cast<WidthSet>(widthSet_->currentData().toInt())); });
    connect(switchWidths_, &QPushButton::clicked, this, [this] { lastRun_.setWidthSet(other(lastRun_.widthSet())); });
    connect(&lastRun_, &LastRun::changed, this, &DrawingWindow::showLastRun);
    showLastRun();
    resize(1260, 800);
}

void DrawingWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    for (const ExportFormat* format : outputFormats().formats(ExportKind::Drawing)) {
        const QString extension = format->extension;
        exports_.push_back(file->addAction(QStringLiteral("导出 %1…").arg(extension.toUpper()), this,
                                           [this, extension] { exportWithDialog(QStringLiteral("型线图"), extension, false); }));
    }
    exports_.push_back(file->addAction(QStringLiteral("导出面积与流速图…"), this,
                                       [this] { exportWithDialog(QStringLiteral("面积与流速"), QStringLiteral("svg"), true); }));
    file->addSeparator();
    CloseKeys::install(*this, file->addAction(QStringLiteral("关闭"), this, &QWidget::close));

    QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
    QAction* fit = view->addAction(QStringLiteral("适合窗口"), view_, &DrawingView::fitToWindow);
    fit->setShortcut(Qt::CTRL | Qt::Key_0);
    QAction* zoomIn = view->addAction(QStringLiteral("放大"), view_, &DrawingView::zoomIn);
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = view->addAction(QStringLiteral("缩小"), view_, &DrawingView::zoomOut);
    zoomOut->setShortcut(QKeySequence::ZoomOut);
}

void DrawingWindow::showLastRun()
{
    const WidthSet set = lastRun_.widthSet();
    widthSet_->setCurrentIndex(widthSet_->findData(static_cast<int>(set)));
    switchWidths_->setText(set == WidthSet::AreaTrue ? QStringLiteral("改用计算宽度") : QStringLiteral("改用面积一致宽度"));

    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    QString note;
    if (record && record->completed()) {
        showDrawingOnSheet(record);
        chart_->setDrawing(*record->chart);
        checks_->showChecks(record->checks);
        for (const DesignCheck& check : record->checks)
            if (check.kind == CheckKind::WidthSetsDiffer)
                note = QString::fromStdString(check.chinese);
        // The sections drawn off F come first, as the drawing's own note line names them.
        if (const std::string areas = drawingNote(*record->drawing); !areas.empty())
            note = QString::fromStdString(areas) + (note.isEmpty() ? QString() : QStringLiteral("。") + note);
        enableExports();
    } else if (record) {
        showNothingDrawn(QStringLiteral("计算未完成：%1，无图形").arg(QString::fromStdString(whyStopped(*record, Language::Chinese))));
    } else {
        showNothingDrawn(QStringLiteral("尚未计算：按“计算并打印”后在此显示型线图"));
    }
    widthNote_->setText(note);
    widthNote_->setVisible(!note.isEmpty());
    switchWidths_->setVisible(!note.isEmpty());
}

QString DrawingWindow::widthNote() const { return widthNote_->text(); }

void DrawingWindow::showDrawingOnSheet(const std::shared_ptr<const RunRecord>& record)
{
    const Drawing& drawing = *record->drawing;
    // Numbered as the files number it: the sheets of the setting-out tables follow it.
    view_->setDrawing(withSheet(drawing, drawingSheets(exportInputFrom(record, info_), drawing, "auto").views));
}

void DrawingWindow::setDesignInfo(const DesignInfo& info, const QString& designFile)
{
    info_ = info;
    designFile_ = designFile;
    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    if (record && record->completed())
        showDrawingOnSheet(record);
}

void DrawingWindow::showNothingDrawn(const QString& message)
{
    view_->showMessage(message);
    chart_->showMessage(QStringLiteral("无图形"));
    checks_->showChecks({});
    enableExports();
}

void DrawingWindow::enableExports()
{
    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    const bool drawn = record && record->completed();
    for (QAction* action : exports_)
        action->setEnabled(drawn);
}

void DrawingWindow::exportTo(const QString& path, const ExportChoices& choices) { write(path, choices, false); }

void DrawingWindow::exportChartTo(const QString& path, const ExportChoices& choices) { write(path, choices, true); }

void DrawingWindow::write(const QString& path, const ExportChoices& choices, bool chart)
{
    const ExportFormat* format = outputFormats().forPath(path, ExportKind::Drawing);
    if (!format)
        throw Failure{.kind = Failure::Kind::UnsupportedFormat, .file = shownPath(path),
                      .item = QFileInfo(path).suffix().toStdString(),
                      .other = outputFormats().extensionList(ExportKind::Drawing).toStdString()};
    const std::shared_ptr<const RunRecord> record = lastRun_.record();
    if (!record || !record->completed())
        throw Failure{.kind = Failure::Kind::NothingToDraw, .file = shownPath(path)};
    ExportInput input = exportInputFrom(record, info_);
    input.designFile = designFile_;
    if (chart)
        input.ownDrawing = record->chart;
    writeExport(*format, input, path, choices);
}

void DrawingWindow::exportWithDialog(const QString& what, const QString& extension, bool chart)
{
    QtTranslation::install();
    DrawingExportDialog dialog(this);
    dialog.setPath(ExportPlace::suggested(ExportPlace::folder(), info_, designFile_, what, extension));
    dialog.setWidthSet(lastRun_.widthSet());
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The choice in the dialog is the design's: the drawing is redrawn with it first.
    lastRun_.setWidthSet(dialog.widthSet());
    try {
        write(dialog.path(), dialog.choices(), chart);
        ExportPlace::written(dialog.path());
        ExportNote::show(*this, dialog.path());
    } catch (const Failure& failure) {
        QMessageBox::warning(this, QStringLiteral("导出失败"), QString::fromStdString(inlet::render(failure, Language::Chinese)));
    }
}

}  // namespace inlet
