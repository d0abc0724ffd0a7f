#include "outputmodule/OutputModule.h"

#include "document/AtomicSave.h"
#include "messages/Failure.h"
#include "modules/ModuleLoader.h"

#include <QStringList>

namespace inlet {

OutputModule& outputModule()
{
    // Loaded once, by whichever thread asks first: the others wait until it is done.
    static const ModuleLoader<OutputModule> loader("inlet-output", "inletOutputModule");
    return loader.module();
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
