#pragma once

#include <stdexcept>

namespace inlet {

// A DXF file that could not be written: what() names the file and the reason,
// "cannot write /x/y.dxf: Permission denied".
class DxfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace inlet
