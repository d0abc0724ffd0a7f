#pragma once

// The line above what a secondary window shows of the last run while the boxes have been
// changed since that run: it says so, and its button runs the calculation again. Hidden while
// the run shown is the boxes' own.

#include <QWidget>

class QLabel;

namespace inlet {

class LastRun;

class OutdatedNote : public QWidget {
    Q_OBJECT

public:
    explicit OutdatedNote(LastRun& lastRun, QWidget* parent = nullptr);

    // Puts a note at the top of `window`'s column (its central widget's, for a main window).
    // False where the window has no such column.
    static bool addTo(QWidget& window, LastRun& lastRun);

    QString text() const;
};

}  // namespace inlet
