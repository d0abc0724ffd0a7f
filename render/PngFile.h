#pragma once

// The whole sheet (see Sheet) as a PNG picture. Needs a QGuiApplication (its fonts), on any
// platform, offscreen included.

#include "drawing/DrawingSheet.h"
#include "drawing/Shapes.h"

#include <QBuffer>
#include <QString>

namespace inlet {

// Makes the file's bytes through `write(QBuffer&)`, which returns false when it cannot make
// them, and saves them whole or not at all. Throws a Failure: CannotMake (the `format`), or
// why the file could not be saved.
template <typename Write>
void writeWhole(const QString& path, const QString& format, Write write);

// The PNG `widthPx` pixels wide, as high as the sheet's proportions make it. Throws a Failure
// naming the file; a failure leaves nothing behind.
void writePng(const Drawing& drawing, const QString& path, int widthPx, const TitleBlock& block = {},
              const std::string& paper = "auto");

// Throws NothingToDraw unless the drawing has views.
void checkSomethingToDraw(const Drawing& drawing, const QString& path);

// Throws CannotMake, naming the file and the format.
[[noreturn]] void cannotMake(const QString& path, const QString& format);

}  // namespace inlet

#include "document/AtomicSave.h"

template <typename Write>
void inlet::writeWhole(const QString& path, const QString& format, Write write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        cannotMake(path, format);
    saveAtomically(path, buffer.data());
}
