#pragma once

#include <stdexcept>

namespace inlet {

// The kinds of failure that stop a calculation run.
enum class FailureKind {
    TypeMismatch,    // a box text that must be a number is not one
    Overflow,        // a value beyond the range it is held in
    DivisionByZero,  // a divisor of exactly zero
    InvalidCall,     // a root or half power of a negative number
};

// Thrown by the conversions and formulas; the calculation run adds where it happened.
class CalcError : public std::runtime_error {
public:
    explicit CalcError(FailureKind kind);
    FailureKind kind() const { return kind_; }

private:
    FailureKind kind_;
};

// "type mismatch", "overflow", "division by zero", "invalid procedure call or argument".
const char* kindName(FailureKind kind);

}  // namespace inlet
