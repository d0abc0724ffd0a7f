#include "DrawingWindow.h"

#include "DesignCheckList.h"
#include "DesignChecks.h"
#include "DrawingExportDialog.h"
#include "DrawingView.h"
#include "NumberFormat.h"
#include "PassageGeometry.h"
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
    if (canExport(QStringLiteral("svg")))
        exportSvg_ = file->addAction(QStringLiteral("导出 SVG…"), this, [this] { exportWithDialog(QStringLiteral("svg")); });
    exportPng_ = file->addAction(QStringLiteral("导出 PNG…"), this, [this] { exportWithDialog(QStringLiteral("png")); });
    exportDxf_ = file->addAction(QStringLiteral("导出 DXF…"), this, [this] { exportWithDialog(QStringLiteral("dxf")); });
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
    view_->setDrawing(drawPassage(run));
    checks_->showChecks(designChecks(run, boxes, systemNumberLocale()));
    enableExports();
}

void DrawingWindow::showFailure(const QString& failure)
{
    showNothingDrawn(QStringLiteral("计算未完成：%1，无图形").arg(failure));
}

void DrawingWindow::showNoRun() { showNothingDrawn(QStringLiteral("尚未计算：按“计算并打印”后在此显示型线图")); }

void DrawingWindow::showNothingDrawn(const QString& message)
{
    view_->showMessage(message);
    checks_->showChecks({});
    enableExports();
}

void DrawingWindow::enableExports()
{
    const bool drawn = !view_->drawing().views.empty();
    if (exportSvg_)
        exportSvg_->setEnabled(drawn);
    exportPng_->setEnabled(drawn);
    exportDxf_->setEnabled(drawn);
}

QString DrawingWindow::exportTo(const QString& path, const DrawingExportOptions& options)
{
    return exportDrawing(view_->drawing(), path, options);
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
    if (const QString failure = exportTo(dialog.path(), dialog.options()); !failure.isEmpty())
        QMessageBox::warning(this, QStringLiteral("导出失败"), failure);
}

}  // namespace inlet
