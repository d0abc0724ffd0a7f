#pragma once

// The form of the main window: the given dimensions, the results, and the two buttons.
// "计算并打印" runs the calculation over the form's boxes; "退 出" closes the window the form
// sits in.

#include "boxes/Boxes.h"
#include "messages/Failure.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class CalculationForm;
}

namespace inlet {

class WindowBoxes;
struct Calculation;

class CalculationForm : public QWidget {
    Q_OBJECT

public:
    // Shows a failed run's message to the engineer; a modal message box unless replaced, with
    // failureCauses() beside the message.
    using FailureReporter = std::function<void(QWidget& window, const QString& message)>;

    explicit CalculationForm(QWidget* parent = nullptr);
    ~CalculationForm() override;

    void setFailureReporter(FailureReporter reporter);

    // The text a box shows, exactly.
    QString text(Box box) const;
    // Replaces a box's text as opening a design does: neither typed nor written by a run.
    void setText(Box box, const QString& text);
    // The boxes as the last run left them, and the result boxes it wrote.
    const WindowBoxes& boxes() const { return *boxes_; }
    // The boxes behind the last run's failure, one line each (FailureCauses.h); empty after a
    // run that completed.
    const QStringList& failureCauses() const { return causes_; }

public slots:
    // One run, as a press of "计算并打印" makes it: the results written, a failure reported.
    void calculate();

signals:
    // A press of "计算并打印" that completed: every value of the run, and the boxes as the run
    // left them (what the design checks read). Both are valid only during the call.
    void runCompleted(const inlet::Calculation& run, const inlet::BoxAccess& boxes);
    // A press that stopped at a failure.
    void runFailed(const inlet::Failure& failure);
    // The engineer changed the text of a box of the "给定参数" frame (typing, pasting,
    // deleting), not a program.
    void givenParameterEdited();

private:
    std::unique_ptr<Ui::CalculationForm> ui_;
    std::unique_ptr<WindowBoxes> boxes_;
    FailureReporter reportFailure_;
    QStringList causes_;
};

}  // namespace inlet
