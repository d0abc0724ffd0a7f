// The chart of areas, widths and velocities as the drawing window's 面积与流速 tab shows it: at
// every size the tab takes, the texts enlarged to be read, no text's ink (a legend, a title,
// an axis figure) overlaps another's; every bracket is closed by its own kind.

#include "render/DrawingPainter.h"
#include "ui/DrawingView.h"
#include "tests/ui/Hk2000.h"
#include "checks/VoluteChart.h"
#include "drawing/WidthSets.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace inlet::test {
namespace {

struct ChartCase {
    const char* name;
    QSize view;  // the chart's view in the window, px
    WidthSet set;
};

const ChartCase kCases[] = {
    {"SmallComputed", {300, 320}, WidthSet::Computed},   // texts enlarged as far as they go
    {"SmallAreaTrue", {300, 320}, WidthSet::AreaTrue},   // the longest legend
    {"MiddleComputed", {450, 500}, WidthSet::Computed},  // enlarged about 1.4 times
    {"MiddleAreaTrue", {450, 500}, WidthSet::AreaTrue},
    {"LargeAreaTrue", {900, 1000}, WidthSet::AreaTrue},  // at their own heights
};

class ChartLegends : public testing::TestWithParam<ChartCase> {
protected:
    const Calculation run = hk2000Run();
    const Drawing chart = voluteChart(run, widthSets(run), GetParam().set, 15.0, NumberLocale{".", ","});
};

TEST_P(ChartLegends, NoTextOverlapsAnother)
{
    DrawingView view;
    view.resize(GetParam().view);
    view.setDrawing(chart);
    QImage image(GetParam().view, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawingPainter drawing(painter, view.viewTransform(), 2, 1);
    drawing.setLeastTextHeight(DrawingView::kLeastTextHeight);
    drawing.paint(chart);
    const std::vector<QRectF>& rects = drawing.textRects();
    ASSERT_GE(rects.size(), 12u) << "titles, legends and figures of three panels";
    std::vector<std::string> texts;
    for (const View& v : chart.views)
        for (const Shape& s : v.shapes)
            if (const auto* label = std::get_if<Label>(&s.geometry))
                texts.push_back(label->text);
    ASSERT_EQ(texts.size(), rects.size()) << "a text left out as too small to read";
    for (std::size_t i = 0; i < rects.size(); ++i)
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].intersects(rects[j]))
                << "\"" << texts[i] << "\" overlaps \"" << texts[j] << "\" at " << GetParam().view.width() << "×"
                << GetParam().view.height();
}

TEST_P(ChartLegends, BracketsCloseWithTheirOwnKind)
{
    for (const View& v : chart.views)
        for (const Shape& s : v.shapes)
            if (const auto* label = std::get_if<Label>(&s.geometry)) {
                const QString text = QString::fromStdString(label->text);
                EXPECT_EQ(text.count(u'（'), text.count(u'）')) << label->text;
                EXPECT_EQ(text.count(u'('), text.count(u')')) << label->text;
            }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChartLegends, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ChartCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace inlet::test
