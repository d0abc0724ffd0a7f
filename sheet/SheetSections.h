#pragma once

// The parts of the calculation sheet, each appended to the document in turn.

#include "sheet/SheetInput.h"
#include "sheet/TextWriter.h"

#include <QString>

namespace inlet {

// "进水流道喇叭管、导水锥及蜗壳计算": what the sheet calculates.
QString calculationContent();
// The program as the sheet's cover and footer name it: its Chinese name and the version of
// the run, "进水流道设计计算 1.00".
QString programShownOnSheet(const SheetInput& input);

// The cover, on its own page: 设计单位, project, stage, 专业, what is calculated, the document
// number, the design file, the run's time, the program, the signature rows 计算 / 校核 / 审查 /
// 审定 / 批准, and a run that did not complete.
void writeCover(TextWriter& writer, const SheetInput& input);
// The heading of the contents list, on a new page; the list itself follows once the
// sections are known (TextWriter::writeContents).
void writeContentsHeading(TextWriter& writer);
// 1 计算目的, on a new page.
void writePurpose(TextWriter& writer);
// 2 计算依据: the codes, the given dimensions and the program's formulas.
void writeBasis(TextWriter& writer, const SheetInput& input);
// 3 基本资料: every typed box, its text exactly, and the value the calculation took from it.
void writeGivenDimensions(TextWriter& writer, const SheetInput& input);
// 4.5 蜗壳断面形状: the twelve stations of a completed run, their shapes and both width sets.
void writeStations(TextWriter& writer, const SheetInput& input);
// 5 计算结果: every result box, whole numbers without the leading zeros of the box's picture
// and the box's text beside them; for a failed run the results reached and the failure.
void writeResults(TextWriter& writer, const SheetInput& input);
// 6 结论: the main results in words and the design checks.
void writeConclusion(TextWriter& writer, const SheetInput& input);
// 7 型线图: the section, the plan and the station sections, each to a stated scale with a
// scale bar.
void writeDrawings(TextWriter& writer, const SheetInput& input);

}  // namespace inlet
