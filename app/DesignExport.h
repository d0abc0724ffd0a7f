#pragma once

// inlet --export OUT DESIGN: a design file written in one of the program's formats (the
// calculation sheet, the drawing, ...) without a window. Needs a QGuiApplication, on any
// platform (offscreen will do).

#include "export/ExportFormat.h"

#include "drawing/WidthSets.h"

#include <QString>

#include <iosfwd>
#include <optional>

namespace inlet {

// Writes `out` in the format `formatKey` from the design file `design`, the reason on `err`
// when it cannot. Returns the exit status: 0 written; 1 the design cannot be read, its
// calculation fails (a sheet is written all the same, showing the failure; a drawing is
// not), or `out` cannot be written. `widthSet`, where given, draws with those widths instead
// of the design file's choice.
int exportDesign(const QString& design, const QString& out, const QString& formatKey, const ExportChoices& choices,
                 std::ostream& err, std::optional<WidthSet> widthSet = std::nullopt);

}  // namespace inlet
