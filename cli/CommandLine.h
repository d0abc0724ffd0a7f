#pragma once

// inlet-calc: the design calculation from the command line, one design from options or a
// batch of designs from CSV. Returns the process exit status: 0 done, 1 the run failed,
// 2 a usage error. Messages are in `language`.

#include "messages/Failure.h"
#include "calc/NumberLocale.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace inlet {

int runCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const NumberLocale& locale, Language language = Language::English);

}  // namespace inlet
