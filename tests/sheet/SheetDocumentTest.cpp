// The sheet as a document: what it holds for a completed and a failed run, its contents list,
// its faces, and the files written from it.

#include "boxes/BoxTexts.h"
#include "run/Progress.h"
#include "sheet/SheetDocument.h"
#include "sheet/SheetFiles.h"
#include "sheet/SheetInput.h"
#include "sheet/SheetPainter.h"
#include "sheet/SheetSections.h"
#include "sheet/SheetStyle.h"
#include "sheet/VectorPictures.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QPdfWriter>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextTable>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace inlet::test {
namespace {

const NumberLocale kPoint{".", ","};

Design designWith(std::initializer_list<std::pair<Box, const char*>> texts)
{
    Design design = defaultDesign();
    design.info.project = QStringLiteral("某泵站更新改造工程");
    design.info.stage = QStringLiteral("初步设计");
    design.info.designer = QStringLiteral("张三");
    design.info.checker = QStringLiteral("李四");
    design.info.date = QStringLiteral("2026-12-07");
    design.info.notes = QStringLiteral("进水流道按单机单流道布置。");
    for (const auto& [box, text] : texts)
        design.texts[box] = QString::fromUtf8(text);
    return design;
}

SheetInput hk2000(bool drawings = true)
{
    return sheetInputFor(designWith({{Box::Text21, "2000"}}), kPoint, drawings);
}

QString plainText(const SheetDocument& sheet) { return sheet.document().toPlainText(); }

// The headings of the document outside any table, by their text.
QTextBlock headingBlock(const QTextDocument& document, const QString& title)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        if (b.text() == title && !QTextCursor(b).currentTable())
            return b;
    return {};
}

// The page of a block's first line, counted from 1.
int pageOf(const QTextDocument& document, const QTextBlock& block)
{
    const QRectF rect = document.documentLayout()->blockBoundingRect(block);
    const double middle = rect.top() + block.layout()->lineAt(0).height() / 2;
    return static_cast<int>(std::floor(middle / document.pageSize().height())) + 1;
}

TEST(SheetDocument, ContentsListEverySectionAtItsPage)
{
    const SheetDocument sheet(hk2000());
    const QTextDocument& document = sheet.document();
    const QTextBlock heading = headingBlock(document, QStringLiteral("目  录"));
    ASSERT_TRUE(heading.isValid());
    QTextTable* contents = QTextCursor(heading.next()).currentTable();
    ASSERT_NE(contents, nullptr) << "no table after the contents heading";
    QStringList titles;
    for (int r = 0; r < contents->rows(); ++r) {
        const QString title = contents->cellAt(r, 0).firstCursorPosition().block().text();
        const QString page = contents->cellAt(r, 1).firstCursorPosition().block().text();
        const QTextBlock section = headingBlock(document, title);
        ASSERT_TRUE(section.isValid()) << title.toStdString();
        EXPECT_EQ(page.toInt(), pageOf(document, section)) << title.toStdString();
        titles << title;
    }
    EXPECT_EQ(titles, (QStringList{"1 计算目的", "2 计算依据", "3 基本资料", "4 计算过程", "5 计算结果", "6 结论", "7 型线图",
                                   "附录 A 输入的读取、精度与结果的显示", "附录 B 放样坐标表"}));
    EXPECT_GE(sheet.pageCount(), 6);
}

// A heading is not left alone at the foot of a page: the text after it starts on its page.
TEST(SheetDocument, EveryHeadingHasTextAfterItOnItsPage)
{
    const SheetDocument sheet(hk2000());
    const QTextDocument& document = sheet.document();
    int headings = 0;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QTextCharFormat format = b.begin().atEnd() ? QTextCharFormat() : b.begin().fragment().charFormat();
        const bool heading = !QTextCursor(b).currentTable() && format.fontWeight() == QFont::Bold
                             && format.fontPointSize() >= 12 && b.text().front().isDigit();
        if (!heading)
            continue;
        ++headings;
        QTextBlock next = b.next();
        while (next.isValid() && next.text().isEmpty())
            next = next.next();
        ASSERT_TRUE(next.isValid()) << b.text().toStdString();
        EXPECT_EQ(pageOf(document, b), pageOf(document, next))
            << b.text().toStdString() << " is followed by " << next.text().toStdString();
    }
    EXPECT_EQ(headings, 28);  // seven sections, 21 subsections (the section, the plan, 12 stations)
}

