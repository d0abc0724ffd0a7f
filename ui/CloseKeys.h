#pragma once

// The keys that close a tool window as they close a dialog: Esc, and Ctrl+W with the
// platform's other bindings of Close. The main window is not closed by them (it is the
// program); 退出 is its key.

#include <QKeySequence>
#include <QList>

class QAction;
class QWidget;

namespace inlet {

class CloseKeys {
public:
    static QList<QKeySequence> sequences();
    // Gives `action` the keys, or a new action of `window` that closes it where none is given;
    // either way the keys work anywhere in the window. Returns the action.
    static QAction* install(QWidget& window, QAction* action = nullptr);
};

}  // namespace inlet
