// The whole sheet written to SVG and PNG files: what the files hold, the format chosen by the
// extension, and failures that name the file and leave nothing behind.

#include "export/ExportRegistry.h"
#include "InletFeatures.h"
#include "messages/Failure.h"
#include "outputmodule/OutputModule.h"
#include "render/PngFile.h"
#include "render/ViewPicture.h"
#include "tests/ui/Hk2000.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace inlet::test {
namespace {

class DrawingExport : public testing::Test {
protected:
    QTemporaryDir folder;
    Drawing drawing = hk2000Drawing();

    QString file(const QString& name) const { return folder.filePath(name); }

    // Writes the run in the drawing format of the path's extension, as the export dialog
    // does: an empty text, or the failure in English.
    static QString exportDrawing(const QString& path, const ExportChoices& choices = {})
    {
        static const ExportInput run = [] {
            Design design = defaultDesign();
            design.texts[Box::Text21] = QStringLiteral("2000");
            return exportInputFor(design, NumberLocale{".", ","});
        }();
        const ExportFormat* format = outputFormats().forPath(path, ExportKind::Drawing);
        if (!format)
            return QStringLiteral("no drawing format for ") + path;
        try {
            writeExport(*format, run, path, choices);
        } catch (const Failure& failure) {
            return QString::fromStdString(render(failure, Language::English));
        }
        return {};
    }
    QStringList filesLeft() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }
};

// What an SVG file holds: its size and view box, its title, how many of each element, and
// every text.
struct SvgContents {
    QString width, height, viewBox, title;
    std::map<QString, int> elements;
    QStringList texts;
    QString error;
};

SvgContents readSvg(const QString& path)
{
    SvgContents svg;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        svg.error = file.errorString();
        return svg;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        ++svg.elements[name];
        if (name == QLatin1String("svg")) {
            svg.width = xml.attributes().value(QLatin1String("width")).toString();
            svg.height = xml.attributes().value(QLatin1String("height")).toString();
            svg.viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
        } else if (name == QLatin1String("title")) {
            svg.title = xml.readElementText();
        } else if (name == QLatin1String("text")) {
            svg.texts << xml.readElementText();
        }
    }
    if (xml.hasError())
        svg.error = xml.errorString();
    return svg;
}

TEST_F(DrawingExport, SvgHoldsTheWholeSheetInPaperMillimetres)
{
    if (!INLET_HAS_SVG)
        GTEST_SKIP() << "this build has no Qt Svg";
    const QString path = file(QStringLiteral("型线图.svg"));
    ASSERT_EQ(exportDrawing(path).toStdString(), "");
    SvgContents svg = readSvg(path);
    ASSERT_EQ(svg.error.toStdString(), "");
    EXPECT_EQ(svg.title, QStringLiteral("型线图"));
    EXPECT_GT(svg.elements["polyline"] + svg.elements["path"], 100) << "walls, arcs and arrows";
    // A line of Greek and Chinese comes as one text element per script: "φ=40°", "断面".
    for (const char* text : {"B=6355", "hk=2000", "a40=823", "平面图", "40°", "H0=700", "±0.000", "断面"})
        EXPECT_TRUE(svg.texts.contains(QString::fromUtf8(text))) << "no text " << text;
    // The title block: the drawing's name and its scale.
    for (const char* text : {"进水流道型线图", "比例", "1:20", "A0"})
        EXPECT_TRUE(svg.texts.contains(QString::fromUtf8(text))) << text << ": " << svg.texts.join(u'|').toStdString();

    // width="1189mm" height="841mm" viewBox="0 0 1189 841": an A0 sheet
    const QRegularExpression mm(QStringLiteral("^(\\d+)mm$"));
    const auto width = mm.match(svg.width), height = mm.match(svg.height);
    ASSERT_TRUE(width.hasMatch() && height.hasMatch()) << svg.width.toStdString() << " x " << svg.height.toStdString();
    EXPECT_EQ(svg.viewBox, QStringLiteral("0 0 %1 %2").arg(width.captured(1), height.captured(1)));
    EXPECT_EQ(svg.viewBox, QStringLiteral("0 0 1189 841"));
    EXPECT_EQ(filesLeft(), QStringList{QStringLiteral("型线图.svg")}) << "a temporary file was left";
}

