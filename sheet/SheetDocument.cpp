#include "sheet/SheetDocument.h"

#include "messages/Failure.h"
#include "sheet/SheetFlow.h"
#include "sheet/SheetProcess.h"
#include "sheet/SheetSetOut.h"
#include "sheet/SheetSections.h"
#include "sheet/SheetStudy.h"
#include "sheet/SheetStyle.h"
#include "sheet/TextWriter.h"
#include "sheet/VectorPictures.h"

#include <QAbstractTextDocumentLayout>
#include <QTextTable>

#include <cmath>
#include <vector>

namespace inlet {

namespace {

// Lays the whole document out again. Qt's incremental layout, after a change of format near
// a table that runs over a page break, can leave the blocks behind the table without lines:
// they are neither measured nor painted.
void relayout(QTextDocument& document)
{
    document.markContentsDirty(0, document.characterCount());
}

// The page a block's first line stands on, counted from 0: a little below the line's top (a
// line moved to a new page stands lower in its block than the block's top, which can lie a
// rounding error above that page), and no further than half the line down, which for a tall
// picture would reach past the foot of the page it does not fit on.
int pageIndexOf(const QTextDocument& document, const QTextBlock& block)
{
    const QRectF rect = document.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    const bool lines = layout && layout->lineCount() > 0;
    const double top = rect.top() + (lines ? layout->lineAt(0).y() : 0);
    const double line = lines ? layout->lineAt(0).height() : rect.height();
    return static_cast<int>(std::floor((top + std::min(line / 2, fromMm(2))) / document.pageSize().height()));
}

// A heading left at the foot of a page, with less than `room` below it, starts the next page
// instead, with its text.
void keepHeadingsWithText(QTextDocument& document, const std::vector<QTextBlock>& headings)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    const double pageHeight = document.pageSize().height();
    const double room = fromMm(25);
    for (const QTextBlock& heading : headings) {
        const double pageBottom = (pageIndexOf(document, heading) + 1) * pageHeight;
        // Too near the foot, or what follows (a picture) does not fit below it.
        const QTextBlock next = heading.next();
        const bool parted = next.isValid() && pageIndexOf(document, next) != pageIndexOf(document, heading);
        if (parted || pageBottom - layout->blockBoundingRect(heading).bottom() < room) {
            QTextBlockFormat format = heading.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(heading).setBlockFormat(format);
            relayout(document);
        }
    }
}

// The page each section starts on, counted from 1.
std::vector<int> sectionPages(const QTextDocument& document, const std::vector<TextWriter::Section>& sections)
{
    std::vector<int> pages;
    for (const TextWriter::Section& s : sections)
        pages.push_back(pageIndexOf(document, s.block) + 1);
    return pages;
}

// Writes the page of each section into the contents list. Writing the numbers could move a
// section to another page only by changing the list's height, so a second pass settles it.
void fillContents(QTextDocument& document, QTextTable& contents, const std::vector<TextWriter::Section>& sections)
{
    std::vector<int> written;
    for (int pass = 0; pass < 3; ++pass) {
        const std::vector<int> pages = sectionPages(document, sections);
        if (pages == written)
            return;
        // One edit block: the layout follows the edits once, not after each of them.
        QTextCursor edit(&document);
        edit.beginEditBlock();
        for (std::size_t i = 0; i < pages.size(); ++i)
            setCellText(contents, static_cast<int>(i), 1, QString::number(pages[i]), textFormat(12), Qt::AlignRight);
        edit.endEditBlock();
        relayout(document);
        written = pages;
    }
}

}  // namespace

SheetDocument::SheetDocument(const SheetInput& input)
    : pictures_(std::make_unique<VectorPictures>()),
      document_(std::make_unique<QTextDocument>()),
      project_(input.info.project.simplified()),  // one line in the title block
      stage_(input.info.stage.simplified()),
      program_(QString::fromStdString(input.program + " " + input.version)),
      programShown_(programShownOnSheet(input))
{
    QTextDocument& document = *document_;
    document.setUndoRedoEnabled(false);
    document.setUseDesignMetrics(true);
    document.setDocumentMargin(0);
    QFont font(textFamily());
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setPageSize(fromMm(kBodyMm).size());
    document.setMetaInformation(QTextDocument::DocumentTitle, title());
    pictures_->install(document);

    // One edit block: the document is laid out once, when it is whole.
    QTextCursor edit(&document);
    edit.beginEditBlock();
    TextWriter writer(document);
    writeCover(writer, input);
    writeContentsHeading(writer);
    writePurpose(writer);
    writeBasis(writer, input);
    writeGivenDimensions(writer, input);
    writeProcess(writer, input);
    if (input.calculation())
        writeStations(writer, input);
    writeResults(writer, input);
    writeConclusion(writer, input);
    if (input.calculation()) {
        const bool drawings = input.drawing() && input.drawings;
        if (drawings)
            writeDrawings(writer, input);
        if (!input.flow.isEmpty())
            writeFlow(writer, input, drawings ? 8 : 7);
        if (!input.study.isEmpty())
            writeStudy(writer, input, 7 + (drawings ? 1 : 0) + (input.flow.isEmpty() ? 0 : 1));
    }
    writeAppendix(writer);
    writeSetOutAppendix(writer, input);
    QTextTable* contents = writer.writeContents();
    edit.endEditBlock();
    if (const int pages = document.pageCount(); pages > kMostPages)
        throw Failure{.kind = Failure::Kind::SheetTooLong, .number = pages, .limit = kMostPages};
    keepHeadingsWithText(document, writer.headings());
    fillContents(document, *contents, writer.sections());
    for (const int page : inlet::sectionPages(document, writer.sections()))
        sectionPages_.append(page);
}

SheetDocument::~SheetDocument() = default;

QString SheetDocument::title() const
{
    const QString sheet = calculationContent() + QStringLiteral("书");
    return project_.isEmpty() ? sheet : project_ + QStringLiteral(" ") + sheet;
}

}  // namespace inlet
