#pragma once

// Appends headings, paragraphs, tables and pictures to a QTextDocument in the sheet's
// formats, and remembers the sections for the contents list.

#include "drawing/Shapes.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace inlet {

// Marks the contents list's table, which a word processor's file replaces with its own
// contents that it updates.
inline constexpr int kContentsProperty = QTextFormat::UserProperty + 1;

class TextWriter {
public:
    struct Section {
        QString title;     // "1 给定参数"
        QTextBlock block;  // its heading
    };

    explicit TextWriter(QTextDocument& document);

    // Starts the next paragraph on a new page.
    void newPage() { newPage_ = true; }

    // A numbered section ("1 给定参数"), listed in the contents, or a subsection ("2.1 ...");
    // their blocks carry heading levels 1 and 2.
    void section(const QString& title);
    void subsection(const QString& title);
    // A paragraph of text, optionally indented by `indentMm`.
    void paragraph(const QString& text, double indentMm = 0);
    // A paragraph in the given format and alignment, `spaceMm` above it.
    void paragraph(const QString& text, const QTextCharFormat& format, Qt::Alignment alignment,
                   double spaceMm = 0);
    // A table whose first row is its header, repeated on every page it runs over; the columns
    // take the given shares of the body's width (in per cent). `alignRight` lists the columns
    // whose cells are right-aligned. A row of one cell spans the whole table (a group title).
    // `paddingMm` is the room around a cell's text.
    void table(const std::vector<double>& widths, const QStringList& header,
               const std::vector<QStringList>& rows, const std::vector<int>& alignRight = {},
               double paddingMm = 0.8);
    // A table without rules, for the cover's lines and the contents list.
    QTextTable* plainTable(int rows, const std::vector<double>& widths);
    // Marks the end of the current paragraph as the place of the contents list.
    void contentsHere() { contentsBlock_ = cursor_.block(); }
    // Puts the contents list at its place once every section is written: one row per section,
    // its title and an empty cell for its page.
    QTextTable* writeContents();
    // A picture printed `widthMm` wide, centred on its own line; `name` must be unique.
    void picture(const QString& name, const QImage& image, double widthMm);
    // A picture painted from the drawing's shapes at `widthMm` wide, its height in proportion
    // (see VectorPictures).
    void picture(const QString& name, const Drawing& drawing, double widthMm);
    // Where the next text goes.
    QTextCursor& cursor() { return cursor_; }

    const std::vector<Section>& sections() const { return sections_; }
    // Every section's and subsection's heading.
    const std::vector<QTextBlock>& headings() const { return headings_; }

private:
    void markHeading(int level);
    void startBlock(Qt::Alignment alignment, double spaceAboveMm, double indentMm = 0);
    QTextTable* insertTable(int rows, const std::vector<double>& widths, bool ruled, double paddingMm = 0.8);

    QTextDocument& document_;
    QTextCursor cursor_;
    bool reuseBlock_ = true;  // the document's first block, or the empty one after a table
    bool newPage_ = false;
    std::vector<Section> sections_;
    std::vector<QTextBlock> headings_;
    QTextBlock contentsBlock_;
};

// Writes `text` into a cell of `table`, replacing what it held.
void setCellText(QTextTable& table, int row, int column, const QString& text, const QTextCharFormat& format,
                 Qt::Alignment alignment = Qt::AlignLeft);

}  // namespace inlet
