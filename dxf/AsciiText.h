#pragma once

// Text as a DXF file carries it: printable ASCII only, so that any CAD font shows it.

#include <string>
#include <string_view>

namespace inlet {

// The UTF-8 text in ASCII: φ as "phi", θ as "theta", ° as "%%d" (the CAD code for the degree
// sign), ² and ³ as 2 and 3; every other character outside printable ASCII, control
// characters included, as one '?' (and each byte that is not part of a well-formed UTF-8
// character as one '?').
std::string asciiText(std::string_view utf8);

}  // namespace inlet
