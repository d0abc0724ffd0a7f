#pragma once

// The study a design was chosen from, as the chosen design's file keeps it ("study", see
// StudyRecord.h): the varied inputs and their ranges, the variants' inputs and key figures
// with each failure (the long check cells stay in study.csv), and the chosen variant with the
// objective and the requirements it was chosen by. The sheet's 方案比选 chapter and the
// design's workbook print it.

#include "cli/StudyCommand.h"
#include "study/VariantEvaluation.h"
#include "study/VariedInput.h"

#include <QJsonObject>

#include <string>
#include <vector>

namespace inlet {

struct StudyTable {
    std::vector<std::string> titles;              // study.csv's columns
    std::vector<std::vector<std::string>> rows;   // its rows, one per variant
    std::vector<const VariantFigures*> figures;   // each row's figures
    std::vector<bool> holds;                      // whether the row holds every constraint
};

// A study keeps at most this many variants in the chosen design's file: the ones that hold
// every constraint and are best by the objective, in the study's order; study.csv has them all.
inline constexpr std::size_t kMostSummaryRows = 200;

// `chosenCells` the chosen design's row (its name "best.inlet"), `chosenTexts` its varied
// inputs' texts (a width set's by name).
QJsonObject studySummary(const StudyOptions& study, const std::vector<VariedInput>& inputs, const StudyTable& table,
                         const std::vector<std::string>& chosenCells, const VariantFigures& chosen,
                         const std::vector<std::string>& chosenTexts, int evaluations);

}  // namespace inlet
