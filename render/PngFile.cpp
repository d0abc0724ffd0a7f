#include "render/PngFile.h"

#include "messages/Failure.h"
#include "render/Sheet.h"

#include <QImage>
#include <QImageWriter>
#include <QPainter>

namespace inlet {

namespace {

// The largest PNG side, in pixels, that is worth the memory it takes.
constexpr int kMostPngSide = 20000;

}  // namespace

void cannotMake(const QString& path, const QString& format)
{
    throw Failure{.kind = Failure::Kind::CannotMake, .file = shownPath(path), .item = format.toStdString()};
}

void checkSomethingToDraw(const Drawing& drawing, const QString& path)
{
    if (drawing.views.empty())
        throw Failure{.kind = Failure::Kind::NothingToDraw, .file = shownPath(path)};
}

void writePng(const Drawing& drawing, const QString& path, int widthPx, const TitleBlock& block,
              const std::string& paper)
{
    checkSomethingToDraw(drawing, path);
    const Sheet sheet(drawing, block, paper);
    const double perMm = widthPx / sheet.paperSize().width();
    const int heightPx = qRound(sheet.paperSize().height() * perMm);
    if (widthPx < 1 || widthPx > kMostPngSide || heightPx < 1 || heightPx > kMostPngSide) {
        Failure f{.kind = Failure::Kind::ImageTooLarge, .file = shownPath(path)};
        f.item = QStringLiteral("%1 × %2").arg(widthPx).arg(heightPx).toStdString();
        f.limit = kMostPngSide;
        throw f;
    }
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    if (image.isNull())
        throw Failure{.kind = Failure::Kind::OutOfMemory, .file = shownPath(path)};
    QPainter painter(&image);
    sheet.paint(painter, perMm);
    painter.end();
    writeWhole(path, QStringLiteral("PNG"), [&](QBuffer& file) { return QImageWriter(&file, "png").write(image); });
}

}  // namespace inlet
