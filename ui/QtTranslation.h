#pragma once

// Qt's own texts in Chinese, like the window, whatever the user's language: the standard
// buttons (确定, 取消, 保存), the file dialogs and the print dialogs. Loading them reads and
// installs a translation file, which is kept off the window's start.

class QWidget;

namespace inlet {

class QtTranslation {
public:
    // Installs Qt's Chinese translation on the application, once; later calls do nothing.
    // Where the translation is not installed (Debian: qt6-translations-l10n), Qt's texts stay
    // English.
    static void install();
    // Installs it as soon as `window` has been painted for the first time.
    static void installOncePainted(QWidget& window);
    // Whether install() has been called.
    static bool installed();
};

}  // namespace inlet
