#include "DrawingExport.h"

#include "AtomicSave.h"
#include "DxfError.h"
#include "DxfWriter.h"
#include "Sheet.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>

namespace inlet {

namespace {

// The largest PNG side, in pixels, that is worth the memory it takes.
constexpr int kMostPngSide = 20000;

QString cannotWrite(const QString& path, const QString& reason)
{
    return QStringLiteral("无法写入“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

// Makes the file's bytes through `write`, which returns an empty text or the reason it
// failed, and saves them whole or not at all.
template <typename Write>
QString writeAtomically(const QString& path, Write write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (const QString reason = write(buffer); !reason.isEmpty())
        return cannotWrite(path, reason);
    if (const QString reason = saveAtomically(path, buffer.data()); !reason.isEmpty())
        return cannotWrite(path, reason);
    return {};
}

QString nothingToDraw(const Drawing& drawing, const QString& path)
{
    if (drawing.views.empty())
        return cannotWrite(path, QStringLiteral("没有图形可导出（计算未完成）"));
    return {};
}

}  // namespace

QString writeSvg(const Drawing& drawing, const QString& path)
{
    if (QString error = nothingToDraw(drawing, path); !error.isEmpty())
        return error;
    const Sheet sheet(drawing);
    return writeAtomically(path, [&](QBuffer& file) -> QString {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        // Ten pixels to the millimetre (254 dpi), so that the document's size comes out in
        // whole paper millimetres; the view box, which the painting uses, is in millimetres.
        constexpr int kPixelsPerMm = 10;
        svg.setResolution(254);
        svg.setSize((sheet.paperSize() * kPixelsPerMm).toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), sheet.paperSize()));
        svg.setTitle(QStringLiteral("型线图"));
        svg.setDescription(QStringLiteral("进水流道型线图，比例 1:%1，尺寸单位 mm")
                               .arg(QString::number(sheet.scaleDenominator(), 'g', 10)));
        QPainter painter;
        if (!painter.begin(&svg))
            return QStringLiteral("无法开始绘制 SVG");
        sheet.paint(painter, 1);
        painter.end();
        return QString();
    });
}

QString writePng(const Drawing& drawing, const QString& path, int widthPx)
{
    if (QString error = nothingToDraw(drawing, path); !error.isEmpty())
        return error;
    const Sheet sheet(drawing);
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
    return writeAtomically(path, [&](QBuffer& file) -> QString {
        QImageWriter writer(&file, "png");
        return writer.write(image) ? QString() : writer.errorString();
    });
}

QString writeDxfFile(const Drawing& drawing, const QString& path, bool ellipsesAsPolylines)
{
    if (QString error = nothingToDraw(drawing, path); !error.isEmpty())
        return error;
    try {
        writeDxf(drawing, QFile::encodeName(path).toStdString(), DxfOptions{.ellipsesAsPolylines = ellipsesAsPolylines});
    } catch (const DxfError& e) {
        // "cannot write PATH: REASON": the reason, after the name.
        const QString what = QString::fromStdString(e.what());
        const QString prefix = QStringLiteral("cannot write %1: ").arg(path);
        return cannotWrite(path, what.startsWith(prefix) ? what.mid(prefix.size()) : what);
    }
    return {};
}

QString exportDrawing(const Drawing& drawing, const QString& path, const DrawingExportOptions& options)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("svg"))
        return writeSvg(drawing, path);
    if (extension == QLatin1String("png"))
        return writePng(drawing, path, kExportPngWidth);
    if (extension == QLatin1String("dxf"))
        return writeDxfFile(drawing, path, options.dxfEllipsesAsPolylines);
    return cannotWrite(path, QStringLiteral("不支持的文件类型“.%1”（可导出 .dxf、.svg、.png）").arg(extension));
}

bool canExport(const QString& extension)
{
    const QString e = extension.toLower();
    return e == QLatin1String("svg") || e == QLatin1String("png") || e == QLatin1String("dxf");
}

}  // namespace inlet
