// Draws the window into a PNG after a run with hk 2000, so that the window can be seen
// without a display: QT_QPA_PLATFORM=offscreen build/app/inlet-window-shot docs/window.png

#include "ui/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: inlet-window-shot OUTPUT.png\n");
        return 2;
    }
    inlet::MainWindow window;
    window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(QStringLiteral("2000"));
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "inlet-window-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
