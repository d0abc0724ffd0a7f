#pragma once

// The design files opened or saved last, most recent first, at most eight, each once. They are
// kept in the user's settings (organization "inletpassage", application "inlet", key
// "recentDesigns"), so that every start of the program sees them, and are read only when
// asked for.

#include <QString>
#include <QStringList>

namespace inlet {

class RecentFiles {
public:
    static constexpr qsizetype kMost = 8;

    // The list as the settings hold it now.
    static QStringList paths();
    // Puts the file first.
    static void add(const QString& path);
    // Takes the file off the list.
    static void remove(const QString& path);

    // `list` with `path` first, each file once (by its absolute path) and at most kMost.
    static QStringList withFirst(QStringList list, const QString& path);
    // `list` without `path`.
    static QStringList without(QStringList list, const QString& path);
};

}  // namespace inlet
