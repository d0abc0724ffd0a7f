#include "document/DesignInfo.h"

#include <QRegularExpression>

#include <cmath>

namespace inlet {

const std::vector<DesignInfoField>& designInfoFields()
{
    static const std::vector<DesignInfoField> kFields{
        {"project", "工程名称", &DesignInfo::project, false, false},
        {"stage", "设计阶段", &DesignInfo::stage, false, false},
        {"unit", "设计单位", &DesignInfo::unit, true, false},
        {"discipline", "专业", &DesignInfo::discipline, true, false},
        {"drawingNumber", "图号", &DesignInfo::drawingNumber, true, false},
        {"documentNumber", "文档编号", &DesignInfo::documentNumber, true, false},
        {"designer", "设计", &DesignInfo::designer, false, false},
        {"checker", "校核", &DesignInfo::checker, false, false},
        {"date", "日期", &DesignInfo::date, false, false},
        {"reviewer", "审查", &DesignInfo::reviewer, true, false},
        {"reviewDate", "审查日期", &DesignInfo::reviewDate, true, false},
        {"approver", "审定", &DesignInfo::approver, true, false},
        {"approveDate", "审定日期", &DesignInfo::approveDate, true, false},
        {"ratifier", "批准", &DesignInfo::ratifier, true, false},
        {"ratifyDate", "批准日期", &DesignInfo::ratifyDate, true, false},
        {"floorElevation", "底板高程(m)", &DesignInfo::floorElevation, true, false},
        {"notes", "备注", &DesignInfo::notes, false, true},
    };
    return kFields;
}

FloorElevation floorElevationOf(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    // A plain decimal number with a full stop: what a drawing writes as an elevation.
    static const QRegularExpression kNumber(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!kNumber.match(trimmed).hasMatch())
        return {false, std::nullopt};
    const double metres = trimmed.toDouble();
    if (!std::isfinite(metres) || std::fabs(metres) > 1e6)
        return {false, std::nullopt};
    return {true, metres};
}

}  // namespace inlet
