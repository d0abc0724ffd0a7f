#include "SheetFiles.h"

#include "AtomicSave.h"
#include "SheetDocument.h"
#include "SheetPainter.h"
#ifdef INLET_WITH_ODT
#include "SheetOdt.h"
#endif

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QTextDocumentWriter>

namespace inlet {

namespace {

SheetFileError failure(const QString& path, const QString& chinese, const QString& english)
{
    const QString shown = QDir::toNativeSeparators(path);
    return {QStringLiteral("无法写入计算书“%1”：%2").arg(shown, chinese),
            QStringLiteral("cannot write the calculation sheet '%1': %2").arg(shown, english)};
}

// Saves the bytes made in memory; none means the sheet could not be made in that format.
std::optional<SheetFileError> save(const QString& path, const QByteArray& bytes, const QString& format)
{
    if (bytes.isEmpty())
        return failure(path, QStringLiteral("无法生成 %1").arg(format), QStringLiteral("the %1 could not be made").arg(format));
    const QString reason = saveAtomically(path, bytes);
    if (!reason.isEmpty())
        return failure(path, reason, reason);
    return std::nullopt;
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
#ifdef INLET_WITH_ODT
    return sheetOdtDocument(sheet);
#else
    // Without libodfgen: Qt's own ODF writer (no page styles, no header or footer).
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&sheet.document()))
        return {};
    return bytes;
#endif
}

std::optional<SheetFileError> writePdf(const SheetInput& input, const QString& path)
{
    const SheetDocument sheet(input);
    return save(path, sheetPdf(sheet), QStringLiteral("PDF"));
}

std::optional<SheetFileError> writeOdt(const SheetInput& input, const QString& path)
{
    const SheetDocument sheet(input);
    return save(path, sheetOdt(sheet), QStringLiteral("ODT"));
}

}  // namespace inlet
