#include "AtomicSave.h"

#include "WindowsNames.h"

#include <QFileInfo>
#include <QSaveFile>

namespace inlet {

QString saveAtomically(const QString& path, const QByteArray& bytes)
{
#ifdef Q_OS_WIN
    if (const std::string device = windowsDeviceName(QFileInfo(path).fileName().toStdString()); !device.empty())
        return QStringLiteral("Windows reserves the name %1 for a device").arg(QString::fromStdString(device));
#endif
    // Unbuffered: a buffered QSaveFile loses an error of its last flush (a full disk, a file
    // size limit) and commits a truncated file over the old one; written directly, a short
    // write shows, and the old file stays as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size())
        return file.errorString();
    if (!file.commit())
        return file.errorString();
    return {};
}

}  // namespace inlet
