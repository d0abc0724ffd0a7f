#pragma once

// The user's number conventions, decided in one place for the window and inlet-calc.

#include "calc/NumberLocale.h"

namespace inlet {

// The decimal and group separators of the user's locale as Qt reads it from the environment
// (LC_ALL, then LC_NUMERIC, then LANG), whether or not the C library has that locale
// installed. "C", "POSIX" and names Qt does not know give "." and ",".
NumberLocale systemNumberLocale();

}  // namespace inlet
