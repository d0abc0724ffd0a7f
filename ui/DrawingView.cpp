#include "ui/DrawingView.h"

#include "render/DrawingPainter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace inlet {

namespace {

constexpr double kMargin = 16;         // px between the fitted drawing and the view's edge
constexpr double kStep = 1.25;         // zoom per wheel notch, 放大 and 缩小
constexpr double kLeastZoom = 0.25;    // times the fitted scale
constexpr double kMostZoom = 100;
constexpr double kExtentTolerance = 0.1;
constexpr double kThickLine = 2;       // px
constexpr double kThinLine = 1;
constexpr double kScaleBarText = 11;   // px
constexpr double kScaleBarLength = 160;
constexpr double kScaleBarRoom = 24;   // px at the bottom, the scale bar's alone

}  // namespace

DrawingView::DrawingView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
    setFocusPolicy(Qt::WheelFocus);
}

QSize DrawingView::sizeHint() const { return {900, 700}; }

void DrawingView::setDrawing(Drawing drawing)
{
    const bool keepView = !followsSize_ && shownExtent_ && extentsAlike(*shownExtent_, drawing.extent, kExtentTolerance);
    drawing_ = std::move(drawing);
    message_.clear();
    if (keepView)
        update();
    else
        fitToWindow();
    shownExtent_ = drawing_.extent;
}

void DrawingView::showMessage(const QString& message)
{
    drawing_ = {};
    message_ = message;
    update();
}

ViewTransform DrawingView::fitted() const
{
    return ViewTransform::fitting(drawing_.extent, QRectF(rect()).adjusted(0, 0, 0, -kScaleBarRoom), kMargin);
}

void DrawingView::fitToWindow()
{
    view_ = fitted();
    followsSize_ = true;
    update();
}

void DrawingView::zoomIn() { zoomAbout(QRectF(rect()).center(), kStep); }

void DrawingView::zoomOut() { zoomAbout(QRectF(rect()).center(), 1 / kStep); }

void DrawingView::zoomAbout(QPointF at, double factor)
{
    const double fit = fitted().scale();
    view_ = view_.zoomedAbout(at, factor, kLeastZoom * fit, kMostZoom * fit);
    followsSize_ = false;
    update();
}

void DrawingView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (drawing_.views.empty()) {
        painter.setPen(Qt::darkGray);
        painter.drawText(rect().adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap, message_);
        return;
    }
    DrawingPainter drawing(painter, view_, kThickLine, kThinLine);
    drawing.setLeastTextHeight(kLeastTextHeight);
    // The scale bar has the band at the bottom to itself: the drawing, zoomed or panned, is
    // clipped above it and never lies under the bar.
    const QRectF above = QRectF(rect()).adjusted(0, 0, 0, -kScaleBarRoom);
    painter.save();
    painter.setClipRect(above);
    drawing.paint(drawing_, QRectF(event->rect()).intersected(above));
    painter.restore();
    painter.setPen(QPen(Qt::lightGray, 0));
    painter.drawLine(above.bottomLeft(), above.bottomRight());
    drawing.paintScaleBar({12, height() - 5.0}, kScaleBarLength, kScaleBarText);
}

void DrawingView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (followsSize_)
        view_ = fitted();
}

void DrawingView::wheelEvent(QWheelEvent* event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAbout(event->position(), std::pow(kStep, notches));
    event->accept();
}

void DrawingView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    dragFrom_ = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void DrawingView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragFrom_ || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    view_ = view_.pannedBy(event->position() - *dragFrom_);
    dragFrom_ = event->position();
    followsSize_ = false;
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    dragFrom_.reset();
    setCursor(Qt::OpenHandCursor);
}

void DrawingView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        fitToWindow();
}

}  // namespace inlet
