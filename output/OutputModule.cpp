#include "OutputModule.h"

#include "AtomicSave.h"
#include "Failure.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QStringList>

namespace inlet {

namespace {

// Where the module may be, nearest first: beside the program, where it is installed relative
// to the program's folder, and, for a program that runs in the build tree, where it was built.
QStringList candidates()
{
    const QString name = QStringLiteral("inlet-output");
    QStringList places;
    if (!QCoreApplication::instance())
        return places;
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QDir program(programFolder);
    places << program.filePath(name)
           << program.filePath(QStringLiteral(INLET_OUTPUT_MODULE_FROM_PROGRAM "/") + name);
    // Never from the build tree for an installed program: that folder may be anyone's now.
    const QString buildTree = QDir::cleanPath(QStringLiteral(INLET_BUILD_TREE)) + QLatin1Char('/');
    if (QDir::cleanPath(programFolder).append(QLatin1Char('/')).startsWith(buildTree))
        places << QStringLiteral(INLET_OUTPUT_MODULE_BUILT "/") + name;
    return places;
}

}  // namespace

OutputModule& outputModule()
{
    static OutputModule* module = nullptr;
    static QString failure;
    if (!module && failure.isEmpty()) {
        QStringList tried;
        for (const QString& place : candidates()) {
            QLibrary library(place);
            using Entry = OutputModule* (*)();
            if (library.load()) {
                if (const auto entry = reinterpret_cast<Entry>(library.resolve("inletOutputModule"))) {
                    module = entry();
                    break;
                }
            }
            tried << library.errorString();
        }
        if (!module)
            failure = tried.isEmpty() ? QStringLiteral("-") : tried.join(QStringLiteral("; "));
    }
    if (!module)
        throw Failure{.kind = Failure::Kind::ModuleMissing, .detail = failure.toStdString()};
    return *module;
}

const ExportRegistry& outputFormats()
{
    static const ExportRegistry registry = [] {
        ExportRegistry formats = ExportRegistry::described();
        QStringList keys;
        for (const ExportFormat& format : formats.all())
            keys << format.key;
        for (const QString& key : keys) {
            formats.setWriter(key, [key](const ExportInput& input, const QString& path, const ExportChoices& choices) {
                const ExportRegistry& module = outputModule().formats();
                const ExportFormat* written = module.byKey(key);
                if (!written)
                    throw Failure{.kind = Failure::Kind::UnsupportedFormat, .file = shownPath(path),
                                  .item = key.toStdString(), .other = module.extensionList().toStdString()};
                written->write(input, path, choices);
            });
        }
        return formats;
    }();
    return registry;
}

}  // namespace inlet
