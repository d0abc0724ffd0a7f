#pragma once

// A study's table (study.csv, StudyTable) as the study window's table view shows it: every
// column inlet-calc wrote, under its Chinese title where it has one and its own name
// otherwise (columns a deeper study adds appear as they come); numbers sort as numbers; a
// failed variant is a row of its own, tinted, with its failure in 失败原因.

#include "study/StudyTable.h"

#include <QAbstractTableModel>

namespace inlet {

class StudyTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The role a column sorts by: the number of a numeric column, the text otherwise.
    static constexpr int kSortRole = Qt::UserRole + 1;

    explicit StudyTableModel(QObject* parent = nullptr);

    void setTable(StudyTable table);
    const StudyTable& table() const { return table_; }

    // The title shown for a column of study.csv: "hk" stays "hk", "v_max" is 最大断面流速 (m/s).
    static QString title(const std::string& column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    StudyTable table_;
    std::vector<bool> numeric_;
};

}  // namespace inlet
