#pragma once

// The program's main window: the calculation form, with the menu bar above it.

#include "CalculationForm.h"

#include <QMainWindow>

namespace inlet {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    using FailureReporter = CalculationForm::FailureReporter;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // How the form shows a failed run's message.
    void setFailureReporter(FailureReporter reporter);

private:
    CalculationForm* form_ = nullptr;
};

}  // namespace inlet
