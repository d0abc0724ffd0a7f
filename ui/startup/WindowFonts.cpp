#include "ui/startup/WindowFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

#ifdef INLET_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <thread>
#endif

namespace inlet {

namespace {

#ifdef INLET_HAVE_FONTCONFIG
// Fontconfig's first use reads its configuration; Qt's font database calls FcInit again,
// which then finds it read. Waited for before the first face is looked up, and at exit.
struct ConfigurationReader {
    std::thread thread;
    void wait()
    {
        if (thread.joinable())
            thread.join();
    }
    ~ConfigurationReader() { wait(); }
};
ConfigurationReader configurationReader;
#endif

void waitForFontConfiguration()
{
#ifdef INLET_HAVE_FONTCONFIG
    configurationReader.wait();
#endif
}

// The first of the preferred faces that is installed, alone. Naming only a face that exists
// spares the start-up the font system's search for substitutes of each missing one; where
// none is installed, the whole list goes to the font system to substitute.
QStringList installedFace(const QStringList& preferred)
{
    waitForFontConfiguration();
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return {family};
    }
    return preferred;
}

}  // namespace

void startReadingFontConfiguration()
{
#ifdef INLET_HAVE_FONTCONFIG
    if (!configurationReader.thread.joinable())
        configurationReader.thread = std::thread([] { FcInit(); });
#endif
}

QFont windowTextFont()
{
    QFont font;
    // SimSun is the face the layout was drawn with on Chinese Windows; the two monospaced
    // CJK faces have the same proportions and come with Debian. Proportional faces are too
    // wide and would cut captions off. WenQuanYi Zen Hei Mono goes first: its glyphs at this
    // size load quickly, which keeps the start as quick as a bare window's.
    font.setFamilies(installedFace({QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                    QStringLiteral("WenQuanYi Zen Hei Mono"),
                                    QStringLiteral("Noto Sans Mono CJK SC")}));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    // Unhinted glyphs take their advances from the font's tables instead of loading every
    // glyph through the hinter at start-up.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont frameCaptionFont()
{
    QFont font;
    // 华文新魏 where installed, else a calligraphic Kai face for Simplified Chinese; the
    // system's font fallback supplies any other CJK face after these.
    font.setFamilies(installedFace({QStringLiteral("华文新魏"), QStringLiteral("STXinwei"),
                                    QStringLiteral("AR PL UKai CN"), QStringLiteral("KaiTi"),
                                    QStringLiteral("Noto Serif CJK SC"),
                                    QStringLiteral("Noto Sans CJK SC")}));
    font.setPixelSize(19);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setWeight(QFont::Normal);
    return font;
}

QFont checkTextFont()
{
    // The application's face has no Chinese on Linux (DejaVu Sans): each Chinese character
    // came from a CJK fallback and φ, θ from the face itself, at another size. One face that
    // holds both keeps a line of a check even. Microsoft YaHei and SimSun hold φ and θ too.
    QFont font = QApplication::font();
    font.setFamilies(installedFace({QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("Source Han Sans SC"), QStringLiteral("Microsoft YaHei"),
                                    QStringLiteral("SimSun")}));
    return font;
}

}  // namespace inlet
