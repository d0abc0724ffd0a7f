#pragma once

// The DXF file's OBJECTS section: the named-object dictionary and what it names (groups,
// layouts, the multiline style, plot styles, dimension variables), every object with its owner.

#include <dl_writer_ascii.h>

namespace inlet {

// Writes the whole OBJECTS section. The layouts and the layout blocks' records refer to each
// other by the handles dxflib's block records give them (*Model_Space 1F, *Paper_Space 1B,
// *Paper_Space0 23 and their layouts 22, 1E, 26); the dimension variables take new handles.
void writeObjects(DL_WriterA& dw);

}  // namespace inlet
