// The views fit: the main window keeps its form's size, the drawing pane a usable one, the
// width combo its place, the scale bar its own band, and the 3D view's fit the whole model
// from every direction.

#include "ui/DrawingView.h"
#include "ui/DrawingWindow.h"
#include "tests/ui/Hk2000.h"
#include "InletFeatures.h"
#include "ui/MainWindow.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#if INLET_HAS_SOLID
#include "ui/SolidView.h"
#endif

namespace inlet::test {
namespace {

TEST(ViewsFit, MainWindowKeepsItsFormsSize)
{
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWidget* form = window.centralWidget();
    const QSize formSize = form->size();
    const QSize windowSize = window.size();
    for (const QSize asked : {QSize(0, 21), QSize(200, 150), QSize(2000, 2000)}) {
        window.resize(asked);
        QTest::qWait(20);
        EXPECT_EQ(form->size(), formSize) << asked.width() << "x" << asked.height();
        EXPECT_EQ(window.size(), windowSize) << asked.width() << "x" << asked.height();
    }
}

class DrawingWindowFits : public testing::Test {
protected:
    MainWindow window;

    void SetUp() override
    {
        window.setFailureReporter([](QWidget&, const QString&) {});
        window.findChild<QLineEdit*>(QStringLiteral("Text21"))->setText(QStringLiteral("2000"));
        window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        window.showDrawingWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.drawingWindow()));
    }
};

TEST_F(DrawingWindowFits, DrawingPaneKeepsAUsableSizeAt400By300)
{
    DrawingWindow* drawing = window.drawingWindow();
    drawing->resize(400, 300);
    QTest::qWait(50);
    const auto* view = drawing->findChild<DrawingView*>(QStringLiteral("drawing"));
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->width(), 240);
    EXPECT_GE(view->height(), 180);
}

TEST_F(DrawingWindowFits, WidthComboStaysInPlaceAfterNew)
{
    DrawingWindow* drawing = window.drawingWindow();
    const auto* combo = drawing->findChild<QComboBox*>(QStringLiteral("widthSet"));
    ASSERT_NE(combo, nullptr);
    const QRect before = combo->geometry();
    window.setWindowModified(false);
    window.newDesign();
    QTest::qWait(20);
    EXPECT_EQ(combo->geometry(), before);
}

TEST(ViewsFit, ScaleBarHasTheBottomBandToItselfWhenZoomed)
{
    DrawingView view;
    view.resize(800, 600);
    view.setDrawing(hk2000Drawing());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    for (int i = 0; i < 6; ++i)
        view.zoomIn();
    const QImage image = view.grab().toImage();
    // Right of the bar and its figures, the band holds nothing but its top line.
    int marked = 0;
    for (int y = image.height() - 22; y < image.height(); ++y)
        for (int x = 300; x < image.width(); ++x)
            marked += image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_EQ(marked, 0);
    int drawn = 0;
    for (int y = 0; y < image.height() - 24; y += 2)
        for (int x = 0; x < image.width(); x += 2)
            drawn += image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(drawn, 100) << "the zoomed drawing is shown above the band";
}

#if INLET_HAS_SOLID
TEST(ViewsFit, SolidFitShowsTheWholeModelFromEveryDirection)
{
    // A flat, long box like the passage: 9 m by 5 m by 1.5 m, off the origin.
    SolidMesh box;
    for (const float x : {-2000.0f, 7000.0f})
        for (const float y : {-1000.0f, 4000.0f})
            for (const float z : {0.0f, 1500.0f})
                box.positions.insert(box.positions.end(), {x, y, z});
    struct Row {
        const char* name;
        SolidView::Preset preset;
    };
    const Row rows[] = {{"plan", SolidView::Preset::Plan},
                        {"from the inlet", SolidView::Preset::FromInlet},
                        {"from the back", SolidView::Preset::FromBack},
                        {"oblique", SolidView::Preset::Oblique}};
    for (const QSize size : {QSize(800, 600), QSize(300, 700)}) {
        SolidView view;
        view.resize(size);
        view.setSolid(box, true);
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.name) + " in " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
            view.showPreset(row.preset);
            float most = 0;
            for (std::size_t i = 0; i + 2 < box.positions.size(); i += 3) {
                const QVector3D p = view.viewProjection().map(
                    QVector3D(box.positions[i], box.positions[i + 1], box.positions[i + 2]));
                EXPECT_LE(std::abs(p.x()), 1.0f);
                EXPECT_LE(std::abs(p.y()), 1.0f);
                most = std::max({most, std::abs(p.x()), std::abs(p.y())});
            }
            EXPECT_GT(most, 0.85f) << "the model fills the view";
        }
    }
}
#endif

}  // namespace
}  // namespace inlet::test
