// The words a check result is reported in: lines of plain text for a teacher, or one JSON
// object per line for scripts.
#pragma once

#include "checker.h"

#include <string>

namespace schemetools {

// "unique-line", "unique-trial", "not-unique", "undecided" or "error".
std::string verdictKey(Verdict verdict);

// The verdict line ("PATH: unique and solvable line by line"), then one line per problem
// ("PATH:LINE: warning: ..."), then for a puzzle that is not unique the second picture,
// indented. Every line ends in "\n".
std::string textReport(const CheckResult& result);

// One JSON object on one line (ending in "\n"): file, verdict, problems [{severity, message,
// line?}], and second for a puzzle that is not unique.
std::string jsonReport(const CheckResult& result);

// s as a JSON string, quotes included; bytes that are not valid UTF-8 become U+FFFD.
std::string jsonString(std::string_view s);

} // namespace schemetools
