#pragma once

#include <stdexcept>
#include <string>

namespace inlet {

// A DXF file that could not be written: what() names the file and the reason,
// "cannot write /x/y.dxf: Permission denied"; reason() is the reason alone. Thrown without a
// file, while the document is being made, what() and reason() are the same.
class DxfError : public std::runtime_error {
public:
    explicit DxfError(const std::string& reason) : std::runtime_error(reason), reason_(reason) {}
    DxfError(const std::string& path, const std::string& reason)
        : std::runtime_error("cannot write " + path + ": " + reason), reason_(reason)
    {
    }

    const std::string& reason() const { return reason_; }

private:
    std::string reason_;
};

}  // namespace inlet
