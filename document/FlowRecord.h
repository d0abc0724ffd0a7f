#pragma once

// The record a design file keeps of the flow computed for the design (under "flow": the
// settings, among them the volute widths the passage was built with, the texts of the boxes it
// was computed for, the result), and how it stands to the design's boxes now. It belongs to the
// design while the boxes the flow reads hold the texts it was computed for and the design takes
// the same widths; the result boxes (H, B) and the boxes only shown or checked do not count, so
// that a design saved before or after its run, by either program, keeps its flow.

#include "boxes/Boxes.h"
#include "drawing/WidthSets.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <map>
#include <vector>

namespace inlet {

// The boxes whose texts the flow through the passage is computed from: the given dimensions
// (D to hk), the design flow Q and the passage length L.
const std::array<Box, 12>& flowInputBoxes();

enum class FlowStanding {
    None,         // no record
    ThisDesign,   // settled, computed for the texts the boxes hold
    OtherInputs,  // computed for other texts in some of flowInputBoxes()
    NotSettled,   // kept without settled figures
};

// `set` is the width set the design takes now; a record without one was computed with the
// computed widths (as a design file without one takes them).
FlowStanding flowStanding(const QJsonObject& record, const std::map<Box, QString>& texts, WidthSet set);

// The width set the record's flow was computed with, and the member of its settings that holds it.
WidthSet flowWidthSet(const QJsonObject& record);
inline constexpr const char* kFlowWidthSetKey = "widthSet";

// The boxes of flowInputBoxes() whose texts differ from those the record was computed for, in
// that order.
std::vector<Box> flowInputsChanged(const QJsonObject& record, const std::map<Box, QString>& texts);

// What a sheet or a workbook says in place of figures that do not belong to the design (one
// sentence, Chinese, naming each box changed with its text then and now, and the widths if the
// design takes others); empty for a record
// that does (or for none).
QString flowNotShownText(const QJsonObject& record, const std::map<Box, QString>& texts, WidthSet set);

// A section's and a mesh level's names as the sheet, the workbook and the window write them
// ("水泵进口断面", "粗网格").
QString flowSectionName(const QString& name);
QString flowLevelName(const QString& level);

// The case's own inputs a record was run with, as the sheet and the window name them: where
// the outlet lies, the walls' roughness and the hub, e.g. "出口在水泵进口断面以上 2 倍管径 D0 处；
// 壁面光滑（Ks = 0）；轮毂：无". A record of an earlier version, which kept none of them, was
// run with its outlet one D0 up, smooth walls and no hub, and is named so.
QString flowCaseInputsText(const QJsonObject& record);

}  // namespace inlet
