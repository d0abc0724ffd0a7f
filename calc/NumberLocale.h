#pragma once

#include <string>

namespace inlet {

// The user's number conventions, passed to every conversion and rendering that depends on
// them. Both texts are UTF-8 and may be longer than one byte (e.g. a narrow no-break space).
struct NumberLocale {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";
};

}  // namespace inlet
