#include "ui/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace inlet {

namespace {

const QString kKey = QStringLiteral("recentDesigns");

QSettings settings() { return QSettings(QStringLiteral("inletpassage"), QStringLiteral("inlet")); }

// The one name of a file, however it was given: "a/../b.inlet" and "./b.inlet" are one.
QString absolute(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

// Each file once, in the order first met, empty entries left out, at most kMost.
QStringList tidied(const QStringList& list)
{
    QStringList tidy;
    for (const QString& path : list) {
        if (path.isEmpty())
            continue;
        const QString file = absolute(path);
        if (!tidy.contains(file))
            tidy.append(file);
        if (tidy.size() == RecentFiles::kMost)
            break;
    }
    return tidy;
}

void store(const QStringList& list) { settings().setValue(kKey, list); }

}  // namespace

QStringList RecentFiles::paths() { return tidied(settings().value(kKey).toStringList()); }

void RecentFiles::add(const QString& path) { store(withFirst(paths(), path)); }

void RecentFiles::remove(const QString& path) { store(without(paths(), path)); }

QStringList RecentFiles::withFirst(QStringList list, const QString& path)
{
    list.prepend(path);
    return tidied(list);
}

QStringList RecentFiles::without(QStringList list, const QString& path)
{
    list = tidied(list);
    list.removeAll(absolute(path));
    return list;
}

}  // namespace inlet
