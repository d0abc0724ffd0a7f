#pragma once

// The calculation sheet (计算书) as one QTextDocument, laid out in pages of the A4 body: what
// is printed, previewed, written as PDF and as ODT. The title block and the footer are not
// part of the document: paintSheet() draws them on every page. Needs a QGuiApplication (for
// the fonts).

#include "sheet/SheetInput.h"

#include <QList>
#include <QString>
#include <QTextDocument>

#include <memory>

namespace inlet {

class VectorPictures;

class SheetDocument {
public:
    // The most pages a sheet has: a longer one (pages of notes) is refused.
    static constexpr int kMostPages = 100;

    // Throws a Failure (SheetTooLong) where the sheet would run past kMostPages.
    explicit SheetDocument(const SheetInput& input);
    ~SheetDocument();
    SheetDocument(const SheetDocument&) = delete;
    SheetDocument& operator=(const SheetDocument&) = delete;

    QTextDocument& document() const { return *document_; }
    int pageCount() const { return document_->pageCount(); }

    // What the title block of every page shows.
    const QString& project() const { return project_; }
    const QString& stage() const { return stage_; }
    // The program that calculated the sheet, for the PDF's creator: "inlet 1.00".
    const QString& program() const { return program_; }
    // The same as the cover and the footer name it: "进水流道设计计算 1.00".
    const QString& programShown() const { return programShown_; }
    // The sheet's title, for the PDF's metadata.
    QString title() const;
    // The page each section starts on, counted from 1, as the contents list gives it.
    const QList<int>& sectionPages() const { return sectionPages_; }

private:
    std::unique_ptr<VectorPictures> pictures_;  // outlives the document, which paints with it
    std::unique_ptr<QTextDocument> document_;
    QString project_;
    QString stage_;
    QString program_;
    QString programShown_;
    QList<int> sectionPages_;
};

}  // namespace inlet
