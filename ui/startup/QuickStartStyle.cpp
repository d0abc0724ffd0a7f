#include "ui/startup/QuickStartStyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace inlet {

QuickStartStyle::QuickStartStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())),
      copiesPanels_(baseStyle()->name().compare(QStringLiteral("Fusion"), Qt::CaseInsensitive) == 0)
{
}

QIcon QuickStartStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(icon, option, widget);
}

void QuickStartStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    const auto draw = [&](QPainter& onto) { QProxyStyle::drawPrimitive(element, option, &onto, widget); };
    if (element == PE_PanelLineEdit && copiesPanels_ && option && painter && panels_.paint(*option, *painter, draw))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void QuickStartStyle::install()
{
    if (!qobject_cast<QuickStartStyle*>(QApplication::style()))
        QApplication::setStyle(new QuickStartStyle);
}

}  // namespace inlet
