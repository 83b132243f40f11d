// SPDX-License-Identifier: GPL-3.0-or-later
// A small reader for INI-structured files (the language files): sections, keys and values.
#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

namespace lang {

// The content of an INI file, parsed once. Syntax:
// - "[name]" starts a section; a repeated section name continues the same section;
// - "key=value" lines: the key is the text before the first "=", the value the text after it;
// - lines whose first non-blank character is ";" or "#" are comments; other lines without
//   "=", and key lines before the first section, are ignored;
// - section names and keys match ignoring letter case; blanks around them are ignored (also
//   around the key asked for);
// - values are trimmed, then one pair of enclosing double or single quotes is removed, then
//   they are cut to MaxValueLength characters;
// - the first occurrence of a key in a section wins, also across repeated sections;
// - the file is UTF-8 (a byte-order mark is skipped) or, when not valid UTF-8, Windows-1252.
class IniFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;

    // An empty file: every value is the empty text.
    IniFile() = default;
    // Reads and parses the file; a missing or unreadable file reads as an empty one.
    explicit IniFile(const QString& path);

    static IniFile fromText(QStringView text);

    // The value of key in section; the empty text when the section or key is missing.
    QString value(QStringView section, QStringView key) const;

private:
    void parse(QStringView text);

    // Keys of both levels are case-folded and trimmed.
    QHash<QString, QHash<QString, QString>> sections_;
};

} // namespace lang
