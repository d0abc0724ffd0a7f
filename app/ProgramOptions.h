#pragma once

// What `inlet [FILE]` is asked on its command line. The command line is read before the
// window system is started, so that --help, --version and usage errors need no display.

#include "drawing/WidthSets.h"
#include "export/ExportFormat.h"

#include <QString>

#include <iosfwd>
#include <optional>

namespace inlet {

struct ProgramOptions {
    // Set when the program ends without a window: 0 after --help or --version, 2 after a
    // usage error.
    std::optional<int> exitStatus;
    // The design file to open, or with --export the one to export.
    QString file;
    // --export OUT: the file to write from the design without a window, in the format of
    // its extension (or --format KEY), with the format's choices (--KEY [VALUE]).
    QString exportTo;
    QString exportFormat;  // the format's key
    ExportChoices exportChoices;
    // --widths: the widths an export draws with, instead of the design file's choice.
    std::optional<WidthSet> widthSet;
};

// Reads argv as main() receives it; prints help and the version to `out`, usage errors and
// notes to `err`.
ProgramOptions readProgramOptions(int argc, const char* const argv[], std::ostream& out,
                                  std::ostream& err);

}  // namespace inlet
