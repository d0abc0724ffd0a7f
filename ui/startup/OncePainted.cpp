#include "ui/startup/OncePainted.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace inlet {

namespace {

// Waits for the watched window's first paint event, runs the action once that round of
// painting is done, then goes.
class OncePainted : public QObject {
public:
    OncePainted(QWidget& window, std::function<void()> action) : QObject(&window), action_(std::move(action)) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                action_();
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

}  // namespace

void runOncePainted(QWidget& window, std::function<void()> action)
{
    window.installEventFilter(new OncePainted(window, std::move(action)));
}

}  // namespace inlet
