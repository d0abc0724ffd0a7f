#pragma once

// Text as a DXF file of AutoCAD 2007 or later carries it: UTF-8, every character a TEXT value
// cannot hold escaped.

#include <string>
#include <string_view>

namespace inlet {

// The UTF-8 text as a TEXT, MTEXT or DIMENSION entity's value: the degree and diameter signs
// (°, ⌀, Ø) as they are, not as the CAD codes %%d and %%c, which FreeCAD shows as written while
// AutoCAD and LibreCAD read the UTF-8 sign too; a control character (a line break) or a
// backslash as "\U+XXXX", which CAD programs show as the character; each byte that is not part
// of a well-formed UTF-8 character as "\U+FFFD". Nothing is dropped.
std::string dxfText(std::string_view utf8);

}  // namespace inlet
