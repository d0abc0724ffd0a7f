#include "AtomicSave.h"

#include "SaveFile.h"
#include "Failure.h"

#include <QDir>
#include <QFile>

namespace inlet {

std::string systemPath(const QString& path)
{
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

std::string shownPath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

void saveAtomically(const QString& path, const QByteArray& bytes)
{
    try {
        saveFileAtomically(systemPath(path), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (Failure& f) {
        f.file = shownPath(path);
        if (!f.other.empty())
            f.other = shownPath(QFile::decodeName(QByteArray::fromStdString(f.other)));
        throw;
    }
}

}  // namespace inlet
