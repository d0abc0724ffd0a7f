#pragma once

// "设计校核": the design checks of the main window's last completed run, warnings marked and
// figures plain. After a failed run it says why and lists nothing.

#include <QString>
#include <QWidget>

class QLabel;

namespace inlet {

class BoxAccess;
class DesignCheckList;
struct Calculation;

class DesignChecksWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own, also when it has a parent.
    explicit DesignChecksWindow(QWidget* parent = nullptr);

    // Lists the checks of a completed run; `boxes` holds the texts the run read.
    void showRun(const Calculation& run, const BoxAccess& boxes);
    // Empties the list, saying why: the failure in the failure message's words.
    void showFailure(const QString& failure);
    // Empties the list: nothing has been calculated.
    void showNoRun();

    // What the window says above the list; empty when it lists a run's checks.
    QString note() const;

private:
    void showNote(const QString& note);

    QLabel* note_ = nullptr;
    DesignCheckList* checks_ = nullptr;
};

}  // namespace inlet
