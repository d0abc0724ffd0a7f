#include "sheet/SheetOdt.h"

#include "sheet/OdtPackage.h"
#include "sheet/SheetDocument.h"
#include "sheet/SheetSections.h"
#include "sheet/SheetStyle.h"
#include "sheet/TextWriter.h"
#include "sheet/VectorPictures.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <libodfgen/libodfgen.hxx>
#include <librevenge/librevenge.h>

#include <functional>
#include <map>

namespace inlet {

namespace {

// Where the contents list stands: a paragraph holding only this, which the content stream
// replaces with the word processor's own contents list.
const char* const kContentsMarker = "\x01inlet-contents\x01";
// The bookmarks at the sections' headings, which the contents list's page numbers refer to.
QByteArray headingBookmark(int n) { return "inlet-section-" + QByteArray::number(n); }

QByteArray escaped(const QByteArray& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// One XML stream of the package, as libodfgen hands it over element by element. The content
// stream names the bookmarks libodfgen writes without a name, declares the contents list's
// paragraph style and puts the contents list where the marker stands.
class XmlStream : public OdfDocumentHandler {
public:
    using Contents = std::function<QByteArray()>;
    explicit XmlStream(Contents contents = {}) : contents_(std::move(contents)) {}

    QByteArray xml;

    void startDocument() override { xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }
    void endDocument() override { flush(); }

    void startElement(const char* name, const librevenge::RVNGPropertyList& attributes) override
    {
        flush();
        QByteArray element = "<" + QByteArray(name);
        librevenge::RVNGPropertyList::Iter i(attributes);
        for (i.rewind(); i.next();) {
            if (i.child())
                continue;
            element += " " + QByteArray(i.key()) + "=\"" + escaped(QByteArray(i()->getStr().cstr())) + "\"";
        }
        if (contents_ && qstrcmp(name, "text:bookmark") == 0)
            element += " text:name=\"" + headingBookmark(++bookmarks_) + "\"";
        element += ">";
        if (contents_ && (qstrcmp(name, "text:p") == 0 || qstrcmp(name, "text:h") == 0))
            pending_ = element;  // held until it is known whether it holds the marker
        else
            xml += element;
    }

    void endElement(const char* name) override
    {
        if (swallow_ && (qstrcmp(name, "text:p") == 0 || qstrcmp(name, "text:h") == 0)) {
            swallow_ = false;
            return;
        }
        if (swallow_)
            return;
        flush();
        if (contents_ && qstrcmp(name, "office:automatic-styles") == 0)
            xml += contentsStyle();
        xml += "</" + QByteArray(name) + ">";
    }

    void characters(const librevenge::RVNGString& text) override
    {
        const QByteArray bytes(text.cstr());
        if (!pending_.isEmpty() && bytes == kContentsMarker) {
            pending_.clear();
            swallow_ = true;
            xml += contents_();
            return;
        }
        if (swallow_)
            return;
        flush();
        xml += escaped(bytes);
    }

private:
    void flush()
    {
        xml += pending_;
        pending_.clear();
    }

    static QByteArray contentsStyle()
    {
        const QByteArray family = escaped(textFamily().toUtf8());
        return "<style:style style:name=\"InletContents\" style:family=\"paragraph\">"
               "<style:paragraph-properties fo:margin-top=\"0.1cm\" fo:margin-bottom=\"0.1cm\">"
               "<style:tab-stops><style:tab-stop style:position=\"16.4cm\" style:type=\"right\" "
               "style:leader-style=\"dotted\" style:leader-text=\".\"/></style:tab-stops>"
               "</style:paragraph-properties>"
               "<style:text-properties style:font-name=\""
            + family + "\" style:font-name-asian=\"" + family
            + "\" fo:font-size=\"12pt\" style:font-size-asian=\"12pt\"/></style:style>";
    }

    Contents contents_;
    QByteArray pending_;
    bool swallow_ = false;
    int bookmarks_ = 0;
};

double inches(double pixels) { return pixels / documentDpi(); }
double inchesFromMm(double mm) { return mm / 25.4; }

librevenge::RVNGString rvng(const QString& text) { return librevenge::RVNGString(text.toUtf8().constData()); }

// The character properties of a run of text: the face and the size for Latin and Asian
// scripts alike, bold for both.
librevenge::RVNGPropertyList spanProperties(const QTextCharFormat& format, const QFont& fallback)
{
    librevenge::RVNGPropertyList span;
    const QString family = format.fontFamilies().toStringList().value(0, fallback.family());
    const double points = format.fontPointSize() > 0 ? format.fontPointSize() : fallback.pointSizeF();
    const bool bold = format.fontWeight() >= QFont::Bold;
    for (const char* name : {"style:font-name", "style:font-name-asian", "style:font-name-complex"})
        span.insert(name, rvng(family));
    for (const char* size : {"fo:font-size", "style:font-size-asian", "style:font-size-complex"})
        span.insert(size, points, librevenge::RVNG_POINT);
    for (const char* weight : {"fo:font-weight", "style:font-weight-asian", "style:font-weight-complex"})
        span.insert(weight, bold ? "bold" : "normal");
    span.insert("fo:language", "zh");
    span.insert("fo:country", "CN");
    span.insert("style:language-asian", "zh");
    span.insert("style:country-asian", "CN");
    return span;
}

class OdtWriter {
public:
    OdtWriter(const SheetDocument& sheet, OdtGenerator& out) : sheet_(sheet), doc_(sheet.document()), out_(out) {}

    void write()
    {
        librevenge::RVNGPropertyList meta;
        meta.insert("dc:title", rvng(sheet_.title()));
        meta.insert("meta:generator", rvng(sheet_.program()));
        out_.setDocumentMetaData(meta);
        out_.startDocument(librevenge::RVNGPropertyList());
        openPage();
        writeFrame(*doc_.rootFrame());
        out_.closePageSpan();
        out_.endDocument();
    }

private:
    // A4 portrait: the title block in the header above the body, the footer below it, the body
    // where the PDF has it.
    void openPage()
    {
        librevenge::RVNGPropertyList page;
        page.insert("fo:page-width", inchesFromMm(kPaperWidthMm));
        page.insert("fo:page-height", inchesFromMm(kPaperHeightMm));
        page.insert("fo:margin-left", inchesFromMm(kBodyMm.left()));
        page.insert("fo:margin-right", inchesFromMm(kPaperWidthMm - kBodyMm.right()));
        page.insert("fo:margin-top", inchesFromMm(kTitleBlockMm.top()));
        page.insert("fo:margin-bottom", inchesFromMm(kPaperHeightMm - kFooterLineMm - 6));
        page.insert("librevenge:num-pages", 1);
        out_.openPageSpan(page);

        librevenge::RVNGPropertyList header;
        header.insert("librevenge:occurrence", "all");
        header.insert("fo:min-height", inchesFromMm(kTitleBlockMm.height()));
        header.insert("fo:margin-bottom", inchesFromMm(kBodyMm.top() - kTitleBlockMm.bottom()));
        out_.openHeader(header);
        writeTitleBlock();
        out_.closeHeader();

        librevenge::RVNGPropertyList footer;
        footer.insert("librevenge:occurrence", "all");
        footer.insert("fo:min-height", inchesFromMm(5));
        footer.insert("fo:margin-top", inchesFromMm(kFooterLineMm - kBodyMm.bottom()));
        out_.openFooter(footer);
        librevenge::RVNGPropertyList paragraph;
        paragraph.insert("fo:border-top", "0.2mm solid #000000");
        out_.openParagraph(paragraph);
        span(QStringLiteral("计算软件：") + sheet_.programShown() + QStringLiteral("　　") + calculationContent()
                 + QStringLiteral("书"),
             textFormat(8));
        out_.closeParagraph();
        out_.closeFooter();
    }

    // Two rows as the PDF paints them: 工程名称, 设计阶段 above; 计算内容 and the page below.
    void writeTitleBlock()
    {
        librevenge::RVNGPropertyList table;
        librevenge::RVNGPropertyListVector columns;
        for (const double mm : {20.0, 75.0, 20.0, 50.0}) {
            librevenge::RVNGPropertyList column;
            column.insert("style:column-width", inchesFromMm(mm));
            columns.append(column);
        }
        table.insert("librevenge:table-columns", columns);
        table.insert("style:width", inchesFromMm(kTitleBlockMm.width()));
        table.insert("table:align", "left");
        out_.openTable(table);
        const QTextCharFormat small = textFormat(9);
        out_.openTableRow(librevenge::RVNGPropertyList());
        titleCell(QStringLiteral("工程名称"), small, 1, true);
        titleCell(sheet_.project(), small);
        titleCell(QStringLiteral("设计阶段"), small, 1, true);
        titleCell(sheet_.stage(), small);
        out_.closeTableRow();
        out_.openTableRow(librevenge::RVNGPropertyList());
        titleCell(QStringLiteral("计算内容"), small, 1, true);
        titleCell(calculationContent(), small, 2);
        out_.openTableCell(cellProperties(1, true));
        out_.openParagraph(centred());
        out_.openSpan(spanProperties(small, doc_.defaultFont()));
        out_.insertText("第 ");
        field("text:page-number");
        out_.insertText(" 页 共 ");
        field("text:page-count");
        out_.insertText(" 页");
        out_.closeSpan();
        out_.closeParagraph();
        out_.closeTableCell();
        out_.closeTableRow();
        out_.closeTable();
    }

    librevenge::RVNGPropertyList cellProperties(int spanned, bool ruled)
    {
        librevenge::RVNGPropertyList cell;
        if (ruled)
            cell.insert("fo:border", "0.2mm solid #000000");
        cell.insert("fo:padding", inchesFromMm(0.8));
        if (spanned > 1)
            cell.insert("table:number-columns-spanned", spanned);
        return cell;
    }

    static librevenge::RVNGPropertyList centred()
    {
        librevenge::RVNGPropertyList paragraph;
        paragraph.insert("fo:text-align", "center");
        return paragraph;
    }

    void titleCell(const QString& text, const QTextCharFormat& format, int spanned = 1, bool label = false)
    {
        out_.openTableCell(cellProperties(spanned, true));
        out_.openParagraph(label ? centred() : librevenge::RVNGPropertyList());
        span(text, format);
        out_.closeParagraph();
        out_.closeTableCell();
        for (int i = 1; i < spanned; ++i)
            out_.insertCoveredTableCell(librevenge::RVNGPropertyList());
    }

    void field(const char* type)
    {
        librevenge::RVNGPropertyList field;
        field.insert("librevenge:field-type", type);
        field.insert("style:num-format", "1");
        out_.insertField(field);
    }

    void span(const QString& text, const QTextCharFormat& format)
    {
        if (text.isEmpty())
            return;
        out_.openSpan(spanProperties(format, doc_.defaultFont()));
        out_.insertText(rvng(text));
        out_.closeSpan();
    }

    void writeFrame(const QTextFrame& frame)
    {
        for (auto it = frame.begin(); !it.atEnd(); ++it) {
            if (const QTextFrame* child = it.currentFrame()) {
                if (const auto* table = qobject_cast<const QTextTable*>(child))
                    writeTable(*table);
                else
                    writeFrame(*child);
            } else {
                writeBlock(it.currentBlock());
            }
        }
    }

    void writeBlock(const QTextBlock& block)
    {
        const QTextBlockFormat format = block.blockFormat();
        librevenge::RVNGPropertyList paragraph;
        if (format.alignment() & Qt::AlignHCenter)
            paragraph.insert("fo:text-align", "center");
        else if (format.alignment() & Qt::AlignRight)
            paragraph.insert("fo:text-align", "end");
        paragraph.insert("fo:margin-top", inches(format.topMargin()));
        paragraph.insert("fo:margin-bottom", inches(format.bottomMargin()));
        paragraph.insert("fo:margin-left", inches(format.leftMargin()));
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            paragraph.insert("fo:break-before", "page");
        const int level = format.headingLevel();
        if (level > 0) {
            paragraph.insert("text:outline-level", level);
            paragraph.insert("fo:keep-with-next", "always");
        }
        out_.openParagraph(paragraph);
        if (level == 1) {
            librevenge::RVNGPropertyList bookmark;
            bookmark.insert("librevenge:field-type", "text:bookmark");
            out_.insertField(bookmark);
            sections_.push_back(block.text());
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat chars = fragment.charFormat();
            if (chars.isImageFormat())
                writeImage(chars.toImageFormat());
            else
                span(fragment.text(), chars);
        }
        out_.closeParagraph();
    }

    // A drawing as SVG, its lines and texts kept as lines and texts; any other picture as PNG.
    void writeImage(const QTextImageFormat& format)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const char* mimeType = "image/svg+xml";
        {
            const QSizeF size(format.width(), format.height());
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setResolution(qRound(documentDpi()));
            svg.setSize(size.toSize());
            svg.setViewBox(QRectF(QPointF(0, 0), size));
            QPainter painter(&svg);
            if (!VectorPictures::paintShapes(painter, QRectF(QPointF(0, 0), size), doc_, format.name())) {
                painter.end();
                bytes.clear();
            }
        }
        if (bytes.isEmpty()) {
            const QImage image = doc_.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
            if (image.isNull())
                return;
            buffer.seek(0);
            image.save(&buffer, "PNG");
            mimeType = "image/png";
        }
        librevenge::RVNGPropertyList frame;
        frame.insert("svg:width", inches(format.width()));
        frame.insert("svg:height", inches(format.height()));
        frame.insert("text:anchor-type", "as-char");
        frame.insert("style:vertical-rel", "baseline");
        frame.insert("style:vertical-pos", "top");
        out_.openFrame(frame);
        librevenge::RVNGPropertyList object;
        object.insert("librevenge:mime-type", mimeType);
        object.insert("office:binary-data",
                      librevenge::RVNGBinaryData(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                                 static_cast<unsigned long>(bytes.size())));
        out_.insertBinaryObject(object);
        out_.closeFrame();
    }

    void writeTable(const QTextTable& table)
    {
        const QTextTableFormat format = table.format();
        if (format.property(kContentsProperty).toBool()) {
            // The word processor's own contents list, in a paragraph of its own.
            out_.openParagraph(librevenge::RVNGPropertyList());
            out_.insertText(kContentsMarker);
            out_.closeParagraph();
            return;
        }
        const double width = inchesFromMm(kBodyMm.width());
        librevenge::RVNGPropertyList properties;
        librevenge::RVNGPropertyListVector columns;
        for (const QTextLength& length : format.columnWidthConstraints()) {
            librevenge::RVNGPropertyList column;
            column.insert("style:column-width", width * length.rawValue() / 100);
            columns.append(column);
        }
        properties.insert("librevenge:table-columns", columns);
        properties.insert("style:width", width);
        properties.insert("fo:margin-top", inches(format.topMargin()));
        properties.insert("fo:margin-bottom", inches(format.bottomMargin()));
        out_.openTable(properties);
        const bool ruled = format.border() > 0;
        for (int r = 0; r < table.rows(); ++r) {
            librevenge::RVNGPropertyList row;
            if (r < format.headerRowCount())
                row.insert("librevenge:is-header-row", true);
            out_.openTableRow(row);
            for (int c = 0; c < table.columns();) {
                const QTextTableCell cell = table.cellAt(r, c);
                const int spanned = std::max(1, cell.columnSpan());
                librevenge::RVNGPropertyList properties = cellProperties(spanned, ruled);
                const QBrush background = cell.format().background();
                if (background.style() != Qt::NoBrush)
                    properties.insert("fo:background-color", rvng(background.color().name()));
                out_.openTableCell(properties);
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (!it.currentFrame())
                        writeBlock(it.currentBlock());
                }
                out_.closeTableCell();
                for (int k = 1; k < spanned; ++k)
                    out_.insertCoveredTableCell(librevenge::RVNGPropertyList());
                c += spanned;
            }
            out_.closeTableRow();
        }
        out_.closeTable();
    }

public:
    // The contents list: one entry per section, its page a reference to the section's
    // bookmark, which the word processor works out as it lays the document out.
    QByteArray contents() const
    {
        QByteArray entries;
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            entries += "<text:p text:style-name=\"InletContents\">" + escaped(sections_[i].toUtf8())
                       + "<text:tab/><text:bookmark-ref text:reference-format=\"page\" text:ref-name=\""
                       + headingBookmark(static_cast<int>(i) + 1) + "\">" + QByteArray::number(pages_.value(int(i)))
                       + "</text:bookmark-ref></text:p>";
        }
        return "<text:table-of-content text:name=\"目录\" text:protected=\"false\">"
               "<text:table-of-content-source text:outline-level=\"1\" text:use-index-marks=\"false\">"
               "<text:index-title-template/>"
               "<text:table-of-content-entry-template text:outline-level=\"1\" text:style-name=\"InletContents\">"
               "<text:index-entry-text/><text:index-entry-tab-stop style:type=\"right\" style:leader-char=\".\"/>"
               "<text:index-entry-page-number/></text:table-of-content-entry-template>"
               "</text:table-of-content-source><text:index-body>"
            + entries + "</text:index-body></text:table-of-content>";
    }
    void setPages(QList<int> pages) { pages_ = std::move(pages); }

private:
    const SheetDocument& sheet_;
    const QTextDocument& doc_;
    OdtGenerator& out_;
    std::vector<QString> sections_;
    QList<int> pages_;
};

}  // namespace

