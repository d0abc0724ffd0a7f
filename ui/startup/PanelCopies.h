#pragma once

// Copies of drawn edit-box panels. The window's 38 boxes have one size and one look, and
// drawing a panel (an antialiased rounded frame) costs as much as the box's text; a copy of
// the panel drawn over the same pixels is the same picture, so each look is drawn once and
// copied from then on.

#include <QImage>
#include <QStyle>

#include <functional>
#include <vector>

class QPainter;
class QStyleOption;

namespace inlet {

class PanelCopies {
public:
    using DrawPanel = std::function<void(QPainter&)>;

    // Paints the panel of `option` with `painter`: a copy where one was drawn for the same
    // option over the same pixels, else `drawPanel` over a copy of those pixels, which is then
    // kept. Returns false, having painted nothing, where the painter does not paint the whole
    // panel straight into an image at a whole-pixel offset; the caller then draws it itself.
    bool paint(const QStyleOption& option, QPainter& painter, const DrawPanel& drawPanel);

private:
    struct Copy {
        QStyle::State state;
        qint64 palette;
        Qt::LayoutDirection direction;
        int lineWidth;
        QImage under;  // the pixels the panel was drawn over
        QImage drawn;
    };
    std::vector<Copy> copies_;
};

}  // namespace inlet
