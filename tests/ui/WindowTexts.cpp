// Types the given texts into the window's boxes, presses "计算并打印" and prints every result
// box the run filled, NAME<TAB>TEXT in the order the run writes them, as inlet-calc prints
// them, so that the two programs can be compared out of process. Exit status 1 when the run
// reported a failure (the message goes to standard error).
//
// Usage: window-texts [--NAME TEXT | --NAME=TEXT]...   NAME one of D D0 theta H0 H1 H2 D1 dd0 aa hk

#include "boxes/Boxes.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>
#include <optional>
#include <string>

namespace {

std::optional<inlet::Box> inputNamed(const std::string& name)
{
    for (const inlet::Box box : inlet::inputBoxes())
        if (inlet::boxInfo(box).symbol == name)
            return box;
    return std::nullopt;
}

QLineEdit* edit(inlet::MainWindow& window, inlet::Box box)
{
    const std::string_view name = inlet::boxName(box);
    return window.findChild<QLineEdit*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    inlet::MainWindow window;
    bool failed = false;
    window.setFailureReporter([&failed](QWidget&, const QString& message) {
        failed = true;
        std::fprintf(stderr, "window-texts: %s\n", message.toUtf8().constData());
    });

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::string text;
        if (const auto equals = arg.find('='); equals != std::string::npos) {
            text = arg.substr(equals + 1);
            arg.resize(equals);
        } else if (i + 1 < argc) {
            text = argv[++i];
        }
        const auto box = arg.starts_with("--") ? inputNamed(arg.substr(2)) : std::nullopt;
        if (!box) {
            std::fprintf(stderr, "window-texts: unknown option '%s'\n", argv[i]);
            return 2;
        }
        edit(window, *box)->setText(QString::fromUtf8(text.c_str()));
    }

    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    std::string out;
    for (const inlet::Box box : inlet::resultWriteOrder()) {
        const QString shown = edit(window, box)->text();
        if (!shown.isEmpty())
            out.append(inlet::boxInfo(box).symbol).append("\t").append(shown.toStdString()).append("\n");
    }
    std::fputs(out.c_str(), stdout);
    return failed ? 1 : 0;
}
