// Times the drawing window's view redrawing a zoom step (one wheel notch about a point, in
// and out by turns) and a pan step (a drag of 10 px, to and fro), with the drawing of the
// defaults and hk 2000 fitted into a window of 1400 x 900: from the event to the view painted
// and put on the screen; then the chart of area, width and velocity beside it repainted, and
// a switch of the width set, which draws the passage, the chart and the checks again. Prints
// the median, 90th percentile and minimum in milliseconds.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "ui/DrawingView.h"
#include "ui/DrawingWindow.h"
#include "model/LastRun.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Counts the view's paint events, so that a step that painted nothing would show.
class PaintCount : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void report(const char* what, std::vector<double> millis, int paints)
{
    std::sort(millis.begin(), millis.end());
    std::printf("%-22s median %6.2f ms   p90 %6.2f ms   min %6.2f ms   (%zu steps, %d paints)\n", what,
                millis[millis.size() / 2], millis[millis.size() * 9 / 10], millis.front(), millis.size(), paints);
}

// The time from sending the step's event to the view repainted and flushed.
std::vector<double> time(int steps, const std::function<void(int)>& step)
{
    std::vector<double> millis;
    for (int i = 0; i < steps; ++i) {
        const auto start = Clock::now();
        step(i);
        QApplication::processEvents();
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return millis;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;

    inlet::BoxTexts boxes;
    boxes.type(inlet::Box::Text21, "2000");
    const inlet::Calculation run = inlet::runCalculation(boxes, inlet::NumberLocale{});
    inlet::LastRun lastRun;
    lastRun.recordCompleted(run, boxes, boxes.written());
    inlet::DrawingWindow window(lastRun);
    window.resize(1400, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto* view = window.findChild<inlet::DrawingView*>();
    view->fitToWindow();
    QApplication::processEvents();
    PaintCount count;
    view->installEventFilter(&count);

    std::printf("drawing window 1400x900, hk 2000 fitted (target under 16 ms a step):\n");
    const QPointF cursor(view->width() * 0.4, view->height() * 0.4);
    const auto zoom = [&](int i) {
        QWheelEvent wheel(cursor, view->mapToGlobal(cursor), QPoint(), QPoint(0, i % 2 ? -120 : 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
    };
    const std::vector<double> zooms = time(steps, zoom);
    report("zoom step, repainted", zooms, count.paints);
    count.paints = 0;

    QMouseEvent press(QEvent::MouseButtonPress, cursor, view->mapToGlobal(cursor), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    const auto pan = [&](int i) {
        const QPointF to = cursor + QPointF(i % 2 ? 0 : 10, 0);
        QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    };
    const std::vector<double> pans = time(steps, pan);
    report("pan step, repainted", pans, count.paints);
    QMouseEvent release(QEvent::MouseButtonRelease, cursor, view->mapToGlobal(cursor), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &release);

    // The chart beside the checks: repainted as it stands, and after a switch of the widths,
    // which draws the passage, the chart and the checks again.
    auto* side = window.findChild<QTabWidget*>();
    side->setCurrentIndex(1);
    auto* chart = window.findChild<inlet::DrawingView*>(QStringLiteral("chart"));
    QApplication::processEvents();
    count.paints = 0;
    chart->installEventFilter(&count);
    const std::vector<double> charts = time(steps, [&](int) { chart->repaint(); });
    report("chart, repainted", charts, count.paints);
    count.paints = 0;
    const std::vector<double> switches = time(steps, [&](int i) {
        lastRun.setWidthSet(i % 2 ? inlet::WidthSet::Computed : inlet::WidthSet::AreaTrue);
        chart->repaint();
    });
    report("widths switched", switches, count.paints);
    return 0;
}
