#include "drawing/SetOutSheet.h"

#include "drawing/Figures.h"

#include <algorithm>
#include <string>

namespace inlet {

namespace {

constexpr double kText = 3.5;       // mm: every figure and heading of the tables
constexpr double kTitleText = 5;    // the sheet's heading
constexpr double kRow = 6;          // a table row
constexpr double kColumn = 22;      // a table column
constexpr double kSlotGap = 12;     // between two columns of tables
constexpr double kTableGap = 6;     // between two tables one under the other
constexpr double kMargin = 5;       // inside the frame
constexpr double kTitleBlockHeight = 56;

// The lines a heading takes: the text cut at its "，" or "；" into pieces that fit `width`.
std::vector<std::string> wrapped(const std::string& text, double height, double width)
{
    if (textWidth({text}, height) <= width)
        return {text};
    std::vector<std::string> lines;
    std::string line;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t at = std::string::npos;
        for (const char* mark : {"；", "，", ", "}) {
            const std::size_t found = text.find(mark, from);
            if (found != std::string::npos && (at == std::string::npos || found < at))
                at = found + std::char_traits<char>::length(mark);
        }
        const std::string piece = text.substr(from, at == std::string::npos ? std::string::npos : at - from);
        from = at == std::string::npos ? text.size() : at;
        if (!line.empty() && textWidth({line, piece}, height) > width) {
            lines.push_back(line);
            line.clear();
        }
        line += piece;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

class Layout {
public:
    Layout(const SetOut& tables, const TitleBlock& block, const PaperSize& paper)
        : tables_(tables), block_(block), paper_(paper)
    {
    }

    std::vector<SetOutPage> pages()
    {
        for (const SetOutTable& table : tables_.tables)
            place(table);
        return std::move(pages_);
    }

private:
    double slotWidth(const SetOutTable& table) const
    {
        return std::max(kColumn * static_cast<double>(table.columns.size()), 70.0);
    }

    void newPage()
    {
        SetOutPage page{paper_, {}};
        // The frame's inside and the title block, as the drawing sheet has them.
        Drawing none;
        none.extent = {0, 0, 1, 1};
        TitleBlock block = block_;
        block.title = "放样坐标表";
        block.scaleText = "—";
        const DrawingSheet sheet = drawingSheet(none, block, paper_.name);
        page.shapes = sheet.shapes;
        frame_ = sheet.frame;
        const double top = frame_.top - kMargin;
        label(page, {frame_.left + kMargin, top - kTitleText}, kTitleText, Label::Anchor::Left,
              pages_.empty() ? "放样坐标表" : "放样坐标表（续）", "SETTING-OUT TABLES");
        double y = top - kTitleText - kRow;
        for (const std::string& line : wrapped(tables_.heading(), kText, frame_.width() - 2 * kMargin)) {
            label(page, {frame_.left + kMargin, y}, kText, Label::Anchor::Left, line, tables_.datumAscii);
            y -= kRow;
        }
        top_ = y - kRow / 2;
        x_ = frame_.left + kMargin;
        y_ = top_;
        pages_.push_back(std::move(page));
    }

    void label(SetOutPage& page, Point at, double height, Label::Anchor anchor, const std::string& text,
               const std::string& ascii)
    {
        page.shapes.push_back({Layer::Text, Label{at, height, anchor, text, ascii}});
    }
    void line(Point a, Point b) { pages_.back().shapes.push_back({Layer::Dimension, Line{a, b}}); }

    // The lowest a table may reach at x from `x` to `x + width`: above the title block where
    // the column stands over it.
    double bottomAt(double x, double width) const
    {
        const bool overTitleBlock = x + width > frame_.right - 180 - kMargin;
        return frame_.bottom + kMargin + (overTitleBlock ? kTitleBlockHeight : 0);
    }

    // Moves to the next column of tables, or the next page.
    void nextColumn(double width)
    {
        x_ += width + kSlotGap;
        y_ = top_;
        if (x_ + width > frame_.right - kMargin)
            newPage();
    }

    // The heading lines of a table, and how high they stand.
    std::vector<std::string> headingOf(const SetOutTable& table, bool continued) const
    {
        std::vector<std::string> lines = wrapped(table.title + (continued ? "（续）" : ""), kText, slotWidth(table));
        if (!table.note.empty()) {
            for (const std::string& l : wrapped(table.note, kText, slotWidth(table)))
                lines.push_back(l);
        }
        return lines;
    }

    void place(const SetOutTable& table)
    {
        if (pages_.empty())
            newPage();
        const double width = slotWidth(table);
        const std::size_t rows = std::max<std::size_t>(table.rows.size(), 1);
        std::size_t next = 0;
        bool continued = false;
        while (next < rows) {
            const std::vector<std::string> heading = headingOf(table, continued);
            const double headingHeight = kRow * static_cast<double>(heading.size() + 1);  // and the columns' titles
            // Room for the heading and at least three rows (or all) in this column, else the next.
            const double room = y_ - bottomAt(x_, width) - headingHeight;
            const std::size_t fits = room > 0 ? static_cast<std::size_t>(room / kRow) : 0;
            if (fits < std::min<std::size_t>(3, rows - next)) {
                if (y_ == top_ && x_ == frame_.left + kMargin)
                    break;  // not even on an empty page: the paper is too small to hold it
                nextColumn(width);
                continue;
            }
            SetOutPage& page = pages_.back();
            double y = y_;
            for (const std::string& h : heading) {
                label(page, {x_, y - kText - 1}, kText, Label::Anchor::Left, h, table.ascii);
                y -= kRow;
            }
            const double tableTop = y;
            const auto rowText = [&](double at, std::size_t c, const std::string& text, const std::string& ascii) {
                label(page, {x_ + kColumn * (static_cast<double>(c) + 0.5), at - kRow + (kRow - kText) / 2}, kText,
                      Label::Anchor::Centre, text, ascii);
            };
            for (std::size_t c = 0; c < table.columns.size(); ++c)
                rowText(y, c, table.columns[c].title, table.columns[c].ascii);
            y -= kRow;
            const std::size_t last = std::min(rows, next + fits);
            for (; next < last; ++next) {
                if (table.rows.empty()) {
                    label(page, {x_ + 1, y - kRow + (kRow - kText) / 2}, kText, Label::Anchor::Left, table.empty,
                          "-");
                } else {
                    for (std::size_t c = 0; c < table.columns.size(); ++c)
                        rowText(y, c, table.cell(next, c), table.cell(next, c));
                }
                y -= kRow;
            }
            // The rules: round the table, under the titles, between the columns.
            const double right = x_ + kColumn * static_cast<double>(table.columns.size());
            for (const double at : {tableTop, tableTop - kRow, y})
                line({x_, at}, {right, at});
            for (std::size_t c = 0; c <= table.columns.size(); ++c) {
                const double x = x_ + kColumn * static_cast<double>(c);
                line({x, tableTop}, {x, y});
            }
            y_ = y - kTableGap;
            continued = true;
            if (next < rows)
                nextColumn(width);
        }
    }

    const SetOut& tables_;
    const TitleBlock& block_;
    PaperSize paper_;
    std::vector<SetOutPage> pages_;
    Extent frame_;
    double top_ = 0;  // where a column of tables starts
    double x_ = 0;    // the current column's left
    double y_ = 0;    // where the next table starts in it
};

}  // namespace

std::vector<SetOutPage> setOutPages(const SetOut& tables, const TitleBlock& block, const PaperSize& paper)
{
    // Numbered after the drawing's sheet: a first pass counts them.
    std::vector<SetOutPage> pages = Layout(tables, block, paper).pages();
    const int count = static_cast<int>(pages.size()) + 1;
    TitleBlock numbered = block;
    std::vector<SetOutPage> result;
    for (int n = 2; n <= count; ++n) {
        numbered.sheetOf = join({"第 ", std::to_string(n), " 张 共 ", std::to_string(count), " 张"});
        std::vector<SetOutPage> again = Layout(tables, numbered, paper).pages();
        result.push_back(std::move(again[static_cast<std::size_t>(n - 2)]));
    }
    return result;
}

int drawingSheetCount(const SetOut& tables, const PaperSize& paper)
{
    return 1 + static_cast<int>(Layout(tables, TitleBlock{}, paper).pages().size());
}

}  // namespace inlet
