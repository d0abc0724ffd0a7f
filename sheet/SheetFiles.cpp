#include "sheet/SheetFiles.h"

#include "document/AtomicSave.h"
#include "messages/Failure.h"
#include "sheet/SheetDocument.h"
#include "sheet/SheetPainter.h"
#include "sheet/VectorPictures.h"
#include "InletFeatures.h"
#if INLET_HAS_ODT
#include "sheet/SheetOdt.h"
#endif

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QTextDocumentWriter>

namespace inlet {

namespace {

// Saves the bytes made in memory; none means the sheet could not be made in that format.
void save(const QString& path, const QByteArray& bytes, const char* format)
{
    if (bytes.isEmpty())
        throw Failure{.kind = Failure::Kind::CannotMake, .file = shownPath(path), .item = format};
    saveAtomically(path, bytes);
}

}  // namespace

QByteArray sheetPdf(const SheetDocument& sheet)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setTitle(sheet.title());
        pdf.setCreator(sheet.program());
        if (!paintSheet(sheet, pdf).isEmpty())
            return {};
    }
    return bytes;
}

QByteArray sheetOdt(const SheetDocument& sheet)
{
#if INLET_HAS_ODT
    return sheetOdtDocument(sheet);
#else
    // Without libodfgen: Qt's own ODF writer (no page styles, no header or footer), which
    // reads pictures as images only.
    VectorPictures::addImages(sheet.document(), 300);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&sheet.document()))
        return {};
    return bytes;
#endif
}

void writePdf(const SheetInput& input, const QString& path)
{
    const SheetDocument sheet(input);
    save(path, sheetPdf(sheet), "PDF");
}

void writeOdt(const SheetInput& input, const QString& path)
{
    const SheetDocument sheet(input);
    save(path, sheetOdt(sheet), "ODT");
}

}  // namespace inlet
