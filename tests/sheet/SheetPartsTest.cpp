// The parts the sheet is made of: the captions, the values taken from the texts, the drawing
// scale and the scale bar.

#include "boxes/BoxCaption.h"
#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "drawing/DrawingScale.h"
#include "calc/ResultText.h"
#include "sheet/ScaleBarPicture.h"
#include "sheet/ValueUsed.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>

namespace inlet::test {
namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The text of every label of the window's form, by the label's name.
std::map<QString, QString> windowLabels()
{
    QFile form(QStringLiteral(INLET_WINDOW_FORM));
    if (!form.open(QIODevice::ReadOnly))
        return {};
    std::map<QString, QString> labels;
    QXmlStreamReader xml(&form);
    QString label;
    bool inText = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("widget")) {
            label = xml.attributes().value(QLatin1String("class")) == QLatin1String("QLabel")
                        ? xml.attributes().value(QLatin1String("name")).toString()
                        : QString();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("property")) {
            inText = xml.attributes().value(QLatin1String("name")) == QLatin1String("text");
        } else if (xml.isStartElement() && xml.name() == QLatin1String("string") && inText && !label.isEmpty()) {
            labels[label] = xml.readElementText();
            inText = false;
        }
    }
    return labels;
}

TEST(BoxCaption, IsTheCaptionOfTheWindowsLabel)
{
    const std::map<QString, QString> labels = windowLabels();
    ASSERT_EQ(labels.size(), 41u) << "the labels of " << INLET_WINDOW_FORM;
    QSet<QString> texts;
    for (const auto& [name, text] : labels)
        texts.insert(text);
    for (const BoxInfo& info : boxTable()) {
        const QString caption = qs(boxCaption(info.box));
        const QString symbol = info.symbol == "theta" ? QStringLiteral("θ") : qs(info.symbol);
        if (info.box == Box::Text23)
            EXPECT_EQ(caption, labels.at(QStringLiteral("Label25")) + labels.at(QStringLiteral("Label26")));
        else
            EXPECT_TRUE(texts.contains(caption)) << info.name << ": " << caption.toStdString();
        EXPECT_TRUE(caption.contains(symbol)) << info.name << ": " << caption.toStdString() << " lacks " << info.symbol;
        EXPECT_FALSE(boxUnit(info.box).empty()) << info.name;
    }
}

// The value a complete run took from each read box, against the one the sheet states.
TEST(ValueUsed, IsTheValueTheRunTook)
{
    const NumberLocale locale{".", ","};
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000.7");
    boxes.type(Box::Text11, "1300.3");
    boxes.type(Box::Text34, "700.1");
    boxes.type(Box::Text3, "2 200abc");
    const Calculation c = runCalculation(boxes, locale);
    const struct {
        Box box;
        double taken;
    } reads[] = {
        {Box::Text3, c.in.D0}, {Box::Text9, c.in.H0}, {Box::Text10, c.in.H1}, {Box::Text11, c.in.H2},
        {Box::Text35, c.in.D1}, {Box::Text34, c.in.dd0}, {Box::Text21, c.in.hk}, {Box::Text1, c.in.D},
    };
    for (const auto& read : reads) {
        const ValueUsed used = valueUsed(read.box, boxes.text(read.box), locale);
        EXPECT_EQ(used.value.toStdString(), generalText(read.taken, locale))
            << boxName(read.box) << " holding '" << boxes.text(read.box) << "'";
    }
    // H2 as the single nearest to 1300.3, 1300.300048828125.
    EXPECT_EQ(valueUsed(Box::Text11, "1300.3", locale).value.toStdString(), "1300.30004882813");
    EXPECT_EQ(valueUsed(Box::Text3, "2 200abc", locale).value.toStdString(), "2200");
}

TEST(ValueUsed, AnglesAsReadInDegrees)
{
    const NumberLocale locale{".", ","};
    EXPECT_EQ(valueUsed(Box::Text4, "7.5°", locale).value.toStdString(), "7.5");
    EXPECT_EQ(valueUsed(Box::Text22, "50,5", locale).value.toStdString(), "50");
}

