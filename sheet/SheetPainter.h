#pragma once

// Paints the calculation sheet page by page on any paged device: QPdfWriter for PDF, QPrinter
// for printing and for the print preview (whose paintRequested calls this).

#include <QPagedPaintDevice>
#include <QString>

namespace inlet {

class SheetDocument;

// Sets the device to A4 portrait and paints every page: the document's body, and on every
// page, the cover included, the title block (工程名称, 设计阶段, 计算内容, "第 n 页 共 m 页")
// and the footer (the program and its version). Returns an empty string on success, else
// why the device could not be painted on. Tells progress() of each page, so that a watching
// window can show it and stop the painting (Failure Cancelled).
QString paintSheet(const SheetDocument& sheet, QPagedPaintDevice& device);

}  // namespace inlet
