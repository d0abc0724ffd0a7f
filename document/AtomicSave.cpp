#include "document/AtomicSave.h"

#include "files/SaveFile.h"
#include "messages/Failure.h"

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
    const std::string_view whole(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    saveAtomically(path, [whole](const std::function<void(std::string_view)>& put) { put(whole); });
}

void saveAtomically(const QString& path, const FileBytes& bytes)
{
    try {
        saveFileAtomically(systemPath(path), bytes);
    } catch (Failure& f) {
        f.file = shownPath(path);
        if (!f.other.empty())
            f.other = shownPath(QFile::decodeName(QByteArray::fromStdString(f.other)));
        throw;
    }
}

}  // namespace inlet
