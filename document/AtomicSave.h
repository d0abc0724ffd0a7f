#pragma once

// Writing a whole file so that it is either written completely or not at all.

#include <QByteArray>
#include <QString>

namespace inlet {

// Writes `bytes` to `path` through a temporary file that replaces the old one only when
// everything was written. Returns an empty string on success, else the reason
// ("No space left on device").
QString saveAtomically(const QString& path, const QByteArray& bytes);

}  // namespace inlet
