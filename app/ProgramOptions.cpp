#include "app/ProgramOptions.h"

#include "document/AtomicSave.h"
#include "files/DistinctFiles.h"
#include "messages/Failure.h"
#include "InletVersion.h"
#include "outputmodule/OutputModule.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

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

ProgramOptions usageError(std::ostream& err, const Failure& failure)
{
    const Language language = messageLanguage();
    err << "inlet: " << render(failure, language) << '\n'
        << (language == Language::Chinese ? "请参阅“inlet --help”。\n" : "Try 'inlet --help'.\n");
    return ending(2);
}

ProgramOptions usageError(std::ostream& err, Failure::Kind kind, const QString& item = {}, const QString& other = {},
                          const QString& detail = {})
{
    Failure f{.kind = kind, .item = item.toStdString(), .other = other.toStdString()};
    f.detail = detail.toStdString();
    return usageError(err, f);
}

// Qt's own options, which the application object takes from the command line: with the
// number of values each takes.
int qtOptionValues(const QString& argument)
{
    static const QStringList withValue{
        QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
        QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
        QStringLiteral("qwindowicon"), QStringLiteral("icon"), QStringLiteral("qwindowtitle"), QStringLiteral("title"),
        QStringLiteral("session"), QStringLiteral("name"), QStringLiteral("display"), QStringLiteral("style"),
        QStringLiteral("stylesheet"), QStringLiteral("visual")};
    static const QStringList alone{QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                                   QStringLiteral("dograb"), QStringLiteral("sync")};
    if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-") || argument == QLatin1String("--"))
        return -1;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    if (name.startsWith(QLatin1String("qmljsdebugger=")))
        return 0;
    if (withValue.contains(name.section(QLatin1Char('='), 0, 0)) && name.contains(QLatin1Char('=')))
        return 0;
    if (withValue.contains(name))
        return 1;
    return alone.contains(name) ? 0 : -1;
}

// What Qt's parser would refuse on the command line, as a failure of this program's own, so
// that the message is in one language (Qt words it in English only): an option it does not
// know, one without its value, a value given to a switch. `options` with the values each
// takes, "FILE" for a file, "" for any.
std::optional<Failure> commandLineFault(const QStringList& arguments,
                                        const std::vector<std::pair<const QCommandLineOption*, QString>>& options)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        if (!argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-"))
            continue;
        const QString dashes = argument.startsWith(QLatin1String("--")) ? QStringLiteral("--") : QStringLiteral("-");
        const QString written = argument.section(QLatin1Char('='), 0, 0);  // "--format" of "--format=pdf"
        const QString name = written.mid(dashes.size());
        const bool withValue = argument.contains(QLatin1Char('='));
        const auto known = std::find_if(options.begin(), options.end(),
                                        [&name](const auto& o) { return o.first->names().contains(name); });
        if (known == options.end())
            return Failure{.kind = Failure::Kind::UnknownOption, .item = written.toStdString()};
        const bool takesValue = !known->first->valueName().isEmpty();
        if (!takesValue && withValue)
            return Failure{.kind = Failure::Kind::OptionTakesNoValue, .item = written.toStdString(),
                           .other = argument.section(QLatin1Char('='), 1).toStdString()};
        if (takesValue && !withValue) {
            if (i + 1 < arguments.size()) {
                ++i;  // its value, whatever it looks like
                continue;
            }
            if (known->second == QLatin1String("FILE"))
                return Failure{.kind = Failure::Kind::OptionNeedsFile, .item = written.toStdString()};
            if (!known->second.isEmpty())
                return Failure{.kind = Failure::Kind::OptionNeedsOneOf, .item = written.toStdString(),
                               .other = known->second.toStdString()};
            return Failure{.kind = Failure::Kind::OptionNeedsText, .item = written.toStdString()};
        }
    }
    return std::nullopt;
}

}  // namespace

