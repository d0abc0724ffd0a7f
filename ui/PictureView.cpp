#include "ui/PictureView.h"

#include <QPainter>
#include <QPainterPath>

namespace inlet {

namespace {

QColor colour(const cfd::Rgb& c) { return QColor(c[0], c[1], c[2]); }

QPolygonF polygon(const std::vector<cfd::Point2>& points)
{
    QPolygonF p;
    for (const cfd::Point2& point : points)
        p << QPointF(point[0], point[1]);
    return p;
}

}  // namespace

PictureView::PictureView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(280, 200);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void PictureView::showPicture(cfd::Picture picture)
{
    picture_ = std::move(picture);
    note_.clear();
    update();
}

void PictureView::showNote(const QString& note)
{
    picture_.reset();
    note_ = note;
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!picture_ || !(picture_->width > 0 && picture_->height > 0)) {
        painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, note_);
        return;
    }
    const cfd::Picture& p = *picture_;
    const double scale = std::min(width() / p.width, height() / p.height);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate((width() - p.width * scale) / 2, (height() - p.height * scale) / 2);
    painter.scale(scale, scale);
    for (const cfd::Picture::Area& a : p.areas) {
        painter.setPen(QPen(colour(a.fill), 0.3));
        painter.setBrush(colour(a.fill));
        painter.drawPolygon(polygon(a.points));
    }
    painter.setBrush(Qt::NoBrush);
    for (const cfd::Picture::Line& l : p.lines) {
        painter.setPen(QPen(colour(l.colour), l.width));
        painter.drawPolyline(polygon(l.points));
    }
    QFont font = painter.font();
    font.setPixelSize(static_cast<int>(p.fontSize));
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (const cfd::Picture::Text& t : p.texts) {
        const QString text = QString::fromStdString(t.text);
        double x = t.at[0];
        if (t.anchor != cfd::Picture::Anchor::Start)
            x -= metrics.horizontalAdvance(text) / (t.anchor == cfd::Picture::Anchor::Middle ? 2 : 1);
        painter.setPen(colour(t.colour));
        painter.drawText(QPointF(x, t.at[1]), text);
    }
}

}  // namespace inlet
