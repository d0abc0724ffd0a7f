#pragma once

// Where an export is offered: a file named after the design, in the folder of the last export
// that was written. The main window and the drawing window both ask here, so that they offer
// the same name and the same folder; a folder whose export failed is never offered again.

#include "document/DesignFile.h"

#include <QString>

namespace inlet {

class ExportPlace {
public:
    // The design's name for its files: 工程名称, else the design file's name without its
    // suffix, else "进水流道设计"; characters a file name cannot hold on Windows or Linux
    // become "_".
    static QString designName(const DesignInfo& info, const QString& designFile);
    // "<folder>/<designName>-<what>.<extension>": "示例泵站进水流道-计算书.pdf".
    static QString suggested(const QString& folder, const DesignInfo& info, const QString& designFile,
                             const QString& what, const QString& extension);
    // The folder of the last export written, as the settings keep it (key "lastExportFolder");
    // else `fallback`, else the home folder.
    static QString folder(const QString& fallback = {});
    // A file was written at `path`: its folder is offered next, in every window.
    static void written(const QString& path);
};

}  // namespace inlet