// Every character the sheet writes is in the face it asks for, so that the PDF embeds that
// face and no substitute.
TEST(SheetDocument, EveryCharacterIsInItsFace)
{
    const SheetDocument sheet(hk2000());
    for (QTextBlock b = sheet.document().begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QFont font = fragment.charFormat().font();
            const QRawFont raw = QRawFont::fromFont(font);
            ASSERT_TRUE(raw.isValid()) << font.family().toStdString();
            EXPECT_EQ(raw.familyName(), font.families().value(0)) << fragment.text().toStdString();
            for (const char32_t c : fragment.text().toUcs4()) {
                if (c == QChar::ObjectReplacementCharacter)
                    continue;  // a picture
                EXPECT_TRUE(raw.supportsCharacter(c))
                    << "U+" << std::hex << static_cast<unsigned>(c) << " in '" << fragment.text().toStdString()
                    << "' (" << raw.familyName().toStdString() << ")";
            }
        }
    }
    const QRawFont painted = QRawFont::fromFont(paintFont(9));
    const QString onEveryPage = calculationContent() + QStringLiteral("书工程名称设计阶段计算内容计算软件：第 1 页 共 9 页");
    for (const char32_t c : onEveryPage.toUcs4())
        EXPECT_TRUE(painted.supportsCharacter(c)) << "U+" << std::hex << static_cast<unsigned>(c);
}

// Each view is printed at the scale stated under it, in the same picture (a page never parts
// them): its picture's paper width at that scale is the width its shapes cover.
TEST(SheetDocument, PrintsEachViewAtTheScaleItStates)
{
    const SheetDocument sheet(hk2000());
    int views = 0;
    for (QTextBlock b = sheet.document().begin(); b.isValid(); b = b.next()) {
        // An empty block has no fragment: asking its end for one reads past the block.
        if (b.begin().atEnd())
            continue;
        const QTextImageFormat picture = b.begin().fragment().charFormat().toImageFormat();
        const std::optional<double> scale = VectorPictures::statedScale(sheet.document(), picture.name());
        if (!picture.isValid() || !scale)
            continue;
        const std::optional<Drawing> shapes = VectorPictures::shapes(sheet.document(), picture.name());
        ASSERT_TRUE(shapes) << picture.name().toStdString();
        EXPECT_NEAR(picture.width() / fromMm(1) * *scale / shapes->extent.width(), 1, 1e-9)
            << picture.name().toStdString();
        ++views;
    }
    EXPECT_EQ(views, 14) << "the section, the plan and twelve stations";
}

// Pages and pages of notes: refused with the page count, before anything is painted.
TEST(SheetDocument, RefusesToRunPastItsMostPages)
{
    Design design = designWith({{Box::Text21, "2000"}});
    design.info.notes = QStringLiteral("备注\n").repeated(3000);
    try {
        const SheetDocument sheet(sheetInputFor(design, kPoint));
        ADD_FAILURE() << "a sheet of " << sheet.pageCount() << " pages";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind, Failure::Kind::SheetTooLong);
        EXPECT_GT(f.number, SheetDocument::kMostPages);
    }
}

TEST(SheetDocument, NoDrawingsWhenNotAsked)
{
    const SheetDocument sheet(hk2000(false));
    EXPECT_FALSE(plainText(sheet).contains(QStringLiteral("7 型线图")));
    EXPECT_TRUE(plainText(sheet).contains(QStringLiteral("6 结论")));
}

// A settled flow kept with the design is its own section while it was computed for the texts
// the flow is computed from (whatever the result boxes hold); a flow of other inputs is named as
// such in that section, its figures not shown as this design's.
TEST(SheetDocument, FlowSectionShowsTheDesignsFlowAndNamesAnotherInputsFlow)
{
    Design design = designWith({{Box::Text21, "2000"}});
    QJsonObject texts;
    for (const auto& [box, text] : design.texts)
        texts[QString::fromUtf8(boxInfo(box).symbol.data(), static_cast<qsizetype>(boxInfo(box).symbol.size()))] = text;
    texts[QStringLiteral("B")] = QString();  // as inlet-calc records it, before the run fills B
    const QJsonObject section{{"name", "pump_inlet"}, {"Vu", 91.7}, {"theta", 83.6}, {"headLoss", 0.0532}, {"flow", 15.0}};
    const QJsonObject result{{"status", "settled"}, {"cells", 123456}, {"iterations", 340}, {"sections", QJsonArray{section}}};
    design.flow = QJsonObject{{"texts", texts}, {"result", result}};
    design.texts[Box::Text6] = QStringLiteral("6355");
    const QString text = plainText(SheetDocument(sheetInputFor(design, kPoint, true)));
    EXPECT_TRUE(text.contains(QStringLiteral("8 水力评价")));
    EXPECT_TRUE(text.contains(QStringLiteral("91.7")));
    EXPECT_TRUE(text.contains(QStringLiteral("0.0532")));
    EXPECT_FALSE(text.contains(QStringLiteral("另一组输入参数")));

    // Until now the section was left out without a word where hk had changed.
    design.texts[Box::Text21] = QStringLiteral("2100");
    const QString other = plainText(SheetDocument(sheetInputFor(design, kPoint, true)));
    EXPECT_TRUE(other.contains(QStringLiteral("8 水力评价")));
    EXPECT_TRUE(other.contains(QStringLiteral("属于另一组输入参数（hk 由 “2000” 改为 “2100”）"))) << other.toStdString();
    EXPECT_FALSE(other.contains(QStringLiteral("0.0532")));
}

