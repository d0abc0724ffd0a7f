#pragma once

// The design checks as inlet-calc prints them.

#include "checks/DesignChecks.h"

#include <string>
#include <vector>

namespace inlet {

// One line per check: "check<TAB>NAME<TAB>SUBJECT<TAB>FIGURE<TAB>MESSAGE", FIGURE with the
// locale's decimal separator, MESSAGE in `language`.
void appendCheckLines(std::string& out, const std::vector<DesignCheck>& checks, const NumberLocale& locale,
                      Language language);

// A JSON array of {"check", "subject", "figure", "unit", "warning", "message"} objects; the
// figure as a JSON number, the message in `language` like every other line the program writes
// (a program reading the JSON goes by "check", "subject" and "figure", which never change).
void appendCheckJson(std::string& out, const std::vector<DesignCheck>& checks, Language language);

// One CSV cell: "NAME:SUBJECT=FIGURE" for each check, separated by "; ".
std::string checkCell(const std::vector<DesignCheck>& checks, const NumberLocale& locale);

// A JSON string literal of `text`.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace inlet
