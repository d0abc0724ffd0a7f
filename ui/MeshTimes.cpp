#include "ui/MeshTimes.h"

#include <QSettings>

namespace inlet {

namespace {

QSettings settings() { return QSettings(QStringLiteral("inletpassage"), QStringLiteral("inlet")); }

QString key(cfd::MeshLevel level, const char* what)
{
    return QStringLiteral("meshTimes/%1/%2").arg(QString::fromUtf8(cfd::levelName(level)), QString::fromUtf8(what));
}

struct Level {
    cfd::MeshLevel level;
    const char* name;
    const char* estimate;  // cells and time of the default design, 2 processes on 2 cores
};

// The default design's runs: coarse 122,152 cells in 2–7 minutes, medium 278,563 in about
// half an hour, fine 667,300 in about 40 minutes; the tiny mesh about twice its background's.
constexpr Level kLevels[] = {
    {cfd::MeshLevel::Coarse, "粗网格", "约 12 万个单元，约 5 分钟（估计）"},
    {cfd::MeshLevel::Medium, "中网格", "约 28 万个单元，约 30 分钟（估计）"},
    {cfd::MeshLevel::Fine, "细网格", "约 67 万个单元，约 45 分钟（估计）"},
    {cfd::MeshLevel::Tiny, "试算网格（只检验流程）", "约 1 万个单元，约 1 分钟（估计）"},
};

QString duration(double seconds)
{
    if (seconds < 60)
        return QStringLiteral("%1 秒").arg(qRound(seconds));
    if (seconds < 3600)
        return QStringLiteral("%1 分钟").arg(QString::number(seconds / 60, 'f', 1));
    return QStringLiteral("%1 小时").arg(QString::number(seconds / 3600, 'f', 1));
}

}  // namespace

QString MeshTimes::caption(cfd::MeshLevel level)
{
    for (const Level& l : kLevels) {
        if (l.level != level)
            continue;
        const QSettings kept = settings();
        const double seconds = kept.value(key(level, "seconds")).toDouble();
        const int cells = kept.value(key(level, "cells")).toInt();
        const QString name = QString::fromUtf8(l.name);
        if (seconds > 0 && cells > 0)
            return QStringLiteral("%1：%2 个单元，本机用时 %3").arg(name).arg(cells).arg(duration(seconds));
        return name + QStringLiteral("：") + QString::fromUtf8(l.estimate);
    }
    return {};
}

void MeshTimes::measured(cfd::MeshLevel level, int cells, double seconds)
{
    QSettings kept = settings();
    if (kept.value(key(level, "seconds")).toDouble() > 0 || seconds <= 0 || cells <= 0)
        return;
    kept.setValue(key(level, "seconds"), seconds);
    kept.setValue(key(level, "cells"), cells);
}

}  // namespace inlet
