#include "sheet/VectorPictures.h"

#include "render/DrawingPainter.h"
#include "render/ScaleBar.h"
#include "sheet/SheetStyle.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QtMath>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace inlet {

VectorPictures::VectorPictures(QObject* parent) : QObject(parent) {}

void VectorPictures::install(QTextDocument& document)
{
    document.documentLayout()->registerHandler(QTextFormat::ImageObject, this);
}

namespace {

// Where a picture's shapes are kept: resources are kept by name alone, whatever their kind,
// so the shapes take a name of their own beside the picture's.
QUrl shapesOf(const QString& picture) { return QUrl(picture + QStringLiteral("-shapes")); }
QUrl scaleOf(const QString& picture) { return QUrl(picture + QStringLiteral("-scale")); }

}  // namespace

void VectorPictures::addShapes(QTextDocument& document, const QString& name, const Drawing& drawing)
{
    document.addResource(QTextDocument::UserResource, shapesOf(name), QVariant::fromValue(drawing));
}

std::optional<Drawing> VectorPictures::shapes(const QTextDocument& document, const QString& name)
{
    const QVariant kept = document.resource(QTextDocument::UserResource, shapesOf(name));
    if (!kept.canConvert<Drawing>())
        return std::nullopt;
    return kept.value<Drawing>();
}

void VectorPictures::addScale(QTextDocument& document, const QString& name, double scale, double barMm)
{
    document.addResource(QTextDocument::UserResource, scaleOf(name), QPointF(scale, barMm));
}

std::optional<double> VectorPictures::statedScale(const QTextDocument& document, const QString& name)
{
    const QVariant kept = document.resource(QTextDocument::UserResource, scaleOf(name));
    if (!kept.canConvert<QPointF>())
        return std::nullopt;
    return kept.toPointF().x();
}

bool VectorPictures::paintShapes(QPainter& painter, const QRectF& rect, const QTextDocument& document, const QString& name)
{
    const std::optional<Drawing> kept = shapes(document, name);
    if (!kept)
        return false;
    const Drawing& drawing = *kept;
    const Extent& e = drawing.extent;
    if (e.width() > 0) {
        const double scale = rect.width() / e.width();
        const ViewTransform transform(scale, {rect.left() - scale * e.left, rect.top() + scale * e.top});
        DrawingPainter drawn(painter, transform, fromMm(0.5), fromMm(0.25));
        drawn.paint(drawing);
        const QVariant stated = document.resource(QTextDocument::UserResource, scaleOf(name));
        if (stated.canConvert<QPointF>()) {
            // In the band at the picture's foot: the scale, and under it the bar centred.
            const double denominator = stated.toPointF().x();
            const double mm = scale * denominator;  // device units to the paper millimetre
            const double band = rect.bottom() - VectorPictures::kScaleBandMm * mm;
            painter.save();
            painter.setPen(Qt::black);
            drawn.paintText({rect.center().x(), band + 4.5 * mm}, 3.5 * mm,
                            QStringLiteral("比例 1:%1").arg(denominator), Label::Anchor::Centre);
            const double barMm = stated.toPointF().y();
            const double length = ScaleBar::longestWithin(scale, barMm * mm).length * scale;
            drawn.paintScaleBar({rect.center().x() - length / 2, band + 11.5 * mm}, barMm * mm, 2.5 * mm);
            painter.restore();
        }
    }
    return true;
}

void VectorPictures::addImages(QTextDocument& document, int dpi)
{
    const double pixels = dpi / 25.4 / fromMm(1);  // per unit of the document
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
            if (!format.isValid())
                continue;
            const QSize size(qCeil(format.width() * pixels), qCeil(format.height() * pixels));
            QImage image(size, QImage::Format_RGB32);
            image.setDotsPerMeterX(qRound(dpi / 0.0254));
            image.setDotsPerMeterY(qRound(dpi / 0.0254));
            image.fill(Qt::white);
            bool painted = false;
            {
                QPainter painter(&image);
                painted = paintShapes(painter, QRectF(QPointF(0, 0), size), document, format.name());
            }
            if (painted)
                document.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
        }
    }
}

QSizeF VectorPictures::intrinsicSize(QTextDocument*, int, const QTextFormat& format)
{
    const QTextImageFormat image = format.toImageFormat();
    return {image.width(), image.height()};
}

void VectorPictures::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                                const QTextFormat& format)
{
    // A picture at the top of a page is asked for again for the page before, whose foot it
    // touches by a rounding error; not painting it there keeps its texts off that page.
    if (painter->hasClipping() && painter->clipBoundingRect().intersected(rect).height() < 1)
        return;
    const QString name = format.toImageFormat().name();
    if (paintShapes(*painter, rect, *document, name))
        return;
    const QImage image = document->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
    if (!image.isNull())
        painter->drawImage(rect, image);
}

}  // namespace inlet
