#include "ui/UnsettledFigures.h"

#include "document/FlowRecord.h"

#include <QStringList>

namespace inlet {

namespace {

QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals); }

}  // namespace

QString unsettledFiguresText(const cfd::FlowResult& r)
{
    if (r.sections.empty())
        return {};
    const bool averaged = r.averagedTo > 0;
    const auto band = [averaged](const cfd::Band& b, int decimals) {
        return averaged ? QStringLiteral("（波动 %1～%2）").arg(fixed(b.low, decimals), fixed(b.high, decimals)) : QString();
    };
    QStringList sections;
    for (const cfd::SectionResult& s : r.sections) {
        QString text = QStringLiteral("%1 Vu %2%%3，θ̄ %4°%5")
                           .arg(flowSectionName(QString::fromStdString(s.name)), fixed(s.figures.uniformity, 1),
                                band(s.uniformityBand, 1), fixed(s.figures.angle, 1), band(s.angleBand, 1));
        text += QStringLiteral("，θ̄ 仅旋流 %1°%2")
                    .arg(fixed(s.figures.swirlAngle, 1),
                         averaged && s.swirlAngleBand ? band(*s.swirlAngleBand, 1) : QString());
        sections << text + QStringLiteral("，水头损失 %1 m%2").arg(fixed(s.headLoss, 4), band(s.lossBand, 4));
    }
    const QString which = averaged ? QStringLiteral("第 %1～%2 次迭代的平均值").arg(r.averagedFrom + 1).arg(r.averagedTo)
                                   : QStringLiteral("最后一次评价的数值");
    return QStringLiteral("%1（未稳定，不作结果）：%2").arg(which, sections.join(QStringLiteral("；")));
}

}  // namespace inlet
