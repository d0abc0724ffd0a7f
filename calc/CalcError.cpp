#include "calc/CalcError.h"

namespace inlet {

CalcError::CalcError(FailureKind kind) : std::runtime_error(kindName(kind)), kind_(kind) {}

const char* kindName(FailureKind kind)
{
    switch (kind) {
    case FailureKind::TypeMismatch: return "type mismatch";
    case FailureKind::Overflow: return "overflow";
    case FailureKind::DivisionByZero: return "division by zero";
    case FailureKind::InvalidCall: return "invalid procedure call or argument";
    }
    return "failure";
}

}  // namespace inlet
