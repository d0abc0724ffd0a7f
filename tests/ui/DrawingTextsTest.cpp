// The drawing's texts as they are painted: on the drawing sheet of every size (A0 to A3) and in
// the drawing window at its fit zoom, for hk 1500, 2000 and 3000, no text's ink overlaps
// another's, nor is any text crossed by a dimension or extension line. The texts that a screen
// leaves out as too small to read are not painted and not counted.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "render/DrawingPainter.h"
#include "drawing/DrawingSheet.h"
#include "ui/DrawingView.h"
#include "drawing/PassageDrafting.h"
#include "render/Sheet.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>

namespace inlet::test {
namespace {

Calculation runWithHk(const char* hk)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, hk);
    return runCalculation(boxes, NumberLocale{".", ","});
}

// Whether a segment passes through a rectangle's inside (shrunk by a hair, so that a line
// that only touches a text's ink does not count).
bool crosses(const QLineF& line, const QRectF& rect)
{
    const QRectF r = rect.adjusted(0.01, 0.01, -0.01, -0.01);
    if (r.contains(line.p1()) || r.contains(line.p2()))
        return true;
    const QLineF edges[] = {{r.topLeft(), r.topRight()}, {r.topRight(), r.bottomRight()},
                            {r.bottomRight(), r.bottomLeft()}, {r.bottomLeft(), r.topLeft()}};
    for (const QLineF& e : edges)
        if (line.intersects(e, nullptr) == QLineF::BoundedIntersection)
            return true;
    return false;
}

void expectApart(const DrawingPainter& painter, const std::string& where)
{
    const std::vector<QRectF>& texts = painter.textRects();
    ASSERT_GE(texts.size(), 40u) << where << ": the dimension values, titles and labels";
    int overlaps = 0, crossed = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = i + 1; j < texts.size(); ++j)
            if (texts[i].intersects(texts[j]) && ++overlaps <= 5)
                ADD_FAILURE() << where << ": a text at " << texts[i].x() << ", " << texts[i].y() << " overlaps one at "
                              << texts[j].x() << ", " << texts[j].y();
        for (const QLineF& line : painter.dimensionLines())
            if (crosses(line, texts[i]) && ++crossed <= 5)
                ADD_FAILURE() << where << ": the text at " << texts[i].x() << ", " << texts[i].y()
                              << " is crossed by a dimension line";
    }
    EXPECT_EQ(overlaps, 0) << where;
    EXPECT_EQ(crossed, 0) << where;
}

struct TextsCase {
    const char* name;
    const char* hk;
    const char* paper;  // the drawing sheet's, or "window" for the drawing window
    QSize view;         // the window's drawing view, px
};

const TextsCase kCases[] = {
    {"Hk1500A0", "1500", "A0", {}}, {"Hk1500A1", "1500", "A1", {}}, {"Hk1500A2", "1500", "A2", {}},
    {"Hk1500A3", "1500", "A3", {}}, {"Hk2000A0", "2000", "A0", {}}, {"Hk2000A1", "2000", "A1", {}},
    {"Hk2000A2", "2000", "A2", {}}, {"Hk2000A3", "2000", "A3", {}}, {"Hk3000A0", "3000", "A0", {}},
    {"Hk3000A1", "3000", "A1", {}}, {"Hk3000A2", "3000", "A2", {}}, {"Hk3000A3", "3000", "A3", {}},
    // The drawing window at its fit zoom: as docs/drawing.png shows it, its default size and
    // a small one.
    {"Hk2000WindowShot", "2000", "window", {960, 780}},
    {"Hk2000WindowDefault", "2000", "window", {900, 700}},
    {"Hk2000WindowSmall", "2000", "window", {600, 450}},
    {"Hk1500WindowShot", "1500", "window", {960, 780}},
    {"Hk3000WindowShot", "3000", "window", {960, 780}},
};

class DrawingTexts : public testing::TestWithParam<TextsCase> {};

TEST_P(DrawingTexts, NoTextOverlapsAnotherOrADimensionLine)
{
    const TextsCase& c = GetParam();
    const Calculation run = runWithHk(c.hk);
    if (std::string(c.paper) == "window") {
        // As the drawing window shows it: the drawing on the sheet the size auto chooses.
        const Drawing drawing = drawPassage(run);
        const Drawing shown = withSheet(drawing, drawingSheet(drawing, TitleBlock{}));
        DrawingView view;
        view.resize(c.view);
        view.setDrawing(shown);
        view.fitToWindow();
        QImage image(c.view, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        DrawingPainter drawingPainter(painter, view.viewTransform(), 2, 1);
        drawingPainter.setLeastTextHeight(DrawingView::kLeastTextHeight);
        drawingPainter.paint(shown);
        expectApart(drawingPainter, c.name);
        return;
    }
    DrawingOptions options;
    options.paper = c.paper;
    const Drawing drawing = drawPassage(run, options);
    const Sheet sheet(drawing, TitleBlock{}, c.paper);
    ASSERT_STREQ(sheet.paperName(), c.paper);
    // Four device units to the paper millimetre: texts 3.5 mm high are 14 units.
    constexpr double k = 4;
    QImage image(int(sheet.paperSize().width() * k), int(sheet.paperSize().height() * k), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    DrawingPainter drawingPainter(painter, sheet.modelToPaper().onDeviceScaledBy(k), 2, 1);
    drawingPainter.paint(drawing);
    expectApart(drawingPainter, c.name);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DrawingTexts, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TextsCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace inlet::test
