#include "WindowFonts.h"

#include <QStringList>

namespace inlet {

QFont windowTextFont()
{
    QFont font;
    // SimSun is the face the layout was drawn with on Chinese Windows; the two monospaced
    // CJK faces have the same proportions and come with Debian. Proportional faces are too
    // wide and would cut captions off.
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("Noto Sans Mono CJK SC"),
                      QStringLiteral("WenQuanYi Zen Hei Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    return font;
}

QFont frameCaptionFont()
{
    QFont font;
    // 华文新魏 where installed, else a calligraphic Kai face for Simplified Chinese; the
    // system's font fallback supplies any other CJK face after these.
    font.setFamilies({QStringLiteral("华文新魏"), QStringLiteral("STXinwei"),
                      QStringLiteral("AR PL UKai CN"), QStringLiteral("KaiTi"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(19);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace inlet
