#pragma once

// "设计校核": the design checks of the main window's last run, warnings marked and figures
// plain. After a failed run it says why and lists nothing.

#include <QString>
#include <QWidget>

class QLabel;

namespace inlet {

class DesignCheckList;
class LastRun;

class DesignChecksWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own, also when it has a parent; lists the checks of `lastRun` as it
    // changes.
    explicit DesignChecksWindow(LastRun& lastRun, QWidget* parent = nullptr);

    // What the window says above the list; empty when it lists a run's checks.
    QString note() const;

private:
    void showLastRun();
    void showNote(const QString& note);

    LastRun& lastRun_;
    QLabel* note_ = nullptr;
    DesignCheckList* checks_ = nullptr;
};

}  // namespace inlet
