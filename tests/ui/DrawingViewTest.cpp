// The drawing on the screen: the wheel zooms about the cursor, a drag pans, fitting shows
// the whole drawing, and the zoom outlives a new drawing of much the same extent.

#include "ui/DrawingView.h"
#include "tests/ui/Hk2000.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>

namespace inlet::test {
namespace {

class DrawingOnScreen : public testing::Test {
protected:
    DrawingView view;

    void SetUp() override
    {
        view.resize(800, 600);
        view.setDrawing(hk2000Drawing());
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void wheel(QPointF at, int angle)
    {
        QWheelEvent event(at, view.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
    }

    // Whether the whole drawing lies inside the view.
    bool showsEverything() const
    {
        const QRectF shown = view.viewTransform().toDeviceRect(view.drawing().extent);
        return QRectF(view.rect()).contains(shown);
    }
};

TEST_F(DrawingOnScreen, WheelZoomsAboutTheCursor)
{
    struct Step {
        QPointF cursor;
        int angle;  // 120 per notch, forward enlarges
    };
    const Step steps[] = {{{300, 200}, 120}, {{300, 200}, -120}, {{17, 580}, 240}, {{650, 33}, -360},
                          {{400, 300}, 120}};
    for (const Step& s : steps) {
        const ViewTransform before = view.viewTransform();
        const Point under = before.toModel(s.cursor);
        wheel(s.cursor, s.angle);
        const QPointF after = view.viewTransform().toDevice(under);
        EXPECT_NEAR(after.x(), s.cursor.x(), 1.0) << "wheel " << s.angle << " at " << s.cursor.x() << ", " << s.cursor.y();
        EXPECT_NEAR(after.y(), s.cursor.y(), 1.0) << "wheel " << s.angle << " at " << s.cursor.x() << ", " << s.cursor.y();
        EXPECT_NEAR(view.viewTransform().scale() / before.scale(), std::pow(1.25, s.angle / 120.0), 1e-9)
            << "wheel " << s.angle;
    }
}

TEST_F(DrawingOnScreen, DragPansByTheDistanceDragged)
{
    const QPointF before = view.viewTransform().origin();
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(130, 90));
    QTest::mouseMove(&view, QPoint(160, 140));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(160, 140));
    EXPECT_EQ(view.viewTransform().origin() - before, QPointF(60, 40));
    QTest::mouseMove(&view, QPoint(300, 300));
    EXPECT_EQ(view.viewTransform().origin() - before, QPointF(60, 40)) << "moved without a button held";
}

TEST_F(DrawingOnScreen, FitShowsTheWholeDrawingAndFillsTheView)
{
    EXPECT_TRUE(showsEverything()) << "a new drawing is fitted";
    for (int i = 0; i < 3; ++i)
        view.zoomIn();
    EXPECT_FALSE(showsEverything());
    view.fitToWindow();
    EXPECT_TRUE(showsEverything());
    const QRectF shown = view.viewTransform().toDeviceRect(view.drawing().extent);
    EXPECT_TRUE(shown.width() > 0.9 * view.width() || shown.height() > 0.9 * view.height())
        << "fitted into " << shown.width() << " x " << shown.height();
}

TEST_F(DrawingOnScreen, DoubleClickFits)
{
    wheel({200, 200}, 480);
    ASSERT_FALSE(showsEverything());
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_TRUE(showsEverything());
}

TEST_F(DrawingOnScreen, FittedDrawingFollowsTheViewsSizeUntilZoomed)
{
    view.resize(500, 400);
    EXPECT_TRUE(showsEverything()) << "after shrinking";
    view.zoomOut();
    const ViewTransform zoomed = view.viewTransform();
    view.resize(900, 700);
    EXPECT_EQ(view.viewTransform().scale(), zoomed.scale()) << "a zoomed view changed on resizing";
}

TEST_F(DrawingOnScreen, ZoomAndPanOutliveANewDrawingOfMuchTheSameExtent)
{
    wheel({300, 200}, 240);
    const ViewTransform zoomed = view.viewTransform();
    view.setDrawing(hk2000Drawing());
    EXPECT_EQ(view.viewTransform().scale(), zoomed.scale());
    EXPECT_EQ(view.viewTransform().origin(), zoomed.origin());

    // Through a failed run, too.
    view.showMessage(QStringLiteral("计算未完成"));
    view.setDrawing(hk2000Drawing());
    EXPECT_EQ(view.viewTransform().scale(), zoomed.scale());

    // A drawing twice the size is fitted afresh.
    Drawing larger = hk2000Drawing();
    larger.extent.right += larger.extent.width();
    view.setDrawing(larger);
    EXPECT_TRUE(showsEverything());
}

}  // namespace
}  // namespace inlet::test
