// SPDX-License-Identifier: GPL-3.0-or-later
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

// A folder in the way, as one line: "FOLDER: error: ..." or "FOLDER: warning: ...".
std::string textReport(const FolderProblem& problem);
// The same as one JSON object on one line: folder, problems [{severity, message}].
std::string jsonReport(const FolderProblem& problem);

// s as a JSON string, quotes included; bytes that are not valid UTF-8 become U+FFFD.
std::string jsonString(std::string_view s);

// Length of the UTF-8 sequence at s[i], or 0 when it is not a valid one.
std::size_t utf8Length(std::string_view s, std::size_t i);

// Text read from an input, as a message of one line quotes it: in double quotes, with control
// characters and bytes that are not valid UTF-8 written as \xNN (a NUL or an escape byte would
// be invisible, or act on the terminal, and a CR would overwrite the message), and cut after
// QuotedLength characters with "..." (a line of a megabyte would fill the screen).
inline constexpr std::size_t QuotedLength = 40;
std::string quotedText(std::string_view text);

} // namespace schemetools
