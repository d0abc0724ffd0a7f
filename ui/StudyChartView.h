#pragma once

// A chart of a study's variants (Qt Charts): a figure against a varied input, or two figures
// against each other with their Pareto front (ParetoFront.h, both figures minimised) drawn as
// a line through the variants on it. Failed variants have no figures and are never drawn.

#include "study/StudyTable.h"

#include <QChartView>

#include <cstddef>
#include <vector>

namespace inlet {

class StudyChartView : public QChartView {
    Q_OBJECT

public:
    explicit StudyChartView(QWidget* parent = nullptr);

    // The column `figure` (vertical) against the column `input` (horizontal), a point per
    // variant.
    void showAgainst(const StudyTable& table, std::size_t figure, std::size_t input);
    // The column `y` against the column `x`, every variant a point, the front a line; the
    // rows on the front, from the least x. Each figure is better smaller, or larger where
    // `xLarger` or `yLarger` (Vu, θ̄).
    std::vector<std::size_t> showPareto(const StudyTable& table, std::size_t x, std::size_t y, bool xLarger = false,
                                        bool yLarger = false);
    // An empty chart saying why.
    void showNothing(const QString& why);

private:
    void replaceChart(QChart* chart);
    void showPoints(const StudyTable& table, std::size_t x, std::size_t y, const std::vector<std::size_t>& front);
};

}  // namespace inlet
