#include "DrawingWindow.h"

#include "DesignCheckList.h"
#include "DesignChecks.h"
#include "DrawingExportDialog.h"
#include "DrawingView.h"
#include "NumberFormat.h"
#include "OutputModule.h"
#include "QtTranslation.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace inlet {

DrawingWindow::DrawingWindow(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("型线图"));

    view_ = new DrawingView;
    view_->setObjectName(QStringLiteral("drawing"));

    auto* side = new QWidget;
    auto* heading = new QLabel(QStringLiteral("设计检查"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    checks_ = new DesignCheckList;
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(heading);
    column->addWidget(checks_);

    auto* splitter = new QSplitter;
    splitter->addWidget(view_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({900, 360});
    setCentralWidget(splitter);

    createMenus();
    showNoRun();
    resize(1260, 800);
}

void DrawingWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    for (const ExportFormat* format : outputFormats().formats(ExportKind::Drawing)) {
        const QString extension = format->extension;
        exports_.push_back(file->addAction(QStringLiteral("导出 %1…").arg(extension.toUpper()), this,
                                           [this, extension] { exportWithDialog(extension); }));
    }
    file->addSeparator();
    QAction* close = file->addAction(QStringLiteral("关闭"), this, &QWidget::close);
    close->setShortcut(QKeySequence::Close);

    QMenu* view = menuBar()->addMenu(QStringLiteral("视图"));
    QAction* fit = view->addAction(QStringLiteral("适合窗口"), view_, &DrawingView::fitToWindow);
    fit->setShortcut(Qt::CTRL | Qt::Key_0);
    QAction* zoomIn = view->addAction(QStringLiteral("放大"), view_, &DrawingView::zoomIn);
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = view->addAction(QStringLiteral("缩小"), view_, &DrawingView::zoomOut);
    zoomOut->setShortcut(QKeySequence::ZoomOut);
}

void DrawingWindow::showRun(const Calculation& run, const BoxAccess& boxes)
{
    run_ = exportInputAfterRun(info_, boxes, {}, run, {}, systemNumberLocale());
    run_->designFile = designFile_;
    view_->setDrawing(*run_->drawing);
    checks_->showChecks(run_->checks);
    enableExports();
}

void DrawingWindow::setDesignInfo(const DesignInfo& info, const QString& designFile)
{
    info_ = info;
    designFile_ = designFile;
    if (run_) {
        run_->info = info;
        run_->designFile = designFile;
    }
}

void DrawingWindow::showFailure(const QString& failure)
{
    showNothingDrawn(QStringLiteral("计算未完成：%1，无图形").arg(failure));
}

void DrawingWindow::showNoRun() { showNothingDrawn(QStringLiteral("尚未计算：按“计算并打印”后在此显示型线图")); }

void DrawingWindow::showNothingDrawn(const QString& message)
{
    run_.reset();
    view_->showMessage(message);
    checks_->showChecks({});
    enableExports();
}

void DrawingWindow::enableExports()
{
    const bool drawn = run_.has_value();
    for (QAction* action : exports_)
        action->setEnabled(drawn);
}

QString DrawingWindow::exportTo(const QString& path, const ExportChoices& choices)
{
    const ExportFormat* format = outputFormats().forPath(path, ExportKind::Drawing);
    if (!format) {
        return QStringLiteral("无法写入“%1”：不支持的文件类型“.%2”（可导出 %3）")
            .arg(QDir::toNativeSeparators(path), QFileInfo(path).suffix(), outputFormats().extensionList(ExportKind::Drawing));
    }
    if (!run_)
        return QStringLiteral("无法写入“%1”：没有可导出的图形").arg(QDir::toNativeSeparators(path));
    const auto failure = writeExport(*format, *run_, path, choices);
    return failure ? failure->chinese : QString();
}

void DrawingWindow::exportWithDialog(const QString& extension)
{
    QtTranslation::install();
    const QString folder = exportFolder_.isEmpty() ? QDir::homePath() : exportFolder_;
    DrawingExportDialog dialog(this);
    dialog.setPath(QDir(folder).filePath(QStringLiteral("型线图.") + extension));
    if (dialog.exec() != QDialog::Accepted)
        return;
    exportFolder_ = QFileInfo(dialog.path()).absolutePath();
    if (const QString failure = exportTo(dialog.path(), dialog.choices()); !failure.isEmpty())
        QMessageBox::warning(this, QStringLiteral("导出失败"), failure);
}

}  // namespace inlet
