#pragma once

#include "calc/NumberLocale.h"

namespace inlet {

// The decimal separator and digit grouping of the user's locale (LC_ALL, LC_NUMERIC, LANG),
// read without changing the process's global locale. Falls back to "." and no grouping.
NumberLocale userNumberLocale();

}  // namespace inlet
