#pragma once

// The sheet's page and faces. A4 portrait: the title block sits in the top margin, the footer
// in the bottom margin, and the document's text runs in the body between them.
//
// QTextDocument measures in pixels of the resolution it lays text out in (documentDpi(),
// normally 96): page sizes, margins, borders and picture sizes are in those pixels, font
// sizes in points. Everything painted on a page is scaled from there to the device.

#include <QFont>
#include <QRectF>
#include <QString>
#include <QTextCharFormat>

namespace inlet {

// The paper and where the body, the title block and the footer lie on it, in millimetres
// from the paper's top-left corner.
inline constexpr double kPaperWidthMm = 210;
inline constexpr double kPaperHeightMm = 297;
inline constexpr QRectF kBodyMm{25, 32, 165, 246};         // left 25, right 20, top 32, bottom 19
inline constexpr QRectF kTitleBlockMm{25, 12, 165, 14};    // two rows of 7 mm
inline constexpr double kFooterLineMm = 282;               // the rule above the footer's text

// The resolution QTextDocument lays its text out in, in pixels per inch.
double documentDpi();
// Millimetres in the document's pixels.
double fromMm(double mm);
QRectF fromMm(const QRectF& mm);

// The faces: a Hei face for the text, a Kai face for the cover's title. Both come with
// Debian (fonts-wqy-zenhei, fonts-arphic-ukai).
QString textFamily();
QString titleFamily();

// Text in the document, `points` large.
QTextCharFormat textFormat(double points = 10.5, bool bold = false);
QTextCharFormat titleFormat(double points);

// A font for painting directly on a page whose painter is scaled to the document's pixels:
// sized in those pixels, since a painter resolves point sizes against its device.
QFont paintFont(double points);

}  // namespace inlet
