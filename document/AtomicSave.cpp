#include "AtomicSave.h"

#include <QSaveFile>

namespace inlet {

QString saveAtomically(const QString& path, const QByteArray& bytes)
{
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
