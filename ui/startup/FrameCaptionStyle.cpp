#include "ui/startup/FrameCaptionStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

namespace inlet {

namespace {

// A frame's option as the frame would give it with the caption face set on the frame.
QStyleOptionGroupBox inCaptionFace(const QStyleOptionGroupBox& frame, const QFont& caption)
{
    QStyleOptionGroupBox option = frame;
    option.fontMetrics = QFontMetrics(caption);
    return option;
}

}  // namespace

FrameCaptionStyle::FrameCaptionStyle(const QFont& caption)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))), caption_(caption)
{
}

void FrameCaptionStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                           QPainter* painter, const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !frame) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QStyleOptionGroupBox captioned = inCaptionFace(*frame, caption_);
    painter->save();
    painter->setFont(caption_);
    QProxyStyle::drawComplexControl(control, &captioned, painter, widget);
    painter->restore();
}

QRect FrameCaptionStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                        const QWidget* widget) const
{
    const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !frame)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const QStyleOptionGroupBox captioned = inCaptionFace(*frame, caption_);
    return QProxyStyle::subControlRect(control, &captioned, part, widget);
}

}  // namespace inlet
