#include "ProgramOptions.h"

#include "DrawingExport.h"
#include "InletVersion.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

#include <ostream>

namespace inlet {

namespace {

constexpr const char* kDescription =
    "Computes the bell-mouth pipe and guide cone profiles, the tangent point of the volute's\n"
    "upper wall, the volute widths and the passage height and width of a pump-station inlet\n"
    "passage in one window. inlet-calc does the same from the command line.";

// The options of a program that ends at once with `status`.
ProgramOptions ending(int status)
{
    ProgramOptions options;
    options.exitStatus = status;
    return options;
}

// The extensions --export writes, in the order the help names them.
QStringList exportExtensions() { return QStringList{QStringLiteral("pdf"), QStringLiteral("odt")} + drawingExtensions(); }

// "a, b and c" of the extensions, each with its dot; `last` joins the last two.
QString listed(QStringList extensions, const QString& last)
{
    for (QString& e : extensions)
        e.prepend(QLatin1Char('.'));
    const QString tail = extensions.takeLast();
    return extensions.join(QStringLiteral(", ")) + last + tail;
}

ProgramOptions usageError(std::ostream& err, const QString& message)
{
    err << "inlet: " << message.toStdString() << "\nTry 'inlet --help'.\n";
    return ending(2);
}

}  // namespace

ProgramOptions readProgramOptions(int argc, const char* const argv[], std::ostream& out,
                                  std::ostream& err)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    // "-help" and "-version" work like "--help" and "--version".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's name and version and exit."));
    const QCommandLineOption exportTo(
        QStringLiteral("export"),
        QStringLiteral("Write OUT from the design FILE without a window or a display, and exit: "
                       "the calculation sheet for .pdf and .odt, the drawing for %1. "
                       "Exit status 0 when written, 1 when the design cannot be read, its calculation "
                       "fails (a sheet is written all the same, showing the failure) or OUT cannot be "
                       "written.")
            .arg(listed(drawingExtensions(), QStringLiteral(" and "))),
        QStringLiteral("OUT"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(exportTo);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A design file (.inlet) to open."),
                                 QStringLiteral("[FILE]"));

    if (!parser.parse(arguments))
        return usageError(err, parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object the parser cannot name the program in its usage line.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')),
                     QStringLiteral("Usage: inlet [options] [FILE]\n       inlet --export OUT FILE"));
        out << text.toStdString();
        return ending(0);
    }
    if (parser.isSet(version)) {
        out << "inlet " << kVersion << '\n';
        return ending(0);
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(err, QStringLiteral("only one design file can be opened at a time"));
    ProgramOptions options;
    options.file = files.value(0);
    if (parser.isSet(exportTo)) {
        options.exportTo = parser.value(exportTo);
        if (options.file.isEmpty())
            return usageError(err, QStringLiteral("--export OUT needs the design FILE to export"));
        if (!canExportTo(options.exportTo))
            return usageError(err, QStringLiteral("--export writes %1 files, not '%2'")
                                       .arg(listed(exportExtensions(), QStringLiteral(" or ")), options.exportTo));
    }
    return options;
}

bool canExportTo(const QString& path) { return exportExtensions().contains(QFileInfo(path).suffix().toLower()); }

}  // namespace inlet