TEST_F(DrawingExport, PngIsAsWideAsAskedWithTheSheetsProportions)
{
    for (const int width : {800, 2001}) {
        const QString path = file(QStringLiteral("sheet-%1.png").arg(width));
        ASSERT_NO_THROW(writePng(drawing, path, width)) << width;
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << "cannot read back " << path.toStdString();
        EXPECT_EQ(image.width(), width);
        // The A0 sheet at 1:20 is 1189 x 841 mm.
        EXPECT_NEAR(double(image.height()) / image.width(), 841.0 / 1189.0, 0.01) << width;
        int dark = 0;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                dark += qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(dark, 20) << "hardly anything drawn at width " << width;
    }
}

TEST_F(DrawingExport, ChoosesTheFormatByTheExtension)
{
    if (INLET_HAS_SVG) {
        ASSERT_EQ(exportDrawing(file(QStringLiteral("a.SVG"))).toStdString(), "");
        EXPECT_EQ(readSvg(file(QStringLiteral("a.SVG"))).title, QStringLiteral("型线图"));
    } else {
        // A build without Qt Svg refuses SVG, and writes nothing.
        EXPECT_NE(exportDrawing(file(QStringLiteral("a.SVG"))).toStdString(), "");
        EXPECT_FALSE(QFile::exists(file(QStringLiteral("a.SVG"))));
    }
    ASSERT_EQ(exportDrawing(file(QStringLiteral("a.png"))).toStdString(), "");
    EXPECT_EQ(QImage(file(QStringLiteral("a.png"))).width(), 4000);
    ASSERT_EQ(exportDrawing(file(QStringLiteral("a.dxf"))).toStdString(), "");
    QFile dxf(file(QStringLiteral("a.dxf")));
    ASSERT_TRUE(dxf.open(QIODevice::ReadOnly));
    const QByteArray exact = dxf.readAll();
    EXPECT_TRUE(exact.contains("AC1021")) << "not an AutoCAD 2007 file";
    EXPECT_TRUE(exact.contains("\nSPLINE\n")) << "the profiles are not splines";
    ASSERT_EQ(exportDrawing(file(QStringLiteral("b.dxf")), {{QStringLiteral("dxf-polylines"), QStringLiteral("yes")}}).toStdString(), "");
    QFile polylines(file(QStringLiteral("b.dxf")));
    ASSERT_TRUE(polylines.open(QIODevice::ReadOnly));
    EXPECT_FALSE(polylines.readAll().contains("\nELLIPSE\n")) << "ellipses written although polylines were asked";
}

TEST_F(DrawingExport, FailuresNameTheFileAndTheReasonAndLeaveNothing)
{
    struct Row {
        QString path;
        const char* reason;  // a part of the message
    };
    const QString missing = file(QStringLiteral("no such folder/型线图"));
    std::vector<Row> rows = {
        {missing + QStringLiteral(".png"), ""},
        {missing + QStringLiteral(".dxf"), "No such file or directory"},
    };
    if (INLET_HAS_SVG)
        rows.push_back({missing + QStringLiteral(".svg"), ""});
    for (const Row& r : rows) {
        const QString message = exportDrawing(r.path);
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(r.path))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(r.reason))) << message.toStdString();
        EXPECT_FALSE(QFile::exists(r.path)) << r.path.toStdString();
    }
    EXPECT_FALSE(QDir(file(QStringLiteral("no such folder"))).exists());
    EXPECT_TRUE(filesLeft().isEmpty()) << filesLeft().join(u' ').toStdString();
}

}  // namespace
}  // namespace inlet::test

namespace inlet::test {
namespace {

// The sheet's pictures: one view, to the scale asked, at the resolution asked.
TEST_F(DrawingExport, AViewPictureIsTheViewAloneToScale)
{
    const View& section = drawing.views.front();
    const QImage picture = viewPicture(drawing, "SECTION", 50, 254);  // 10 pixels to the paper mm
    ASSERT_FALSE(picture.isNull());
    EXPECT_NEAR(picture.width(), section.extent.width() / 50 * 10 + 40, 1.5);
    EXPECT_NEAR(picture.height(), section.extent.height() / 50 * 10 + 40, 1.5);
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            dark += qGray(picture.pixel(x, y)) < 128;
    EXPECT_GT(dark, 2000) << "hardly anything drawn";
    EXPECT_TRUE(viewPicture(drawing, "NO_SUCH_VIEW", 50, 254).isNull());
    EXPECT_TRUE(viewPicture(drawing, "SECTION", 1e-6, 254).isNull()) << "an unreasonably large picture";
}

}  // namespace
}  // namespace inlet::test
