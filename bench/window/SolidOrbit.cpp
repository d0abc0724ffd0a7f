// Times the 3D view orbiting the solid of the defaults with hk 2000 in a window of 1200 x 820:
// from one orbit step (2 degrees) to the view painted and put on the screen, with and without
// the cut at 40 degrees. Prints the median, 90th percentile and minimum in milliseconds; 60
// frames a second is at most 16.7 ms a step.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "ui/SolidView.h"
#include "ui/SolidWindow.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void orbitSteps(inlet::SolidView& view, int steps, const char* what)
{
    std::vector<double> millis;
    for (int i = 0; i < steps; ++i) {
        const auto start = Clock::now();
        view.orbit(2, i % 2 ? 0.5 : -0.5);
        view.repaint();
        QApplication::processEvents();
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(millis.begin(), millis.end());
    std::printf("%-22s median %6.2f ms   p90 %6.2f ms   min %6.2f ms   (%d steps)\n", what, millis[millis.size() / 2],
                millis[millis.size() * 9 / 10], millis.front(), steps);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    inlet::BoxTexts boxes;
    boxes.type(inlet::Box::Text21, "2000");
    const inlet::Calculation run = inlet::runCalculation(boxes, inlet::NumberLocale{});
    inlet::SolidWindow window;
    window.resize(1200, 820);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QSignalSpy built(&window, &inlet::SolidWindow::built);
    window.showRun(run, boxes, inlet::WidthSet::Computed);
    if (!built.wait(120000) || !window.view()) {
        std::fprintf(stderr, "solid-orbit: no solid, or no OpenGL: %s\n", qPrintable(window.statusText()));
        return 1;
    }
    orbitSteps(*window.view(), steps, "3D orbit step");
    for (QAction* action : window.findChildren<QAction*>())
        if (action->text() == QStringLiteral("剖切"))
            action->trigger();
    orbitSteps(*window.view(), steps, "3D orbit step, cut");
    return 0;
}
