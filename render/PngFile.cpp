#include "PngFile.h"

#include "Sheet.h"

#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

namespace inlet {

namespace {

// The largest PNG side, in pixels, that is worth the memory it takes.
constexpr int kMostPngSide = 20000;

}  // namespace

QString cannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("无法写入“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

QString nothingToDraw(const Drawing& drawing, const QString& path)
{
    if (drawing.views.empty())
        return cannotWrite(path, QStringLiteral("没有图形可导出（计算未完成）"));
    return {};
}

QString writePng(const Drawing& drawing, const QString& path, int widthPx, const TitleBlock& block,
                 const std::string& paper)
{
    if (QString error = nothingToDraw(drawing, path); !error.isEmpty())
        return error;
    const Sheet sheet(drawing, block, paper);
    const double perMm = widthPx / sheet.paperSize().width();
    const int heightPx = qRound(sheet.paperSize().height() * perMm);
    if (widthPx < 1 || widthPx > kMostPngSide || heightPx < 1 || heightPx > kMostPngSide)
        return cannotWrite(path, QStringLiteral("图像尺寸 %1 × %2 像素超出 1～%3")
                                     .arg(widthPx).arg(heightPx).arg(kMostPngSide));
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    if (image.isNull())
        return cannotWrite(path, QStringLiteral("内存不足以容纳 %1 × %2 像素的图像").arg(widthPx).arg(heightPx));
    QPainter painter(&image);
    sheet.paint(painter, perMm);
    painter.end();
    return writeWhole(path, [&](QBuffer& file) -> QString {
        QImageWriter writer(&file, "png");
        return writer.write(image) ? QString() : writer.errorString();
    });
}

}  // namespace inlet
