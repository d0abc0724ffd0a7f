#pragma once

// The calculation sheet as an ODT written through libodfgen (librevenge's text interface), as
// a word processor opens it printed: A4 pages whose header holds the title block with the page
// as fields (第 n 页 共 m 页) and whose footer names the program; every text style with its
// Asian face, size and weight; headings as outline levels with a contents list the word
// processor updates (its page numbers references to the headings, worked out as it lays the
// document out); tables ruled as in the PDF; the pictures embedded.

#include <QByteArray>

namespace inlet {

class SheetDocument;

// The bytes of the ODT file; empty where it could not be made.
QByteArray sheetOdtDocument(const SheetDocument& sheet);

}  // namespace inlet
