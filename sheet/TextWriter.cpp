#include "sheet/TextWriter.h"

#include "sheet/SheetStyle.h"
#include "sheet/VectorPictures.h"

#include <QTextTable>
#include <QUrl>

namespace inlet {

namespace {

// Tables are set a size smaller than the text (小五).
constexpr double kTablePoints = 9;

QTextTableFormat tableFormat(const std::vector<double>& widths, bool ruled, double paddingMm = 0.8)
{
    QTextTableFormat format;
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> columns;
    for (const double w : widths)
        columns.append(QTextLength(QTextLength::PercentageLength, w));
    format.setColumnWidthConstraints(columns);
    format.setCellSpacing(0);
    format.setCellPadding(fromMm(paddingMm));
    format.setTopMargin(fromMm(1.5));
    format.setBottomMargin(fromMm(1.5));
    if (ruled) {
        // Every cell draws its own 0.1 mm rule round itself (ruledCell) and neighbouring
        // cells' rules lie side by side, so the rules are 0.2 mm throughout. Collapsed
        // borders look the same but make Qt's layout of the sheet three times slower.
        format.setBorder(fromMm(0.1));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(Qt::black);
        format.setHeaderRowCount(1);
    } else {
        format.setBorder(0);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    }
    return format;
}

// A cell of a ruled table: a 0.1 mm rule all round, the header shaded.
QTextTableCellFormat ruledCell(bool header)
{
    QTextTableCellFormat format;
    format.setBorder(fromMm(0.1));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(Qt::black);
    if (header)
        format.setBackground(QColor(230, 230, 230));
    return format;
}

}  // namespace

TextWriter::TextWriter(QTextDocument& document) : document_(document), cursor_(&document)
{
}

void TextWriter::startBlock(Qt::Alignment alignment, double spaceAboveMm, double indentMm)
{
    QTextBlockFormat format;
    format.setAlignment(alignment);
    format.setTopMargin(fromMm(spaceAboveMm));
    format.setBottomMargin(fromMm(1));
    format.setLeftMargin(fromMm(indentMm));
    format.setLineHeight(120, QTextBlockFormat::ProportionalHeight);
    if (newPage_)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    newPage_ = false;
    if (reuseBlock_)
        cursor_.setBlockFormat(format);
    else
        cursor_.insertBlock(format);
    reuseBlock_ = false;
}

QTextTable* TextWriter::insertTable(int rows, const std::vector<double>& widths, bool ruled, double paddingMm)
{
    QTextTableFormat format = tableFormat(widths, ruled, paddingMm);
    if (newPage_)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    newPage_ = false;
    QTextTable* table = cursor_.insertTable(rows, static_cast<int>(widths.size()), format);
    cursor_.movePosition(QTextCursor::End);
    reuseBlock_ = true;
    return table;
}

void TextWriter::section(const QString& title)
{
    startBlock(Qt::AlignLeft, 5);
    markHeading(1);
    cursor_.insertText(title, textFormat(14, true));
    sections_.push_back({title, cursor_.block()});
    headings_.push_back(cursor_.block());
}

void TextWriter::subsection(const QString& title)
{
    startBlock(Qt::AlignLeft, 3);
    markHeading(2);
    cursor_.insertText(title, textFormat(12, true));
    headings_.push_back(cursor_.block());
}

void TextWriter::paragraph(const QString& text, double indentMm)
{
    startBlock(Qt::AlignLeft, 0.5, indentMm);
    cursor_.insertText(text, textFormat());
}

void TextWriter::paragraph(const QString& text, const QTextCharFormat& format, Qt::Alignment alignment,
                           double spaceMm)
{
    startBlock(alignment, spaceMm);
    cursor_.insertText(text, format);
}

void TextWriter::table(const std::vector<double>& widths, const QStringList& header,
                       const std::vector<QStringList>& rows, const std::vector<int>& alignRight, double paddingMm)
{
    const int columns = static_cast<int>(widths.size());
    QTextTable* table = insertTable(static_cast<int>(rows.size()) + 1, widths, true, paddingMm);
    const auto alignment = [&alignRight](int column) {
        for (const int c : alignRight)
            if (c == column)
                return Qt::AlignRight;
        return Qt::AlignLeft;
    };
    for (int r = 0; r <= static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < columns; ++c)
            table->cellAt(r, c).setFormat(ruledCell(r == 0));
    for (int c = 0; c < columns; ++c) {
        setCellText(*table, 0, c, header.value(c), textFormat(kTablePoints, true), Qt::AlignHCenter);
    }
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const QStringList& row = rows[static_cast<std::size_t>(r)];
        if (row.size() == 1 && columns > 1) {
            table->mergeCells(r + 1, 0, 1, columns);
            setCellText(*table, r + 1, 0, row.front(), textFormat(kTablePoints, true));
            continue;
        }
        for (int c = 0; c < columns; ++c)
            setCellText(*table, r + 1, c, row.value(c), textFormat(kTablePoints), alignment(c));
    }
}

QTextTable* TextWriter::plainTable(int rows, const std::vector<double>& widths)
{
    return insertTable(rows, widths, false);
}

void TextWriter::markHeading(int level)
{
    QTextBlockFormat format = cursor_.blockFormat();
    format.setHeadingLevel(level);
    cursor_.setBlockFormat(format);
}

QTextTable* TextWriter::writeContents()
{
    QTextCursor place(contentsBlock_);
    place.movePosition(QTextCursor::EndOfBlock);
    QTextTableFormat format = tableFormat({88, 12}, false);
    format.setProperty(kContentsProperty, true);
    QTextTable* table = place.insertTable(static_cast<int>(sections_.size()), 2, format);
    for (int r = 0; r < static_cast<int>(sections_.size()); ++r)
        setCellText(*table, r, 0, sections_[static_cast<std::size_t>(r)].title, textFormat(12));
    return table;
}

void TextWriter::picture(const QString& name, const QImage& image, double widthMm)
{
    startBlock(Qt::AlignHCenter, 1);
    document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(fromMm(widthMm));
    format.setHeight(fromMm(widthMm) * image.height() / image.width());
    cursor_.insertImage(format);
}

void TextWriter::picture(const QString& name, const Drawing& drawing, double widthMm)
{
    startBlock(Qt::AlignHCenter, 1);
    VectorPictures::addShapes(document_, name, drawing);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(fromMm(widthMm));
    format.setHeight(fromMm(widthMm) * drawing.extent.height() / drawing.extent.width());
    cursor_.insertImage(format);
}

void setCellText(QTextTable& table, int row, int column, const QString& text, const QTextCharFormat& format,
                 Qt::Alignment alignment)
{
    const QTextTableCell cell = table.cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    QTextBlockFormat block;
    block.setAlignment(alignment);
    cursor.setBlockFormat(block);
    cursor.insertText(text, format);
}

}  // namespace inlet
