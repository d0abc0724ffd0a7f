#include "MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    inlet::MainWindow window;
    window.show();
    return app.exec();
}
