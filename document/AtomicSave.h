#pragma once

// Files named by the window and the sheet (QString paths), written and read as every file of
// the programs is (see files/AtomicSave.h and files/FileRead.h).

#include "files/SaveFile.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace inlet {

// The path as the file system takes it: UTF-8 on Windows, the local encoding elsewhere.
std::string systemPath(const QString& path);
// The path as messages show it, with the platform's separators (UTF-8).
std::string shownPath(const QString& path);

// Writes `bytes` to `path` whole or not at all. Throws a Failure naming the file as shown.
void saveAtomically(const QString& path, const QByteArray& bytes);
// The same, the bytes given piece by piece (see FileBytes).
void saveAtomically(const QString& path, const FileBytes& bytes);

}  // namespace inlet
