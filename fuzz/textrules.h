// SPDX-License-Identifier: GPL-3.0-or-later
// The text rules of the language files, written out here on their own so that the targets can
// check the readers against them: blanks, trimming and ASCII letter case.
#pragma once

#include <QString>
#include <QStringView>

namespace fuzz {

// A blank is any character of code 32 or less.
inline QString trimBlanks(QStringView text)
{
    while (!text.isEmpty() && text.front().unicode() <= 32)
        text = text.sliced(1);
    while (!text.isEmpty() && text.back().unicode() <= 32)
        text.chop(1);
    return text.toString();
}

// Only the letters A..Z and a..z change case; every other character stays as it is.
inline char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

inline QString asciiLower(QString text)
{
    for (QChar& c : text)
        c = QChar(asciiLower(c.unicode()));
    return text;
}

inline QString asciiUpper(QString text)
{
    for (QChar& c : text) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    }
    return text;
}

inline bool sameAscii(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i].unicode()) != asciiLower(b[i].unicode()))
            return false;
    }
    return true;
}

} // namespace fuzz
