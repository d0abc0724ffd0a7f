#include "SheetFiles.h"

#include "AtomicSave.h"
#include "SheetDocument.h"
#include "SheetPainter.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QTextDocumentWriter>

namespace inlet {

namespace {

SheetFileError failure(const QString& path, const QString& reason)
{
    const QString shown = QDir::toNativeSeparators(path);
    return {QStringLiteral("无法写入计算书“%1”：%2").arg(shown, reason),
            QStringLiteral("cannot write the calculation sheet '%1': %2").arg(shown, reason)};
}

std::optional<SheetFileError> save(const QString& path, const QByteArray& bytes, const QString& whyEmpty)
{
    if (bytes.isEmpty())
        return failure(path, whyEmpty);
    const QString reason = saveAtomically(path, bytes);
    if (!reason.isEmpty())
        return failure(path, reason);
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
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&sheet.document()))
        return {};
    return bytes;
}

std::optional<SheetFileError> writePdf(const SheetInput& input, const QString& path)
{
    const SheetDocument sheet(input);
    return save(path, sheetPdf(sheet), QStringLiteral("the sheet could not be painted"));
}

std::optional<SheetFileError> writeOdt(const SheetInput& input, const QString& path)
{
    const SheetDocument sheet(input);
    return save(path, sheetOdt(sheet), QStringLiteral("the document could not be written"));
}

}  // namespace inlet
