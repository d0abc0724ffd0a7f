#include "ui/CloseKeys.h"

#include <QAction>
#include <QWidget>

namespace inlet {

QList<QKeySequence> CloseKeys::sequences()
{
    // Ctrl+W first, the one a menu shows; the platform's others (Ctrl+F4) after it.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Close);
    const QKeySequence ctrlW(Qt::CTRL | Qt::Key_W);
    keys.removeAll(ctrlW);
    keys.prepend(ctrlW);
    keys.append(QKeySequence(Qt::Key_Escape));
    return keys;
}

QAction* CloseKeys::install(QWidget& window, QAction* action)
{
    if (!action) {
        action = new QAction(QStringLiteral("关闭"), &window);
        QObject::connect(action, &QAction::triggered, &window, &QWidget::close);
    }
    action->setShortcuts(sequences());
    action->setShortcutContext(Qt::WindowShortcut);
    // An action only in a menu is only seen by the window while the menu is in it; this one
    // is the window's own.
    window.addAction(action);
    return action;
}

}  // namespace inlet
