#pragma once

// How far a design's flow figures can be trusted, read from the record a design file keeps of
// its flow (FlowRecord.h): the mesh study kept with it (under "meshStudy", absent in records of
// a single run and in files saved before studies were kept), each figure with its uncertainty
// band, and the verdict (cfd/FlowVerdict.h) on continuity, backflow, the GCI and the mesh.

#include "openfoam/FlowVerdict.h"
#include "openfoam/MeshStudy.h"

#include <QJsonObject>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace inlet {

// The study as the record keeps it, and back; none where the record holds none (or one that
// does not read as three meshes).
QJsonObject meshStudyObject(const cfd::MeshStudy& study);
std::optional<cfd::MeshStudy> meshStudyOf(const QJsonObject& record);

// What the verdict reads from a record: its result (as flowResultObject writes it), its study
// and, where the result carries them, checkMesh's largest non-orthogonality and skewness
// (result.checkMesh.nonOrthogonalityMax / skewnessMax) and, for a run settled on its means
// (result.averagedOver), each section's bands (band.Vu, band.theta, band.headLoss). Whatever is
// absent stays not known.
cfd::VerdictInput verdictInputOf(const QJsonObject& record);
cfd::FlowVerdict flowVerdictOf(const QJsonObject& record);

// A figure with its band, as the sheet and the window print it: "81.3 ± 1.7（GCI 2.1%，三套网格）",
// "0.0595 ± 0.0092（GCI 15.5%，三套网格，未收敛）"; the value alone where the record holds no
// study. `decimals` for the value and the band; figure "Vu", "theta" or "headLoss".
QString figureWithBand(const QJsonObject& record, const QString& section, const QString& figure, double value,
                       int decimals);

// The same in a table's cell: "81.3 ± 1.7", "0.0595 ± 0.0092 未收敛", the value alone without a study.
QString figureCell(const QJsonObject& record, const QString& section, const QString& figure, double value,
                   int decimals);

// What the figures rest on, as (item, text) rows in Chinese: 流量连续性, 回流, 网格收敛（GCI）,
// 网格质量（checkMesh）, and last 结论, the verdict line (cfd::verdictLine).
std::vector<std::pair<QString, QString>> trustRows(const QJsonObject& record);

// Whether the figure's GCI is above cfd::kGciLimit (or not found) in the record's study.
bool figureNotConverged(const QJsonObject& record, const QString& section, const QString& figure);

}  // namespace inlet
