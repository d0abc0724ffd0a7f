#include "ui/startup/PanelCopies.h"

#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionFrame>

#include <algorithm>

namespace inlet {

namespace {

// Panels of so many looks are kept; the window needs two (with and without the focus).
constexpr std::size_t kKept = 8;

int lineWidthOf(const QStyleOption& option)
{
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(&option);
    return frame ? frame->lineWidth : -1;
}

}  // namespace

bool PanelCopies::paint(const QStyleOption& option, QPainter& painter, const DrawPanel& drawPanel)
{
    // Copies are exact only where the painter writes pixels straight into an image, moved by
    // whole pixels and blending nothing of its own.
    QPaintEngine* engine = painter.paintEngine();
    auto* image = engine ? dynamic_cast<QImage*>(engine->paintDevice()) : nullptr;
    const QTransform toDevice = painter.deviceTransform();
    if (!image || toDevice.type() > QTransform::TxTranslate || painter.opacity() != 1.0
        || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const QPoint offset(int(toDevice.dx()), int(toDevice.dy()));
    if (offset.x() != toDevice.dx() || offset.y() != toDevice.dy())
        return false;
    const QRect onDevice = option.rect.translated(offset);
    if (!image->rect().contains(onDevice))
        return false;
    // A box repainted in part (its cursor, say) has old pixels around the part: drawn as usual.
    const QRegion painted = engine->systemClip();
    if (painter.hasClipping() || (!painted.isEmpty() && !(QRegion(onDevice) - painted).isEmpty()))
        return false;

    const QImage under = image->copy(onDevice);
    const qint64 palette = option.palette.cacheKey();
    const int lineWidth = lineWidthOf(option);
    auto copy = std::find_if(copies_.begin(), copies_.end(), [&](const Copy& kept) {
        return kept.state == option.state && kept.palette == palette && kept.direction == option.direction
               && kept.lineWidth == lineWidth && kept.under == under;
    });
    if (copy == copies_.end()) {
        QImage drawn = under;
        {
            QPainter onCopy(&drawn);
            onCopy.translate(-option.rect.topLeft());
            drawPanel(onCopy);
        }
        if (copies_.size() == kKept)
            copies_.erase(copies_.begin());
        copies_.push_back({option.state, palette, option.direction, lineWidth, under, drawn});
        copy = copies_.end() - 1;
    }
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(option.rect.topLeft(), copy->drawn);
    painter.restore();
    return true;
}

}  // namespace inlet
