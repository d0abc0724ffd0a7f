#pragma once

// The application's own style, less the menu bar's extension button icon. A menu bar loads
// that icon from a file when it is created, and the first icon read from a file has Qt load
// every image format plugin (some 3 million instructions) before the window's first frame.
// The button appears only when the menus do not fit the window's width, which the main
// window's three menus always do.
//
// Over Fusion, edit-box panels are drawn once per look and copied (PanelCopies.h); other
// styles animate or theme their panels and draw each one themselves.

#include "ui/startup/PanelCopies.h"

#include <QProxyStyle>

namespace inlet {

class QuickStartStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Wraps a new instance of the style the application uses now (QT_STYLE_OVERRIDE and
    // -style included).
    QuickStartStyle();

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Makes it the application's style, once.
    static void install();

private:
    bool copiesPanels_;
    mutable PanelCopies panels_;
};

}  // namespace inlet
