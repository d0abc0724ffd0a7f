#pragma once

// The program's only window: the given dimensions, the results, and the two buttons.
// "计算并打印" runs the calculation over the window's boxes; "退 出" closes the window.

#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace inlet {

class WindowBoxes;

class MainWindow : public QWidget {
    Q_OBJECT

public:
    // Shows a failed run's message to the engineer; a modal message box unless replaced.
    using FailureReporter = std::function<void(QWidget& window, const QString& message)>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void setFailureReporter(FailureReporter reporter);

private:
    void calculate();

    std::unique_ptr<Ui::MainWindow> ui_;
    std::unique_ptr<WindowBoxes> boxes_;
    FailureReporter reportFailure_;
};

}  // namespace inlet
