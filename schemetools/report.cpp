// SPDX-License-Identifier: GPL-3.0-or-later
// Text and JSON forms of check results.
#include "report.h"

namespace schemetools {

namespace {

std::string verdictWords(const CheckResult& result)
{
    switch (result.verdict) {
    case Verdict::UniqueLine:
        return "unique and solvable line by line";
    case Verdict::UniqueTrial:
        return "unique but needs trial: some cells can only be found by trying, which is hard for a child";
    case Verdict::NotUnique:
        return "not unique: another picture fits the same clues:";
    case Verdict::Undecided:
        return "undecided: the search stopped after " + std::to_string(result.nodes)
            + " steps without telling whether the picture is unique";
    case Verdict::Error:
        break;
    }
    return result.unreadable ? "cannot be checked" : "not playable as it is (see the errors below)";
}

} // namespace

std::size_t utf8Length(std::string_view s, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    std::size_t length = lead < 0x80 ? 1
        : (lead >> 5) == 6           ? 2
        : (lead >> 4) == 14          ? 3
        : (lead >> 3) == 30          ? 4
                                     : 0;
    if (length == 0 || i + length > s.size() || (length == 2 && lead < 0xC2) || lead > 0xF4)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
            return 0;
    }
    // No overlong forms, no surrogates (U+D800 .. U+DFFF), nothing above U+10FFFF.
    const auto second = static_cast<unsigned char>(s[i + 1 < s.size() ? i + 1 : i]);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90)
        || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

std::string verdictKey(Verdict verdict)
{
    switch (verdict) {
    case Verdict::UniqueLine:
        return "unique-line";
    case Verdict::UniqueTrial:
        return "unique-trial";
    case Verdict::NotUnique:
        return "not-unique";
    case Verdict::Undecided:
        return "undecided";
    case Verdict::Error:
        break;
    }
    return "error";
}

std::string textReport(const CheckResult& result)
{
    std::string text = result.file + ": " + verdictWords(result) + "\n";
    for (const std::string& row : result.second)
        text += "    " + row + "\n";
    for (const Problem& problem : result.problems) {
        text += result.file;
        if (problem.fileLine > 0)
            text += ":" + std::to_string(problem.fileLine);
        text += problem.severity == Severity::Error ? ": error: " : ": warning: ";
        text += problem.message + "\n";
    }
    return text;
}

std::string jsonString(std::string_view s)
{
    static const char* const hex = "0123456789abcdef";
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size();) {
        const auto byte = static_cast<unsigned char>(s[i]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20) {
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else if (byte >= 0x80) {
            const std::size_t length = utf8Length(s, i);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
                continue;
            }
            out.append(s.substr(i, length));
            i += length;
            continue;
        } else {
            out += static_cast<char>(byte);
        }
        ++i;
    }
    return out + "\"";
}

std::string quotedText(std::string_view text)
{
    static const char* const hex = "0123456789ABCDEF";
    std::string out = "\"";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        if (characters == QuotedLength)
            return out + "\"...";
        const auto byte = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8Length(text, i);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            out += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out + "\"";
}

std::string jsonReport(const CheckResult& result)
{
    std::string json = "{\"file\":" + jsonString(result.file)
        + ",\"verdict\":" + jsonString(verdictKey(result.verdict)) + ",\"problems\":[";
    for (std::size_t i = 0; i < result.problems.size(); ++i) {
        const Problem& problem = result.problems[i];
        json += i == 0 ? "{" : ",{";
        json += "\"severity\":" + jsonString(problem.severity == Severity::Error ? "error" : "warning");
        json += ",\"message\":" + jsonString(problem.message);
        if (problem.fileLine > 0)
            json += ",\"line\":" + std::to_string(problem.fileLine);
        json += "}";
    }
    json += "]";
    if (result.grade)
        json += ",\"grade\":" + jsonString(gradeKey(result.grade->level))
            + ",\"gradeReason\":" + jsonString(result.grade->reason);
    if (result.verdict == Verdict::NotUnique) {
        json += ",\"second\":[";
        for (std::size_t i = 0; i < result.second.size(); ++i)
            json += (i == 0 ? "" : ",") + jsonString(result.second[i]);
        json += "]";
    }
    return json + "}\n";
}

std::string textReport(const FolderProblem& problem)
{
    return problem.folder + (problem.problem.severity == Severity::Error ? ": error: " : ": warning: ")
        + problem.problem.message + "\n";
}

std::string jsonReport(const FolderProblem& problem)
{
    return "{\"folder\":" + jsonString(problem.folder) + ",\"problems\":[{\"severity\":"
        + jsonString(problem.problem.severity == Severity::Error ? "error" : "warning")
        + ",\"message\":" + jsonString(problem.problem.message) + "}]}\n";
}

} // namespace schemetools
