#include "MainWindow.h"

namespace inlet {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), form_(new CalculationForm(this))
{
    setWindowTitle(form_->windowTitle());
    setCentralWidget(form_);
    // The client area is the form's, whatever else the window carries.
    resize(form_->size());
}

MainWindow::~MainWindow() = default;

void MainWindow::setFailureReporter(FailureReporter reporter) { form_->setFailureReporter(std::move(reporter)); }

}  // namespace inlet
