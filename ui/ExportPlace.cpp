#include "ui/ExportPlace.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace inlet {

namespace {

const QString kKey = QStringLiteral("lastExportFolder");

QSettings settings() { return QSettings(QStringLiteral("inletpassage"), QStringLiteral("inlet")); }

}  // namespace

QString ExportPlace::designName(const DesignInfo& info, const QString& designFile)
{
    QString name = info.project.simplified();
    if (name.isEmpty())
        name = QFileInfo(designFile).completeBaseName().simplified();
    // The characters Windows refuses in a name, and control characters; a name of dots alone
    // would name a folder.
    for (QChar& ch : name) {
        if (ch.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(ch))
            ch = QLatin1Char('_');
    }
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name.isEmpty() ? QStringLiteral("进水流道设计") : name;
}

QString ExportPlace::suggested(const QString& folder, const DesignInfo& info, const QString& designFile,
                               const QString& what, const QString& extension)
{
    return QDir(folder).filePath(designName(info, designFile) + QLatin1Char('-') + what + QLatin1Char('.') + extension);
}

QString ExportPlace::folder(const QString& fallback)
{
    const QString last = settings().value(kKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return fallback.isEmpty() ? QDir::homePath() : fallback;
}

void ExportPlace::written(const QString& path) { settings().setValue(kKey, QFileInfo(path).absolutePath()); }

}  // namespace inlet
