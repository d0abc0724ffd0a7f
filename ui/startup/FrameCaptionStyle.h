#pragma once

// The frames' style: an etched border drawn with lines and the caption set into its top edge
// (Qt's Windows style; the application's style puts the caption above the border and draws
// the border from a picture, whose loading slows the first frame), the caption in a face of
// its own. The frame itself keeps the window's face, which what it holds inherits, so that
// no box or label is laid out again in another face at the start.

#include <QFont>
#include <QProxyStyle>

namespace inlet {

class FrameCaptionStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit FrameCaptionStyle(const QFont& caption);

    // The face the captions are measured and drawn in.
    QFont captionFont() const { return caption_; }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;

private:
    QFont caption_;
};

}  // namespace inlet