QByteArray sheetOdtDocument(const SheetDocument& sheet)
{
    OdtGenerator generator;
    OdtWriter writer(sheet, generator);
    writer.setPages(sheet.sectionPages());
    XmlStream content([&writer] { return writer.contents(); });
    XmlStream styles, meta;
    generator.addDocumentHandler(&content, ODF_CONTENT_XML);
    generator.addDocumentHandler(&styles, ODF_STYLES_XML);
    generator.addDocumentHandler(&meta, ODF_META_XML);
    writer.write();
    if (content.xml.isEmpty() || styles.xml.isEmpty())
        return {};
    const QByteArray manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
        "manifest:version=\"1.2\">"
        "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
        "manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>"
        "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"styles.xml\" manifest:media-type=\"text/xml\"/>"
        "<manifest:file-entry manifest:full-path=\"meta.xml\" manifest:media-type=\"text/xml\"/>"
        "</manifest:manifest>";
    return odfPackage("application/vnd.oasis.opendocument.text",
                      {{QStringLiteral("content.xml"), content.xml},
                       {QStringLiteral("styles.xml"), styles.xml},
                       {QStringLiteral("meta.xml"), meta.xml},
                       {QStringLiteral("META-INF/manifest.xml"), manifest}});
}

}  // namespace inlet
