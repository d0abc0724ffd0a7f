#include "MainWindow.h"

#include "DrawingWindow.h"
#include "QtTranslation.h"
#include "QuickStartStyle.h"

#include <QCoreApplication>
#include <QMenuBar>


namespace inlet {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    QuickStartStyle::install();
    // The menu bar stays in the window, above the form, also on desktops that offer a global
    // one; nor does its creation ask the session bus for one, which slows the start.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    form_ = new CalculationForm(this);
    setWindowTitle(form_->windowTitle());
    setCentralWidget(form_);
    createMenus();
    // The menu bar in the form's face, which is loaded anyway.
    menuBar()->setFont(form_->font());
    // The client area below the menu bar is the form's.
    resize(form_->width(), form_->height() + menuBar()->sizeHint().height());
    // Qt's buttons and dialogs in Chinese, loaded once the window is on the screen.
    QtTranslation::installOncePainted(*this);

    connect(form_, &CalculationForm::runCompleted, this, &MainWindow::runCompleted);
    connect(form_, &CalculationForm::runFailed, this, &MainWindow::runFailed);
}

MainWindow::~MainWindow() = default;

void MainWindow::createMenus()
{
    QMenu* view = menuBar()->addMenu(QStringLiteral("查看"));
    view->addAction(QStringLiteral("型线图…"), this, &MainWindow::showDrawingWindow);
}

void MainWindow::setFailureReporter(FailureReporter reporter) { form_->setFailureReporter(std::move(reporter)); }

void MainWindow::showDrawingWindow()
{
    if (!drawingWindow_) {
        drawingWindow_ = new DrawingWindow(this);
        if (lastRun_)
            drawingWindow_->showRun(*lastRun_, lastBoxes_);
        else if (!lastFailure_.isEmpty())
            drawingWindow_->showFailure(lastFailure_);
        lastRun_.reset();
    }
    drawingWindow_->show();
    drawingWindow_->raise();
    drawingWindow_->activateWindow();
}

void MainWindow::runCompleted(const Calculation& run, const BoxAccess& boxes)
{
    if (drawingWindow_) {
        drawingWindow_->showRun(run, boxes);
        return;
    }
    lastRun_ = run;
    for (const BoxInfo& info : boxTable())
        lastBoxes_.type(info.box, boxes.text(info.box));
    lastFailure_.clear();
}

void MainWindow::runFailed(const QString& failure)
{
    if (drawingWindow_) {
        drawingWindow_->showFailure(failure);
        return;
    }
    lastRun_.reset();
    lastFailure_ = failure;
}

}  // namespace inlet
