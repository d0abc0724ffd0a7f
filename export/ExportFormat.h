#pragma once

// A kind of file the program writes from a run: its extension, its name as the menus and
// file dialogs show it, what it holds, the choices it offers and the function that writes it.

#include "export/ExportInput.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace inlet {

// What a format holds, which decides where it is offered: 导出计算书 offers the sheets,
// 导出图形 the drawings, 导出 Excel the workbooks.
enum class ExportKind {
    Sheet,     // the calculation sheet (计算书)
    Drawing,   // the passage drawn
    Workbook,  // the texts, values and results as a spreadsheet
    Table,     // one table of figures as text (the setting-out coordinates): not in the menus
};

// A choice a format offers. Without values it is a switch, on or off (off unless chosen);
// else one of the values, the first unless chosen. `key` names it everywhere: in the
// command line as --KEY, in ExportChoices.
struct ExportOption {
    QString key;          // "dxf-polylines", "paper"
    QString label;        // what the export dialog shows; empty where only the command line offers it
    QStringList values;   // {"auto", "A0", "A1", "A2", "A3"}; empty for a switch
    QString english;      // what the command lines' help says
    QStringList shown;    // the values as the export dialog shows them ({"自动", "A0", ...}); empty: as they are
};

// The choices made: key to value ("yes" for a switch that is on). A key that is absent takes
// its default.
using ExportChoices = std::map<QString, QString>;

// Writes the file at `path` from the run, replacing a file there only once it has been
// written whole (saveAtomically). Throws a Failure naming the file when it cannot.
using ExportWriter = std::function<void(const ExportInput& input, const QString& path, const ExportChoices& choices)>;

struct ExportFormat {
    QString key;        // unique: the extension, or "drawing-pdf" where an extension is taken
    QString extension;  // "dxf": lower case, without the dot; the key's last part
    QString name;       // "DXF 图形"
    QString english;    // "drawing for CAD", for the command lines' help
    ExportKind kind = ExportKind::Drawing;
    std::vector<ExportOption> options;
    bool needsCompletedRun = false;  // a failed run has nothing to write (a drawing)
    ExportWriter write;

    // Whether the switch `key` is on, or the value chosen for `key`.
    static bool isOn(const ExportChoices& choices, const QString& key);
    QString value(const ExportChoices& choices, const QString& key) const;
};

}  // namespace inlet
