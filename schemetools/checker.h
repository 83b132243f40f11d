// SPDX-License-Identifier: GPL-3.0-or-later
// Checking a scheme as a teacher needs it checked: the problems of its file (names, stray
// characters, lines too long or too many, five-clue limit, no picture) and the verdict on the
// puzzle the window shows: unique and solvable line by line, unique but needing trial, not
// unique (with a second picture), or undecided within the search budget.
#pragma once

#include "grade.h"
#include "puzzle.h"
#include "solver.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace schemetools {

enum class Severity { Error, Warning };

struct Problem {
    Severity severity = Severity::Warning;
    std::string message;
    long long fileLine = 0; // line of the file it concerns (1-based), 0 for none
};

enum class Verdict { UniqueLine, UniqueTrial, NotUnique, Undecided, Error };

struct CheckOptions {
    long nodeBudget = DefaultNodeBudget;
};

struct CheckResult {
    std::string file;
    Verdict verdict = Verdict::Error;
    std::vector<Problem> problems;
    // For NotUnique: another picture that fits the same clues, as "#"/"-" rows from row 1 and
    // column 1 to the last visible row and column, so that it lines up with the scheme file.
    std::vector<std::string> second;
    // The file could not be read at all (its problem says why): a failure of the input rather
    // than of the scheme.
    bool unreadable = false;
    long nodes = 0; // search steps the verdict took
    int openAfterLines = 0; // cells line reasoning left open
    // For a single picture (solvable line by line or with trial): how hard it is for a child.
    std::optional<Grade> grade;
    bool hasErrors() const;
    bool hasWarnings() const;
};

// Checks the scheme file at path, read by the engine's own loader (in chunks: any size).
CheckResult checkFile(const std::string& path, const CheckOptions& options = {});
// Checks the bytes of a scheme file held in memory; name is used in messages only.
CheckResult checkBytes(const std::string& name, std::string_view bytes, const CheckOptions& options = {});

// A folder met on the walk that children may not get through: one it cannot read (an error:
// its schemes cannot be checked), or one that other users may not read or enter (a warning).
struct FolderProblem {
    std::string folder;
    Problem problem;
};

// The scheme files named by paths: a file as it is, a folder walked recursively as the scheme
// list shows it (hidden entries left out, links followed, a link back to a folder on the way
// not entered again) for the names that end in ".dis" in any letter case. Paths that do not
// exist are returned in missing, the folders in the way in folders.
struct SchemePaths {
    std::vector<std::string> files;
    std::vector<std::string> missing;
    std::vector<FolderProblem> folders;
    // Whether a folder could not be read, so that schemes in it went unchecked.
    bool hasUnreadableFolder() const;
};
SchemePaths collectSchemes(const std::vector<std::string>& paths);

} // namespace schemetools
