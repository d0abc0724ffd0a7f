// Times presses of "计算并打印" with hk 2000: the run with every box's new text set, and the
// same followed by painting the changed boxes and putting them on the screen. Prints the median, 90th percentile and
// minimum in microseconds.

#include "ui/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void report(const char* what, std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    std::printf("%-28s median %8.1f us   p90 %8.1f us   min %8.1f us   (%zu presses)\n", what,
                micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.front(), micros.size());
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
    inlet::MainWindow window;
    window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(QStringLiteral("2000"));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    QPushButton* calculate = window.findChild<QPushButton*>(QStringLiteral("Command1"));

    using Clock = std::chrono::steady_clock;
    std::vector<double> run, runAndPaint;
    for (int i = 0; i < presses; ++i) {
        QLineEdit* a1 = window.findChild<QLineEdit*>(QStringLiteral("Text13"));
        a1->clear();  // so that every press changes a box and is not a no-op
        const auto start = Clock::now();
        calculate->click();
        const auto written = Clock::now();
        QApplication::processEvents();
        const auto painted = Clock::now();
        run.push_back(std::chrono::duration<double, std::micro>(written - start).count());
        runAndPaint.push_back(std::chrono::duration<double, std::micro>(painted - start).count());
    }
    report("press, all boxes written", run);
    report("press and boxes repainted", runAndPaint);
    return 0;
}
