// Draws the 3D view into a PNG after a run with hk 2000, cut away at the 40 degree station,
// so that it can be seen without a desktop: xvfb-run -a build/app/inlet-solid-shot docs/solid.png

#include "ui/MainWindow.h"
#include "ui/SolidView.h"
#include "ui/SolidWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: inlet-solid-shot OUTPUT.png\n");
        return 2;
    }
    inlet::MainWindow window;
    window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(QStringLiteral("2000"));
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    window.showSolidWindow();
    inlet::SolidWindow* solid = window.solidWindow();
    solid->resize(1200, 820);
    if (solid->isBuilding()) {
        QEventLoop loop;
        QObject::connect(solid, &inlet::SolidWindow::built, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    for (QAction* action : solid->findChildren<QAction*>())
        if (action->text() == QStringLiteral("剖切"))
            action->trigger();
    QApplication::processEvents();
    if (!solid->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "inlet-solid-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", qPrintable(solid->statusText()));
    return 0;
}
