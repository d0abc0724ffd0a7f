#pragma once

#include "calc/CalcError.h"

#include <optional>

namespace inlet {

// The kind of failure that calling f throws, or nothing when f succeeds.
template <typename F>
std::optional<FailureKind> failureOf(F&& f)
{
    try {
        f();
    } catch (const CalcError& e) {
        return e.kind();
    }
    return std::nullopt;
}

}  // namespace inlet
