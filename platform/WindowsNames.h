#pragma once

// File names Windows keeps for devices: in every folder, "NUL.inlet" or "con" opens the
// device, not a file, so that a save there would write nowhere and seem to succeed.

#include <string>
#include <string_view>

namespace inlet {

// The device name (upper case: "NUL", "COM1") that `path`'s last part is reserved as on
// Windows, else empty: CON, PRN, AUX, NUL, COM1–COM9 and LPT1–LPT9, in any case, with any
// extension and with blanks before it ("nul .txt"). Either slash separates folders.
std::string windowsDeviceName(std::string_view path);

}  // namespace inlet
