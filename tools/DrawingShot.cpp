// Draws the drawing window into a PNG after a run with hk 2000, so that it can be seen
// without a display, and the chart of area, width and velocity along φ into a second one:
// QT_QPA_PLATFORM=offscreen build/app/inlet-drawing-shot docs/drawing.png docs/chart.png

#include "ui/DrawingView.h"
#include "ui/DrawingWindow.h"
#include "ui/MainWindow.h"
#include "render/ViewPicture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: inlet-drawing-shot DRAWING.png [CHART.png]\n");
        return 2;
    }
    inlet::MainWindow window;
    window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(QStringLiteral("2000"));
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    window.showDrawingWindow();
    inlet::DrawingWindow* drawing = window.drawingWindow();
    drawing->resize(1400, 900);
    QApplication::processEvents();
    drawing->findChild<inlet::DrawingView*>()->fitToWindow();
    QApplication::processEvents();
    if (!drawing->grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "inlet-drawing-shot: cannot write %s\n", argv[1]);
        return 1;
    }
    // The chart as printed, at 110 pixels to the inch.
    if (argc == 3 && !inlet::viewPicture(*window.lastRun().record()->chart, "CHART", 1, 110)
                          .save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "inlet-drawing-shot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
