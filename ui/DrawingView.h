#pragma once

// The drawing on the screen. The wheel zooms about the cursor, dragging with the left button
// pans, a double click fits the whole drawing into the view. Without a drawing it shows an
// empty sheet with a message.

#include "drawing/Shapes.h"
#include "render/ViewTransform.h"

#include <QString>
#include <QWidget>

#include <optional>

namespace inlet {

class DrawingView : public QWidget {
    Q_OBJECT

public:
    // px: the dimension values at the least; smaller, all texts are enlarged alike.
    static constexpr double kLeastTextHeight = 9;

    explicit DrawingView(QWidget* parent = nullptr);

    // Shows a drawing. The zoom and pan stay as they were when they still suit it (its extent
    // differs from the last drawing's by at most a tenth of that one's size); otherwise, or
    // when the view has not been zoomed or panned since it was last fitted, it is fitted.
    void setDrawing(Drawing drawing);
    // An empty sheet with a message instead of a drawing.
    void showMessage(const QString& message);

    const Drawing& drawing() const { return drawing_; }
    const QString& message() const { return message_; }
    const ViewTransform& viewTransform() const { return view_; }

    QSize sizeHint() const override;

public slots:
    void fitToWindow();
    void zoomIn();
    void zoomOut();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ViewTransform fitted() const;
    void zoomAbout(QPointF at, double factor);

    Drawing drawing_;
    QString message_;
    ViewTransform view_;
    // The extent the zoom and pan were last set for; kept through a failed run.
    std::optional<Extent> shownExtent_;
    bool followsSize_ = true;  // fitted, and not zoomed or panned since
    std::optional<QPointF> dragFrom_;
};

}  // namespace inlet