TEST(SheetDocument, FailedRunShowsTheResultsReachedAndTheFailure)
{
    const SheetInput input = sheetInputFor(designWith({}), kPoint, true);
    ASSERT_FALSE(input.calculation());
    const SheetDocument sheet(input);
    const QString text = plainText(sheet);
    EXPECT_TRUE(text.contains(QStringLiteral("除数为零：计算φ=30°时蜗壳宽度a30时出错"))) << text.toStdString();
    for (const char* reached : {"0400", "0700", "1150", "0225", "1421"})
        EXPECT_TRUE(text.contains(QLatin1String(reached))) << reached;
    // Text5 still holds the fresh window's 2700, which this run did not write.
    for (const char* notReached : {"6355", "2700"})
        EXPECT_FALSE(text.contains(QString::fromUtf8(notReached))) << notReached;
    for (const char* section : {"4.5 蜗壳断面形状", "6.1 设计校核警告", "7 型线图"})
        EXPECT_FALSE(headingBlock(sheet.document(), QString::fromUtf8(section)).isValid()) << section;
    EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("临界面积 Ft = \\d"))));
    EXPECT_TRUE(input.checks().empty());
}

// The station table and the drawings with each width set: both sets where they differ, which
// set the drawings use, and no other width where no section of the assumed shape exists.
TEST(SheetDocument, SaysWhichWidthsItDrawsAndOffersNoneWithoutASection)
{
    const struct {
        const char* name;
        const char* hk;
        WidthSet set;
        std::vector<const char*> holds;
        std::vector<const char*> lacks;
    } rows[] = {
        {"hk 2000, computed", "2000", WidthSet::Computed, {"面积一致宽度 (mm)", "按计算宽度（即 5 计算结果中的宽度）绘制"},
         {"按面积一致宽度绘制"}},
        {"hk 2000, area-true", "2000", WidthSet::AreaTrue, {"面积一致宽度 (mm)", "按面积一致宽度绘制"}, {}},
        {"hk 1000", "1000", WidthSet::AreaTrue, {"不存在计算式所设形状的蜗壳断面"},
         {"面积一致宽度 (mm)", "F* =", "按线性式宽度为"}},
    };
    for (const auto& row : rows) {
        Design design = designWith({{Box::Text21, row.hk}});
        design.widthSet = row.set;
        const QString text = plainText(SheetDocument(sheetInputFor(design, kPoint, true)));
        for (const char* words : row.holds)
            EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << row.name << " lacks " << words;
        for (const char* words : row.lacks)
            EXPECT_FALSE(text.contains(QString::fromUtf8(words))) << row.name << " holds " << words;
    }
}

TEST(SheetDocument, TheBoxesTheWindowShows)
{
    // The window's own boxes after a failure: results not reached are empty there.
    BoxTexts boxes;
    boxes.type(Box::Text21, "");
    boxes.setText(Box::Text13, "0400");
    Failure overflow{.kind = Failure::Kind::Overflow};
    overflow.quantity = Quantity::a2;
    const SheetInput input =
        sheetInputFrom(std::make_shared<const RunRecord>(
                           recordRun(boxes, {Box::Text13}, std::nullopt, overflow, WidthSet::Computed, kPoint)),
                       DesignInfo{});
    const QString text = plainText(SheetDocument(input));
    EXPECT_TRUE(text.contains(QStringLiteral("溢出：计算导水锥短轴半径a2时出错")));
    EXPECT_TRUE(text.contains(QStringLiteral("0400")));
    EXPECT_FALSE(text.contains(QStringLiteral("2700")));
}

TEST(SheetPainter, PaintsEveryPageOnAPdfWriter)
{
    const SheetDocument sheet(hk2000());
    const QByteArray pdf = sheetPdf(sheet);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n"), sheet.pageCount());
}

TEST(SheetFiles, UnwritableTargetLeavesNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const SheetInput input = hk2000();
    const QString missing = dir.filePath(QStringLiteral("missing/sheet.pdf"));
    for (const QString& target : {missing, dir.path()}) {
        for (const bool pdf : {true, false}) {
            try {
                pdf ? writePdf(input, target) : writeOdt(input, target);
                ADD_FAILURE() << "written: " << target.toStdString();
            } catch (const Failure& f) {
                EXPECT_EQ(f.file, QDir::toNativeSeparators(target).toStdString());
            }
        }
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(SheetFiles, StoppedWhileBeingPaintedLeavesTheOlderFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older sheet");
    old.close();
    int pages = 0;
    const ProgressWatch stopAtTheSecondPage([&](int done, int total) {
        pages = total;
        return done < 1;
    });
    try {
        writePdf(hk2000(), path);
        ADD_FAILURE() << "written whole";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind, Failure::Kind::Cancelled);
    }
    EXPECT_GT(pages, 1);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("an older sheet"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"sheet.pdf"});
}

TEST(SheetFiles, ReplacesAnOlderFileWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.odt"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older sheet");
    old.close();
    ASSERT_NO_THROW(writeOdt(hk2000(), path));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("PK")) << "an ODT is a zip";
    EXPECT_TRUE(bytes.contains("application/vnd.oasis.opendocument.text"));
}

}  // namespace
}  // namespace inlet::test
