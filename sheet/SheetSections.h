#pragma once

// The parts of the calculation sheet, each appended to the document in turn.

#include "SheetInput.h"
#include "TextWriter.h"

#include <QString>

namespace inlet {

// "进水流道喇叭管、导水锥及蜗壳计算": what the sheet calculates.
QString calculationContent();

// The cover, on its own page: project, stage, what is calculated, the program, the signature
// lines, and a run that did not complete.
void writeCover(TextWriter& writer, const SheetInput& input);
// The heading of the contents list, on a new page; the list itself follows once the
// sections are known (TextWriter::writeContents).
void writeContentsHeading(TextWriter& writer);
// 1 给定参数: every typed box, its text exactly, and the value the calculation took from it.
void writeGivenDimensions(TextWriter& writer, const SheetInput& input);
// 2 计算方法: the formulas in the order the calculation evaluates them.
void writeMethod(TextWriter& writer);
// 3 计算结果: every result box as the window shows it; for a failed run the results reached
// and the failure.
void writeResults(TextWriter& writer, const SheetInput& input);
// 4 蜗壳断面: the twelve stations of a completed run.
void writeStations(TextWriter& writer, const SheetInput& input);
// 5 设计校核: the checks of a completed run.
void writeChecks(TextWriter& writer, const SheetInput& input);
// 6 型线图: the section and the plan, each to a stated scale with a scale bar.
void writeDrawings(TextWriter& writer, const SheetInput& input);

}  // namespace inlet
