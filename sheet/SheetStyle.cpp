#include "sheet/SheetStyle.h"

#include <QtGlobal>

QT_BEGIN_NAMESPACE
// The resolution QTextDocument and QFont convert points with when no paint device is given:
// the primary screen's logical resolution (96 on Qt's offscreen platform). Exported by Qt Gui,
// not declared in its public headers.
Q_GUI_EXPORT int qt_defaultDpiY();
QT_END_NAMESPACE

namespace inlet {

double documentDpi() { return qt_defaultDpiY(); }

double fromMm(double mm) { return mm / 25.4 * documentDpi(); }

QRectF fromMm(const QRectF& mm)
{
    return {fromMm(mm.left()), fromMm(mm.top()), fromMm(mm.width()), fromMm(mm.height())};
}

QString textFamily() { return QStringLiteral("WenQuanYi Zen Hei"); }
QString titleFamily() { return QStringLiteral("AR PL UKai CN"); }

namespace {

QTextCharFormat faceFormat(const QString& family)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{family});
    // Qt 6.4's ODF writer reads only the older single-family property.
    format.setProperty(QTextFormat::OldFontFamily, family);
    return format;
}

}  // namespace

QTextCharFormat textFormat(double points, bool bold)
{
    QTextCharFormat format = faceFormat(textFamily());
    format.setFontPointSize(points);
    if (bold)
        format.setFontWeight(QFont::Bold);
    return format;
}

QTextCharFormat titleFormat(double points)
{
    QTextCharFormat format = faceFormat(titleFamily());
    format.setFontPointSize(points);
    return format;
}

QFont paintFont(double points)
{
    QFont font(textFamily());
    font.setPixelSize(qRound(points / 72 * documentDpi()));
    return font;
}

}  // namespace inlet
