#pragma once

// 设计信息: what the drawing sheet's title block and the calculation sheet show about a design,
// beyond its numbers. Each field is one row of designInfoFields(): its key in the design file,
// its caption in the dialog and the workbook, and whether files written before it existed may
// lack it.

#include <QString>

#include <optional>
#include <vector>

namespace inlet {

struct DesignInfo {
    QString project;         // 工程名称
    QString stage;           // 设计阶段
    QString designer;        // 设计 (计算)
    QString checker;         // 校核
    QString date;            // 日期: of the design and its check
    QString notes;           // 备注
    QString unit;            // 设计单位
    QString discipline;      // 专业
    QString drawingNumber;   // 图号
    QString documentNumber;  // 文档编号: the calculation sheet's number
    QString reviewer;        // 审查
    QString reviewDate;
    QString approver;        // 审定
    QString approveDate;
    QString ratifier;        // 批准
    QString ratifyDate;
    QString floorElevation;  // 底板高程, metres; empty for heights relative to the floor
};

struct DesignInfoField {
    const char* key;       // "drawingNumber": the member of "info" in a design file
    const char* caption;   // "图号"
    QString DesignInfo::*field;
    bool optional;         // absent from files of format 1.0, read as empty
    bool multiline;        // 备注
};

// Every field, in the order the dialog shows them.
const std::vector<DesignInfoField>& designInfoFields();

// The floor elevation in metres: none when the text is empty; else the number it is, or
// nothing usable (`ok` false) when it is not a number. Accepts "12.5", "-3", " 102.300 ".
struct FloorElevation {
    bool ok = true;
    std::optional<double> metres;
};
FloorElevation floorElevationOf(const QString& text);

}  // namespace inlet
