#pragma once

// The line at the foot of a window after an export: "已导出 <file>" with 打开所在文件夹, so that
// the engineer sees the file was written and where. The status bar is made at the first
// export, and the window grows by its height, so that what the window shows above keeps its
// size.

#include <QString>

class QMainWindow;

namespace inlet {

class ExportNote {
public:
    // Shows (or replaces) the line for the file written at `path`.
    static void show(QMainWindow& window, const QString& path);
    // The line's text, empty before the first export.
    static QString text(const QMainWindow& window);
};

}  // namespace inlet
