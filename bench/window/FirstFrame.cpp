// Prints the wall-clock time (ns since the epoch) at which the first frame of a window has
// been painted, then quits. "window" shows the program's window, "bare" an empty window of
// the same size. bench/window/run subtracts the moment it started the process.

#include "ui/MainWindow.h"
#include "app/ProgramIdentity.h"
#include "app/ProgramOptions.h"
#include "ui/startup/WindowFonts.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs once this round of painting and its flush to the screen have finished.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("%lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[])
{
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    // The program's window is started as app/main.cpp starts it.
    if (!bare) {
        const char* const programArguments[] = {"inlet"};
        inlet::readProgramOptions(1, programArguments, std::cout, std::cerr);
        inlet::nameProgram();
        inlet::startReadingFontConfiguration();
    }
    QApplication app(argc, argv);
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QStringLiteral("Form1"));
        window->resize(545, 726);
    } else {
        window = std::make_unique<inlet::MainWindow>();
        inlet::setProgramIconOncePainted(*window);
    }
    FirstPaint firstPaint;
    window->installEventFilter(&firstPaint);
    window->show();
    return app.exec();
}
