#pragma once

// The sheet's pictures on paper. A picture whose shapes the document holds (a Drawing under
// the picture's name as a user resource) is painted from them, so that a printer, a PDF and
// the ODT keep its lines and texts as lines and texts at any size; every other picture is the
// image under its name.

#include "drawing/Shapes.h"

#include <QObject>
#include <QTextObjectInterface>

#include <optional>

class QTextDocument;

namespace inlet {

class VectorPictures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit VectorPictures(QObject* parent = nullptr);

    // Paints the document's pictures from now on.
    void install(QTextDocument& document);
    // Keeps the shapes of the picture `name` with `document`.
    static void addShapes(QTextDocument& document, const QString& name, const Drawing& drawing);
    // Adds an image at `dpi` for every picture painted from shapes, for a writer that reads
    // images only (Qt's own ODF writer).
    static void addImages(QTextDocument& document, int dpi);
    // The shapes kept for the picture `name`, if any.
    static std::optional<Drawing> shapes(const QTextDocument& document, const QString& name);
    // Under the view of the picture `name` (its shapes' extent reaching kScaleBandMm of paper
    // below the view), its scale "比例 1:scale" and a scale bar at most `barMm` long: one
    // picture, which a page never parts from its view.
    static void addScale(QTextDocument& document, const QString& name, double scale, double barMm);
    // The scale stated under the picture `name`, if any.
    static std::optional<double> statedScale(const QTextDocument& document, const QString& name);
    static constexpr double kScaleBandMm = 13;
    // Paints the shapes kept for the picture `name` into `rect`; false where it has none.
    static bool paintShapes(QPainter& painter, const QRectF& rect, const QTextDocument& document, const QString& name);

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;
};

}  // namespace inlet

Q_DECLARE_METATYPE(inlet::Drawing)