ProgramOptions readProgramOptions(int argc, const char* const argv[], std::ostream& out,
                                  std::ostream& err)
{
    // Qt's own options (-platform offscreen, -session ..., -style ...) are the application
    // object's: left in argv for it, and out of what is read here.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const int values = i > 0 ? qtOptionValues(argument) : -1;
        if (values < 0)
            arguments.append(argument);
        else
            i += values;
    }

    QCommandLineParser parser;
    // "-help" and "-version" work like "--help" and "--version".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the program's name and version and exit."));
    const ExportRegistry& formats = outputFormats();
    QStringList kinds, keys;
    for (const ExportFormat* format : formats.formats()) {
        kinds << QStringLiteral("%1 (%2)").arg(format->key, format->english);
        keys << format->key;
    }
    const QCommandLineOption exportTo(
        QStringLiteral("export"),
        QStringLiteral("Write OUT from the design FILE without a window or a display, and exit, in the "
                       "format its extension names (%1); OUT is another file than FILE, and not standard "
                       "output (-). Exit status 0 when written, 1 when the design "
                       "cannot be read, its calculation fails (a sheet is written all the same, showing "
                       "the failure) or OUT cannot be written.")
            .arg(formats.extensionList().replace(QStringLiteral("、"), QStringLiteral(", "))),
        QStringLiteral("OUT"));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("With --export, the format by its key where an extension has more than one; it "
                       "agrees with OUT's extension: %1.")
            .arg(kinds.join(QStringLiteral(", "))),
        QStringLiteral("KEY"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(exportTo);
    parser.addOption(format);
    const QCommandLineOption widths(
        QStringLiteral("widths"),
        QStringLiteral("With --export: draw with the volute widths SET, computed (as the boxes show them) "
                       "or area-true (each station's section carries its area), instead of the design "
                       "file's choice."),
        QStringLiteral("SET"));
    parser.addOption(widths);
    // Each format's choices, once each: a switch as --KEY, a choice of values as --KEY VALUE.
    std::vector<std::pair<ExportOption, QCommandLineOption>> choices;
    for (const ExportFormat* f : formats.formats()) {
        for (const ExportOption& option : f->options) {
            if (std::any_of(choices.begin(), choices.end(), [&](const auto& c) { return c.first.key == option.key; }))
                continue;
            const QString values = option.values.join(QStringLiteral(", "));
            // Every extension whose format offers the choice: ".dxf, .pdf, .svg, .png".
            QStringList extensions;
            for (const ExportFormat* g : formats.formats()) {
                const bool offers = std::any_of(g->options.begin(), g->options.end(),
                                                [&](const ExportOption& o) { return o.key == option.key; });
                if (offers && !extensions.contains(QLatin1Char('.') + g->extension))
                    extensions << QLatin1Char('.') + g->extension;
            }
            const QString with = extensions.join(QStringLiteral(", "));
            QCommandLineOption line = option.values.isEmpty()
                                          ? QCommandLineOption(option.key, QStringLiteral("With --export %1: %2.").arg(with, option.english))
                                          : QCommandLineOption(option.key, QStringLiteral("With --export %1: %2 (%3).").arg(with, option.english, values),
                                                               QStringLiteral("VALUE"));
            parser.addOption(line);
            choices.emplace_back(option, line);
        }
    }
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A design file (.inlet) to open."),
                                 QStringLiteral("[FILE]"));

    std::vector<std::pair<const QCommandLineOption*, QString>> known{
        {&help, {}}, {&version, {}}, {&exportTo, QStringLiteral("FILE")}, {&format, keys.join(QStringLiteral(", "))},
        {&widths, QStringLiteral("computed, area-true")}};
    for (const auto& [option, line] : choices)
        known.emplace_back(&line, option.values.join(QStringLiteral(", ")));
    if (const std::optional<Failure> fault = commandLineFault(arguments, known))
        return usageError(err, *fault);
    if (!parser.parse(arguments))
        return usageError(err, Failure::Kind::CommandLineUnreadable, {}, {}, parser.errorText());
    if (parser.isSet(help)) {
        // Without an application object the parser cannot name the program in its usage line.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')),
                     QStringLiteral("Usage: inlet [options] [FILE]\n       inlet --export OUT [--widths computed|area-true] FILE"));
        out << text.toStdString();
        return ending(0);
    }
    if (parser.isSet(version)) {
        out << "inlet " << kVersion << '\n'
            << (messageLanguage() == Language::Chinese ? kLicenceChinese : kLicenceEnglish);
        return ending(0);
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(err, Failure::Kind::OnlyOneFile);
    ProgramOptions options;
    options.file = files.value(0);
    if (parser.isSet(widths)) {
        if (!parser.isSet(exportTo))
            return usageError(err, Failure::Kind::OptionNeedsOption, QStringLiteral("--widths"), QStringLiteral("--export OUT"));
        options.widthSet = widthSetNamed(parser.value(widths).toStdString());
        if (!options.widthSet)
            return usageError(err, Failure::Kind::OptionTakesOneOf, QStringLiteral("--widths"),
                              QStringLiteral("computed, area-true"), parser.value(widths));
    }
    if (parser.isSet(exportTo)) {
        options.exportTo = parser.value(exportTo);
        if (options.file.isEmpty())
            return usageError(err, Failure::Kind::ExportNeedsFile);
        // The design and OUT are two files: a DXF written over its own design would lose it.
        if (options.exportTo == QLatin1String("-"))
            return usageError(err, Failure::Kind::NoStandardOutput, QStringLiteral("--export"));
        if (std::optional<Failure> clash = sameFileClash({{"FILE", systemPath(options.file), false},
                                                          {"--export", systemPath(options.exportTo), true}})) {
            clash->file = shownPath(options.exportTo);
            return usageError(err, *clash);
        }
        const ExportFormat* chosen = nullptr;
        if (parser.isSet(format)) {
            chosen = formats.byKey(parser.value(format));
            if (!chosen)
                return usageError(err, Failure::Kind::OptionTakesOneOf, QStringLiteral("--format"),
                                  kinds.join(QStringLiteral(", ")), parser.value(format));
            // A file whose extension names another format would open in the wrong program.
            if (QFileInfo(options.exportTo).suffix().toLower() != chosen->extension)
                return usageError(err, Failure{.kind = Failure::Kind::FormatDisagrees,
                                               .file = shownPath(options.exportTo),
                                               .item = chosen->key.toStdString(),
                                               .other = chosen->extension.toStdString()});
        } else {
            chosen = formats.forPath(options.exportTo);
            if (!chosen)
                return usageError(err, Failure{.kind = Failure::Kind::ExportFormat,
                                               .file = options.exportTo.toStdString(),
                                               .other = formats.extensionList()
                                                            .replace(QStringLiteral("、"), QStringLiteral(", "))
                                                            .toStdString()});
        }
        options.exportFormat = chosen->key;
        for (const auto& [option, line] : choices) {
            if (!parser.isSet(line))
                continue;
            // A choice the format does not offer would be ignored: --paper with a .step.
            QStringList offering;
            for (const ExportFormat* f : formats.formats()) {
                if (std::any_of(f->options.begin(), f->options.end(), [&](const ExportOption& o) { return o.key == option.key; }))
                    offering << f->key;
            }
            if (!offering.contains(chosen->key))
                return usageError(err, Failure{.kind = Failure::Kind::OptionNotForFormat,
                                               .file = shownPath(options.exportTo),
                                               .item = "--" + option.key.toStdString(),
                                               .other = offering.join(QStringLiteral(", ")).toStdString(),
                                               .detail = chosen->key.toStdString()});
            const QString value = option.values.isEmpty() ? QStringLiteral("yes") : parser.value(line);
            if (!option.values.isEmpty() && !option.values.contains(value))
                return usageError(err, Failure::Kind::OptionTakesOneOf, QStringLiteral("--") + option.key,
                                  option.values.join(QStringLiteral(", ")), value);
            options.exportChoices[option.key] = value;
        }
    } else {
        for (const auto& [option, line] : choices) {
            if (parser.isSet(line))
                return usageError(err, Failure::Kind::OptionNeedsOption, QStringLiteral("--") + option.key,
                                  QStringLiteral("--export OUT"));
        }
        if (parser.isSet(format))
            return usageError(err, Failure::Kind::OptionNeedsOption, QStringLiteral("--format"),
                              QStringLiteral("--export OUT"));
    }
    return options;
}

}  // namespace inlet
