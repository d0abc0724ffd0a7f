#pragma once

// The program's main window: the calculation form, with the menu bar above it. The drawing
// window is created the first time it is asked for, so that the start stays quick.

#include "BoxTexts.h"
#include "Calculation.h"
#include "CalculationForm.h"

#include <QMainWindow>
#include <QString>

#include <optional>

namespace inlet {

class DrawingWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    using FailureReporter = CalculationForm::FailureReporter;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // How the form shows a failed run's message.
    void setFailureReporter(FailureReporter reporter);

    // The drawing window, or none before it is first opened.
    DrawingWindow* drawingWindow() const { return drawingWindow_; }

public slots:
    // 查看 → 型线图…: opens the drawing window, creating it the first time.
    void showDrawingWindow();

private:
    void createMenus();
    void runCompleted(const Calculation& run, const BoxAccess& boxes);
    void runFailed(const QString& failure);

    CalculationForm* form_ = nullptr;
    DrawingWindow* drawingWindow_ = nullptr;
    // The last press's outcome while there is no drawing window to show it: the run and the
    // texts it read, or the failure.
    std::optional<Calculation> lastRun_;
    BoxTexts lastBoxes_;
    QString lastFailure_;
};

}  // namespace inlet
