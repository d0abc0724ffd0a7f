// The drawing painted into an image: line weights and line types per layer, dimensions with
// filled arrowheads and their values, labels at their height, views out of sight left out.

#include "render/DrawingPainter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inlet::test {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 80;

Drawing drawingOf(std::vector<Shape> shapes, Extent extent = {}, double textHeight = 10)
{
    Drawing d;
    d.views.push_back(View{"V", "", std::move(shapes), extent, {0, 0}});
    d.extent = extent;
    d.textHeight = textHeight;
    return d;
}

// Painted at one pixel to the millimetre with the model's origin at the image's bottom-left
// corner, lines 2 and 1 px wide.
QImage painted(const Drawing& drawing, double scale = 1, const QRectF& visible = QRectF(), double leastText = 0)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawingPainter drawingPainter(painter, ViewTransform(scale, {0, kHeight}), 2, 1);
    drawingPainter.setLeastTextHeight(leastText);
    drawingPainter.paint(drawing, visible);
    return image;
}

// How much black lies in a column between two rows, in pixels' worth.
double inkInColumn(const QImage& image, int x, int fromY = 0, int toY = kHeight)
{
    double ink = 0;
    for (int y = fromY; y < toY; ++y)
        ink += (255 - qGray(image.pixel(x, y))) / 255.0;
    return ink;
}

double inkInRows(const QImage& image, int fromY, int toY, int fromX = 0, int toX = kWidth)
{
    double ink = 0;
    for (int x = fromX; x < toX; ++x)
        ink += inkInColumn(image, x, fromY, toY);
    return ink;
}

// The rows that hold any ink, as [first, last]; {-1, -1} for a blank image.
std::pair<int, int> inkedRows(const QImage& image)
{
    int first = -1, last = -1;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (qGray(image.pixel(x, y)) < 160) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

const char* layerName(Layer layer)
{
    switch (layer) {
    case Layer::Outline: return "outline";
    case Layer::Centre: return "centre";
    case Layer::Hidden: return "hidden";
    case Layer::Dimension: return "dimension";
    case Layer::Text: return "text";
    case Layer::Deviation: return "deviation";
    }
    return "?";
}

TEST(DrawingPainter, DrawsEachLayerInItsWeightAndLineType)
{
    struct Row {
        Layer layer;
        double width;  // px
        bool broken;   // dashes with gaps between them
    };
    const Row rows[] = {
        {Layer::Outline, 2, false},
        {Layer::Centre, 1, true},
        {Layer::Hidden, 1, true},
        {Layer::Dimension, 1, false},
    };
    for (const Row& r : rows) {
        const QImage image = painted(drawingOf({{r.layer, Line{{10, 40}, {230, 40}}}}));
        int gaps = 0;
        for (int x = 20; x < 220; ++x) {
            const double ink = inkInColumn(image, x);
            if (ink < 0.2)
                ++gaps;
            else
                EXPECT_NEAR(ink, r.width, 0.3) << layerName(r.layer) << " line at x = " << x;
        }
        EXPECT_EQ(gaps > 0, r.broken) << layerName(r.layer) << " line has " << gaps << " blank columns";
    }
}

TEST(DrawingPainter, DimensionHasFilledArrowsExtensionLinesAndItsValueAboveTheLine)
{
    // From (20, 10) to (220, 10), the line at y = 40: device row 40; values 20 px high and
    // arrows 20 px long, 6.7 px wide at their base.
    const Dimension d{{20, 10}, {220, 10}, {120, 40}, Dimension::Direction::Horizontal, "B=6355"};
    const QImage image = painted(drawingOf({{Layer::Dimension, d}}, {}, 20));
    // 14 px from each tip an arrow is 4.7 px wide: filled, not just its two edges.
    EXPECT_GT(inkInRows(image, 36, 45, 34, 35), 4.2) << "no filled arrowhead at the start";
    EXPECT_GT(inkInRows(image, 36, 45, 206, 207), 4.2) << "no filled arrowhead at the end";
    EXPECT_NEAR(inkInRows(image, 30, 50, 60, 61), 1.0, 0.3) << "the line between the arrows";
    // The extension line runs from 5 px short of the measured point (row 70) to 10 px past the
    // dimension line, along the edge between columns 19 and 20.
    EXPECT_NEAR(inkInRows(image, 41, 66, 18, 22), 24, 1) << "the extension line down to the measured point";
    EXPECT_NEAR(inkInRows(image, 66, 80, 18, 22), 0, 0.1) << "the extension line reaches the measured point";
    EXPECT_GT(inkInRows(image, 10, 38, 60, 180), 60) << "no value above the line";
    EXPECT_EQ(inkInRows(image, 42, 80, 45, 195), 0) << "something below the line";
}

TEST(DrawingPainter, LabelsTakeTheirHeightInMillimetres)
{
    // "H": its ink is a capital's height, three quarters of the text height or so.
    const Drawing d = drawingOf({{Layer::Text, Label{{100, 20}, 20, Label::Anchor::Left, "H", "H"}}});
    const auto [top1, bottom1] = inkedRows(painted(d, 1));
    const auto [top2, bottom2] = inkedRows(painted(d, 2));
    ASSERT_GE(top1, 0) << "nothing painted at scale 1";
    ASSERT_GE(top2, 0) << "nothing painted at scale 2";
    const int height1 = bottom1 - top1 + 1;
    const int height2 = bottom2 - top2 + 1;
    EXPECT_NEAR(height1, 0.72 * 20, 3);
    EXPECT_NEAR(height2, 2 * height1, 2) << "the height did not follow the scale";
    EXPECT_EQ(bottom1, kHeight - 20 - 1) << "the baseline is not at the label's point";
}

// On the screen, text too small to read is enlarged, every text by the same factor.
TEST(DrawingPainter, EnlargesAllTextAlikeWhereTheValuesWouldBeTooSmall)
{
    // Dimension values 10 px high; a label twice that.
    const Drawing d = drawingOf({{Layer::Text, Label{{100, 20}, 20, Label::Anchor::Left, "H", "H"}}}, {}, 10);
    const auto height = [](const QImage& image) {
        const auto [top, bottom] = inkedRows(image);
        return bottom - top + 1;
    };
    const int asDrawn = height(painted(d, 1, {}, 0));
    EXPECT_EQ(height(painted(d, 1, {}, 8)), asDrawn) << "values already 8 px or more";
    EXPECT_NEAR(height(painted(d, 1, {}, 15)), 1.5 * asDrawn, 2) << "values enlarged to 15 px";
}

TEST(DrawingPainter, LeavesOutViewsThatDoNotReachTheVisibleArea)
{
    const Drawing d = drawingOf({{Layer::Outline, Line{{10, 40}, {60, 40}}}}, {10, 40, 60, 40});
    EXPECT_GT(inkInRows(painted(d, 1, QRectF(0, 0, 100, 80)), 0, kHeight), 50);
    EXPECT_EQ(inkInRows(painted(d, 1, QRectF(150, 0, 90, 80)), 0, kHeight), 0);
}

}  // namespace
}  // namespace inlet::test
