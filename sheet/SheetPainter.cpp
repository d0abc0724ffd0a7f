#include "sheet/SheetPainter.h"

#include "run/Progress.h"
#include "sheet/SheetDocument.h"
#include "sheet/SheetSections.h"
#include "sheet/SheetStyle.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>

namespace inlet {

namespace {

// One cell of the title block: `text` left-aligned in it, shortened with "…" if too long.
void cell(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment = Qt::AlignLeft)
{
    painter.drawRect(rect);
    const QRectF inside = rect.adjusted(fromMm(1.5), 0, -fromMm(1.5), 0);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(inside.width()));
    painter.drawText(inside, alignment | Qt::AlignVCenter, shown);
}

// The title block: two rows, 工程名称 and 设计阶段 above, 计算内容 and the page below.
void paintTitleBlock(QPainter& painter, const SheetDocument& sheet, int page, int pages)
{
    const QRectF block = fromMm(kTitleBlockMm);
    const double row = block.height() / 2;
    const double label = fromMm(20);
    const double left = block.left(), top = block.top();
    const double valueWidth = fromMm(75);
    const double right = left + 2 * label + valueWidth;  // where the second label starts

    painter.setFont(paintFont(9));
    cell(painter, {left, top, label, row}, QStringLiteral("工程名称"), Qt::AlignHCenter);
    cell(painter, {left + label, top, valueWidth, row}, sheet.project());
    cell(painter, {right - label, top, label, row}, QStringLiteral("设计阶段"), Qt::AlignHCenter);
    cell(painter, {right, top, block.right() - right, row}, sheet.stage());
    cell(painter, {left, top + row, label, row}, QStringLiteral("计算内容"), Qt::AlignHCenter);
    cell(painter, {left + label, top + row, right - left - label, row}, calculationContent());
    cell(painter, {right, top + row, block.right() - right, row},
         QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages), Qt::AlignHCenter);
    painter.setPen(QPen(Qt::black, fromMm(0.5)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(block);
    painter.setPen(QPen(Qt::black, fromMm(0.2)));
}

void paintFooter(QPainter& painter, const SheetDocument& sheet)
{
    const QRectF body = fromMm(kBodyMm);
    const double line = fromMm(kFooterLineMm);
    painter.drawLine(QPointF(body.left(), line), QPointF(body.right(), line));
    painter.setFont(paintFont(8));
    const QRectF text(body.left(), line + fromMm(1), body.width(), fromMm(5));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("计算软件：") + sheet.programShown());
    painter.drawText(text, Qt::AlignRight | Qt::AlignTop, calculationContent() + QStringLiteral("书"));
}

}  // namespace

QString paintSheet(const SheetDocument& sheet, QPagedPaintDevice& device)
{
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("cannot paint on the output device");
    // The drawings are line work: keep them sharp instead of compressing them as photographs.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    // The painter starts at the device's printable area; draw from the paper's corner in the
    // document's pixels instead.
    const int dpi = device.logicalDpiX();
    const QRect printable = device.pageLayout().paintRectPixels(dpi);
    const double scale = dpi / documentDpi();

    QTextDocument& document = sheet.document();
    const int pages = sheet.pageCount();
    const QRectF body = fromMm(kBodyMm);
    for (int page = 0; page < pages; ++page) {
        progress(page, pages);
        if (page > 0)
            device.newPage();
        painter.save();
        painter.translate(-printable.left(), -printable.top());
        painter.scale(scale, scale);

        painter.save();
        painter.translate(body.left(), body.top() - page * body.height());
        // A line at the top of a page can reach into the page before by a rounding error;
        // the page's foot, one pixel short, keeps it (and its text) off that page.
        document.drawContents(&painter, QRectF(0, page * body.height(), body.width(), body.height() - 1));
        painter.restore();

        painter.setPen(QPen(Qt::black, fromMm(0.2)));
        painter.setBrush(Qt::NoBrush);
        paintTitleBlock(painter, sheet, page + 1, pages);
        paintFooter(painter, sheet);
        painter.restore();
    }
    if (!painter.end())
        return QStringLiteral("the output device failed while the sheet was painted");
    progress(pages, pages);
    return {};
}

}  // namespace inlet
