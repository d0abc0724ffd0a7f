#pragma once

// Every kind of file the program writes, keyed by extension: one table that the menus, the
// export dialogs, `inlet --export` and `inlet-calc` all read. Each program binds the writers
// it links; a format without a writer is not offered.

#include "export/ExportFormat.h"

#include <optional>
#include <vector>

namespace inlet {

class ExportRegistry {
public:
    // Every format this build knows, in the order menus list them, without writers.
    static ExportRegistry described();

    // Gives the format `key` its writer.
    void setWriter(const QString& key, ExportWriter writer);

    // Every format known, whether it has a writer or not.
    const std::vector<ExportFormat>& all() const { return formats_; }
    // The formats that can be written (of `kind` when given), in menu order.
    std::vector<const ExportFormat*> formats(std::optional<ExportKind> kind = std::nullopt) const;
    // The format named `key`, if it can be written.
    const ExportFormat* byKey(const QString& key) const;
    // The format a file named `path` is written in: the first of its extension (any case)
    // among those of `kind` when given.
    const ExportFormat* forPath(const QString& path, std::optional<ExportKind> kind = std::nullopt) const;

    // For a file dialog: "DXF 图形 (*.dxf);;SVG 图形 (*.svg)".
    QString fileFilter(ExportKind kind) const;
    // For a message: ".dxf、.svg、.png".
    QString extensionList(std::optional<ExportKind> kind = std::nullopt) const;

private:
    std::vector<ExportFormat> formats_;
};

// Writes the run in `format` to `path`: a format that needs a completed run refuses a failed
// one (NothingToDraw). Throws a Failure naming the file.
void writeExport(const ExportFormat& format, const ExportInput& input, const QString& path,
                 const ExportChoices& choices = {});

}  // namespace inlet
