#include "ProgramOptions.h"

#include "InletVersion.h"

#include <QCommandLineParser>
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
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A design file (.inlet) to open."),
                                 QStringLiteral("[FILE]"));

    if (!parser.parse(arguments))
        return usageError(err, parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object the parser cannot name the program in its usage line.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')), QStringLiteral("Usage: inlet [options] [FILE]"));
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
    return options;
}

}  // namespace inlet
