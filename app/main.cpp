#include "MainWindow.h"
#include "ProgramIdentity.h"
#include "ProgramOptions.h"

#include <QApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    const inlet::ProgramOptions options = inlet::readProgramOptions(argc, argv, std::cout, std::cerr);
    if (options.exitStatus)
        return *options.exitStatus;

    inlet::nameProgram();
    QApplication app(argc, argv);
    inlet::MainWindow window;
    inlet::setProgramIconOncePainted(window);
    window.show();
    return app.exec();
}
