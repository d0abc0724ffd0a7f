#pragma once

// The study a design was chosen from, as its file keeps it under "study" (written by
// inlet-calc --optimise into best.inlet):
//   { "depth": "checks" | "solid",
//     "varied": [ { "name": "hk", "from": 1800, "to": 2600, "count": 5 }, { "name": "widths" } ],
//     "samples": N, "seed": "S"            (Latin-hypercube samples; absent for a grid)
//     "objective": "B" | "volume", "require": [ "v_max<=1.2", ... ],
//     "columns": [ "variant", "hk", ..., "B", "v_max", ..., "sections", "warnings", "error" ],
//     "variants": 45,                      (the study's; "rows" may list fewer)
//     "rows": [ { "cells": [...], "holds": true, "B": 6150.2, "v_max": 1.44, "volume": ... } ],
//     "chosen": { "cells": [...], "B": ..., "evaluations": 229, "texts": { "hk": "2600", ... } } }
// Each row's cells are study.csv's, the long lists of warnings and checks left out; the figures
// as numbers are for the Pareto front. The sheet's 方案比选 chapter and the workbook's sheet of
// that name read it from here.

#include "boxes/Boxes.h"
#include "drawing/WidthSets.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace inlet {

struct StudyRecord {
    struct Variant {
        QStringList cells;
        bool holds = false;
        std::map<QString, double> figures;  // "B", "v_max", "volume"
    };
    QString depth;
    QStringList varied;      // each varied input in words: "hk 1800～2600（5 个值）"
    QString plan;            // "网格" or "拉丁超立方抽样 8 个（种子 11）"
    QString objective;       // "B" or "volume"
    QStringList require;
    QStringList columns;
    qint64 variants = 0;
    std::vector<Variant> rows;
    Variant chosen;          // its cells' variant "best.inlet"
    int evaluations = 0;
    std::map<QString, QString> chosenTexts;  // the varied inputs' texts, by name
};

// The record of a design's "study" member; none where it is empty or not one this program
// wrote (no columns or no chosen variant).
std::optional<StudyRecord> studyRecordOf(const QJsonObject& study);

// The figure the Pareto front sets against the objective: the volume for B where the study
// has it, B for the volume, else the largest station velocity v_max.
QString frontFigure(const StudyRecord& record);
// The figure in words with its unit, for the chart's axes and the tables: "B (mm)".
QString figureTitle(const QString& figure);

// The indices into rows of the variants on the front of the objective against frontFigure(),
// among those that hold every constraint, by increasing objective; `withChosen` whether the
// chosen design is on it too.
std::vector<std::size_t> studyFront(const StudyRecord& record, bool* withChosen = nullptr);

// Why the chosen variant was chosen, in one paragraph: the objective, the constraints, the
// search and how it compares with the study's best variant that holds.
QString studyChoiceText(const StudyRecord& record);

// Whether the design with `texts` and `set` is the chosen variant: the varied inputs' texts
// are its own. A design changed since is not, and its sheet says so.
bool studyIsOf(const StudyRecord& record, const std::map<Box, QString>& texts, WidthSet set);

}  // namespace inlet
