#include "sheet/SheetSetOut.h"

namespace inlet {

void writeSetOutAppendix(TextWriter& writer, const SheetInput& input)
{
    if (!input.setOut)
        return;
    const SetOut& tables = *input.setOut;
    const auto q = [](const std::string& s) { return QString::fromStdString(s); };
    writer.section(QStringLiteral("附录 B 放样坐标表"));
    writer.paragraph(q(tables.heading()) +
                     QStringLiteral("（图形所用的一组。）各坐标取整毫米，与图中尺寸相同；椭圆参数 t 取 0.1°。"));
    int number = 1;
    for (const SetOutTable& table : tables.tables) {
        writer.subsection(QStringLiteral("B.%1 ").arg(number++) + q(table.title));
        if (!table.note.empty())
            writer.paragraph(q(table.note));
        if (table.rows.empty()) {
            writer.paragraph(q(table.empty));
            continue;
        }
        QStringList header;
        std::vector<double> widths;
        std::vector<int> right;
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            header << q(table.columns[c].title);
            widths.push_back(100.0 / static_cast<double>(table.columns.size()));
            right.push_back(static_cast<int>(c));
        }
        std::vector<QStringList> rows;
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            QStringList row;
            for (std::size_t c = 0; c < table.columns.size(); ++c)
                row << q(table.cell(r, c));
            rows.push_back(row);
        }
        writer.table(widths, header, rows, right);
    }
}

}  // namespace inlet
