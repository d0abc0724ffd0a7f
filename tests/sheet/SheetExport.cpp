// sheet-export OUT.pdf|OUT.odt [--NAME TEXT]...
//
// Writes the calculation sheet of a design, the drawings stood in for by frames, on Qt's
// offscreen platform: for testing the sheet out of process. NAME is a box of the
// given-parameter frame by its symbol (D H H0 Ds B H1 D0 L H2 theta rs Q hk aa D1 dd0), its
// text typed over a fresh window's, or a field of the design information (project stage
// designer checker date notes). Exit status 0 when written, 1 when the file could not be
// written, 2 for a usage error.

#include "document/DesignFile.h"
#include "platform/NumberFormat.h"
#include "messages/Failure.h"
#include "sheet/SheetFiles.h"
#include "sheet/SheetInput.h"

#include <QGuiApplication>

#include <cstdio>
#include <string>

using namespace inlet;

namespace {

int usage(const QString& why)
{
    std::fprintf(stderr, "sheet-export: %s\nusage: sheet-export OUT.pdf|OUT.odt [--NAME TEXT]...\n",
                 why.toLocal8Bit().constData());
    return 2;
}

bool setField(Design& design, const QString& name, const QString& text)
{
    QString* fields[] = {&design.info.project, &design.info.stage, &design.info.designer,
                         &design.info.checker, &design.info.date, &design.info.notes};
    const char* names[] = {"project", "stage", "designer", "checker", "date", "notes"};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (name == QLatin1String(names[i])) {
            *fields[i] = text;
            return true;
        }
    }
    for (const Box box : givenParameterBoxes()) {
        if (name == QString::fromUtf8(boxInfo(box).symbol.data(), qsizetype(boxInfo(box).symbol.size()))) {
            design.texts[box] = text;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(QStringLiteral("no output file"));
    const QString out = args.front();
    Design design = defaultDesign();
    for (qsizetype i = 1; i < args.size(); i += 2) {
        if (!args[i].startsWith(QLatin1String("--")) || i + 1 >= args.size())
            return usage(QStringLiteral("expected --NAME TEXT, got '%1'").arg(args[i]));
        if (!setField(design, args[i].mid(2), args[i + 1]))
            return usage(QStringLiteral("unknown name '%1'").arg(args[i]));
    }

    const SheetInput input = sheetInputFor(design, systemNumberLocale(), true);
    if (!out.endsWith(QLatin1String(".pdf")) && !out.endsWith(QLatin1String(".odt")))
        return usage(QStringLiteral("the output file must end in .pdf or .odt"));
    try {
        if (out.endsWith(QLatin1String(".pdf")))
            writePdf(input, out);
        else
            writeOdt(input, out);
    } catch (const Failure& failure) {
        std::fprintf(stderr, "sheet-export: %s\n", render(failure, Language::English).c_str());
        return 1;
    }
    return 0;
}
