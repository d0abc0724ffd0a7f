#pragma once

// Text as a DXF file of AutoCAD 2007 or later carries it: UTF-8, with the CAD codes for the
// signs CAD fonts draw themselves, and every character a TEXT value cannot hold escaped.

#include <string>
#include <string_view>

namespace inlet {

// The UTF-8 text as a TEXT entity's value: ° as "%%d", ⌀ and Ø as "%%c" (the CAD codes for
// the degree and diameter signs), a control character (a line break) or a backslash as
// "\U+XXXX", which CAD programs show as the character; each byte that is not part of a
// well-formed UTF-8 character as "\U+FFFD". Nothing is dropped.
std::string dxfText(std::string_view utf8);

}  // namespace inlet
