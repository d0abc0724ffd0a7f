#include "VectorPictures.h"

#include "DrawingPainter.h"
#include "SheetStyle.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
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

}  // namespace

void VectorPictures::addShapes(QTextDocument& document, const QString& name, const Drawing& drawing)
{
    document.addResource(QTextDocument::UserResource, shapesOf(name), QVariant::fromValue(drawing));
}

bool VectorPictures::paintShapes(QPainter& painter, const QRectF& rect, const QTextDocument& document, const QString& name)
{
    const QVariant shapes = document.resource(QTextDocument::UserResource, shapesOf(name));
    if (!shapes.canConvert<Drawing>())
        return false;
    const Drawing drawing = shapes.value<Drawing>();
    const Extent& e = drawing.extent;
    if (e.width() > 0) {
        const double scale = rect.width() / e.width();
        const ViewTransform transform(scale, {rect.left() - scale * e.left, rect.top() + scale * e.top});
        DrawingPainter(painter, transform, fromMm(0.5), fromMm(0.25)).paint(drawing);
    }
    return true;
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