TEST(ValueUsed, Dd0InTheUsersLocale)
{
    const NumberLocale comma{",", "."};
    const ValueUsed used = valueUsed(Box::Text34, "700,1", comma);
    EXPECT_EQ(used.value.toStdString(), "700,099975585938");
    const ValueUsed refused = valueUsed(Box::Text34, "700.1x", comma);
    EXPECT_EQ(refused.value.toStdString(), "—");
    EXPECT_TRUE(refused.remark.contains(QStringLiteral("不是数值"))) << refused.remark.toStdString();
}

TEST(ValueUsed, NoneForBoxesTheCalculationDoesNotRead)
{
    const NumberLocale locale{".", ","};
    for (const Box box : {Box::Text7, Box::Text8}) {
        const ValueUsed used = valueUsed(box, "2205", locale);
        EXPECT_EQ(used.value.toStdString(), "—") << boxName(box);
        EXPECT_TRUE(used.remark.contains(QStringLiteral("不参与计算"))) << boxName(box);
    }
    // Ds and Q enter no formula, but the checks read them.
    const ValueUsed q = valueUsed(Box::Text12, "15", locale);
    EXPECT_EQ(q.value.toStdString(), "15");
    EXPECT_TRUE(q.remark.contains(QStringLiteral("流速"))) << q.remark.toStdString();
    const ValueUsed ds = valueUsed(Box::Text2, "2205 mm", locale);
    EXPECT_EQ(ds.value.toStdString(), "2205");
    EXPECT_TRUE(ds.remark.contains(QStringLiteral("锥管顶部直径"))) << ds.remark.toStdString();
}

TEST(ValueUsed, TextBeyondTheRangeIsNotRead)
{
    const NumberLocale locale{".", ","};
    const ValueUsed h2 = valueUsed(Box::Text11, "1e39", locale);
    EXPECT_EQ(h2.value.toStdString(), "—");
    EXPECT_TRUE(h2.remark.contains(QStringLiteral("单精度"))) << h2.remark.toStdString();
    EXPECT_EQ(valueUsed(Box::Text9, "1e400", locale).value.toStdString(), "—");
}

TEST(DrawingScale, LargestOfTheSeriesThatFits)
{
    const struct {
        Extent extent;
        double scale;
    } cases[] = {
        {{0, 0, 7500, 3800}, 50},      // the section of the defaults with hk 2000
        {{0, 0, 8000, 4400}, 50},      // exactly 160 by 88 mm at 1:50
        {{0, 0, 8001, 100}, 100},
        {{0, 0, 100, 4401}, 100},
        {{-3000, -2000, 3000, 2000}, 50},
        {{0, 0, 350, 100}, 2.5},
        {{0, 0, 100, 50}, 1},
        {{0, 0, 3e6, 10}, 20000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(drawingScale(c.extent, 160, 88), c.scale)
            << c.extent.width() << " by " << c.extent.height() << " mm into 160 by 88 mm";
}

TEST(DrawingScale, NoneForAnEmptyOrInfiniteView)
{
    EXPECT_EQ(drawingScale({0, 0, 0, 100}, 160, 88), 0);
    EXPECT_EQ(drawingScale({0, 0, INFINITY, 100}, 160, 88), 0);
    EXPECT_EQ(drawingScale({0, 0, NAN, 100}, 160, 88), 0);
}

TEST(ScaleBarPicture, RoundSegmentsOfAtMostTheLengthGiven)
{
    // 1:50, at most 80 mm of paper (4 m): a bar of 2 m, 40 mm of paper, in four parts of
    // 10 mm, black and white in turn, starting 7 mm in (2 mm margin and a text height).
    const QImage bar = scaleBarPicture(50, 254, 80);  // 10 pixels to the millimetre
    const int y = bar.height() - 20 - 5;          // inside the bar, above the margin
    EXPECT_EQ(bar.pixelColor(70 + 50, y), QColor(Qt::black)) << "first part";
    EXPECT_EQ(bar.pixelColor(70 + 150, y), QColor(Qt::white)) << "second part";
    EXPECT_EQ(bar.pixelColor(70 + 250, y), QColor(Qt::black)) << "third part";
    EXPECT_EQ(bar.pixelColor(70 + 450, y), QColor(Qt::white)) << "beyond the bar's 2 m";
}

}  // namespace
}  // namespace inlet::test
