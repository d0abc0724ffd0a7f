#pragma once

// The whole sheet (see Sheet) as a PNG picture. Needs a QGuiApplication (its fonts), on any
// platform, offscreen included.

#include "DrawingSheet.h"
#include "Shapes.h"

#include <QString>

namespace inlet {

// "无法写入“PATH”：REASON", as every drawing export words a failure.
QString cannotWrite(const QString& path, const QString& reason);

// Makes the file's bytes through `write(QBuffer&)`, which returns an empty text or the reason
// it failed, and saves them whole or not at all. Returns an empty text or the failure.
template <typename Write>
QString writeWhole(const QString& path, Write write);

// The PNG `widthPx` pixels wide, as high as the sheet's proportions make it. Returns an empty
// text when written, else what went wrong, naming the file; a failure leaves nothing behind.
QString writePng(const Drawing& drawing, const QString& path, int widthPx, const TitleBlock& block = {},
                 const std::string& paper = "auto");

// Empty for a drawing that has views, else why there is nothing to export.
QString nothingToDraw(const Drawing& drawing, const QString& path);

}  // namespace inlet

#include "AtomicSave.h"

#include <QBuffer>

template <typename Write>
QString inlet::writeWhole(const QString& path, Write write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (const QString reason = write(buffer); !reason.isEmpty())
        return cannotWrite(path, reason);
    if (const QString reason = saveAtomically(path, buffer.data()); !reason.isEmpty())
        return cannotWrite(path, reason);
    return {};
}
