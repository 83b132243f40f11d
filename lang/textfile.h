// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the program's small text files: whole-file reads that fail with the runtime's messages
// ("File not found", "File access denied", "I/O error <code>"), UTF-8 with a Windows-1252 fallback, and the
// line rules of the language list.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <stdexcept>

namespace lang {

// An input/output failure of a text file. code is the operating system's error number; the
// message is the runtime's for it (fileio::errorMessage): "File not found" for a file or folder
// that does not exist, "File access denied" for a missing permission, ... "I/O error <code>".
class InOutError : public std::runtime_error {
public:
    explicit InOutError(int code);
    int code() const { return code_; }

private:
    int code_;
};

// The whole content of a file. Throws InOutError when it cannot be opened or read.
QByteArray readFile(const QString& path);

// Text from bytes: UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark is
// skipped), otherwise Windows-1252, so files saved by older editors keep their accents.
QString decodeText(const QByteArray& bytes);

// readFile + decodeText. Throws InOutError.
QString readTextFile(const QString& path);

// Splits a text into lines ended by LF or CR LF, each taken exactly as written (no trimming,
// empty lines kept). There is always at least one line: an empty text is one empty line, and
// a line end at the very end of the text starts no further line.
QStringList textLines(const QString& text);

// Removes every leading and trailing character with a code of 32 or less (blanks and control
// characters).
QString trimmed(QStringView text);
// True when nothing is left of the text after trimming.
bool isBlank(QStringView text);

} // namespace lang
