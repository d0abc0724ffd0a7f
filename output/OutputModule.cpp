#include "OutputModule.h"

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

OutputModule* outputModule(QString* why)
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
            failure = tried.isEmpty() ? QStringLiteral("找不到输出模块 inlet-output")
                                      : QStringLiteral("找不到输出模块 inlet-output（%1）").arg(tried.join(QStringLiteral("；")));
    }
    if (!module && why)
        *why = failure;
    return module;
}

const ExportRegistry& outputFormats()
{
    static const ExportRegistry registry = [] {
        ExportRegistry formats = ExportRegistry::described();
        QStringList keys;
        for (const ExportFormat& format : formats.all())
            keys << format.key;
        for (const QString& key : keys) {
            formats.setWriter(key, [key](const ExportInput& input, const QString& path,
                                         const ExportChoices& choices) -> std::optional<ExportFailure> {
                QString why;
                OutputModule* module = outputModule(&why);
                const ExportFormat* written = module ? module->formats().byKey(key) : nullptr;
                if (!written) {
                    const QString shown = QDir::toNativeSeparators(path);
                    if (why.isEmpty())
                        why = QStringLiteral("输出模块不能写入此格式");
                    return ExportFailure{QStringLiteral("无法写入“%1”：%2").arg(shown, why),
                                         QStringLiteral("cannot write %1: %2").arg(shown, why)};
                }
                return written->write(input, path, choices);
            });
        }
        return formats;
    }();
    return registry;
}

}  // namespace inlet
