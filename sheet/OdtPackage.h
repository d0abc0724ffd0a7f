#pragma once

// An OpenDocument package: a ZIP archive whose first member is "mimetype", stored, then the
// XML streams and pictures, stored too (word processors read stored members as well as
// compressed ones; the sheet's streams are small).

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace inlet {

// The archive of `members` (name, bytes) after the mimetype `mimeType`.
QByteArray odfPackage(const QByteArray& mimeType, const std::vector<std::pair<QString, QByteArray>>& members);

}  // namespace inlet
