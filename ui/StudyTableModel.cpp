#include "ui/StudyTableModel.h"

#include <QBrush>
#include <QColor>

#include <limits>
#include <map>

namespace inlet {

StudyTableModel::StudyTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StudyTableModel::setTable(StudyTable table)
{
    beginResetModel();
    table_ = std::move(table);
    numeric_.clear();
    for (std::size_t c = 0; c < table_.columns().size(); ++c)
        numeric_.push_back(table_.numeric(c));
    endResetModel();
}

QString StudyTableModel::title(const std::string& column)
{
    static const std::map<std::string, QString> titles{
        {"variant", QStringLiteral("方案")},
        {"widths", QStringLiteral("断面宽度")},
        {"B", QStringLiteral("B (mm)")},
        {"v_max", QStringLiteral("最大断面流速 (m/s)")},
        {"volume", QStringLiteral("体积 (m³)")},
        {"wetted_area", QStringLiteral("湿周面积 (m²)")},
        {"sections", QStringLiteral("断面形状成立")},
        {"warnings", QStringLiteral("警告数")},
        {"warned", QStringLiteral("有警告的校核")},
        {"checks", QStringLiteral("校核")},
        {"error", QStringLiteral("失败原因")},
    };
    const auto it = titles.find(column);
    return it == titles.end() ? QString::fromStdString(column) : it->second;
}

int StudyTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(table_.rowCount());
}

int StudyTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(table_.columns().size());
}

QVariant StudyTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const std::size_t row = std::size_t(index.row());
    const std::size_t column = std::size_t(index.column());
    QString text = QString::fromStdString(table_.text(row, column));
    // Whether the sections' shapes hold, in the window's words.
    if (table_.columns()[column] == "sections" && role == Qt::DisplayRole) {
        if (text == QLatin1String("exist"))
            text = QStringLiteral("成立");
        else if (text == QLatin1String("missing"))
            text = QStringLiteral("不成立");
    }
    switch (role) {
    case Qt::DisplayRole:
        // The checks' cell holds every check: its first part here, the whole in the tip.
        return text.size() > 120 ? text.left(117) + QStringLiteral("…") : text;
    case Qt::ToolTipRole:
        return text.size() > 120 ? text : QVariant();
    case kSortRole:
        if (numeric_[column]) {
            // A failed variant's empty figure sorts after every number.
            const std::optional<double> number = table_.number(row, column);
            return number ? QVariant(*number) : QVariant(std::numeric_limits<double>::infinity());
        }
        return text;
    case Qt::TextAlignmentRole:
        return numeric_[column] ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return table_.failure(row).empty() ? QVariant() : QVariant(QBrush(QColor(0xfd, 0xe2, 0xe2)));
    default:
        return {};
    }
}

QVariant StudyTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return title(table_.columns()[std::size_t(section)]);
}

}  // namespace inlet
