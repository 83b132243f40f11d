// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the INI reader behind the language files, read from a file as the translation
// reads it and compared with a plain line-by-line reading of the same rules.
#include "fuzzsupport.h"
#include "textrules.h"

#include "inifile.h"
#include "textfile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace {

using fuzz::asciiUpper;
using fuzz::trimBlanks;

constexpr qsizetype MaxValueLength = 2047;

// The file as the README's rules read it: one entry per section (names case-folded and
// trimmed), the first value of every key.
using Sections = std::map<QString, std::map<QString, QString>>;

QString valueOf(const QString& raw)
{
    QString value = trimBlanks(raw);
    if (value.size() >= 2 && (value.startsWith(u'"') || value.startsWith(u'\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    if (value.size() > MaxValueLength)
        value.truncate(value[MaxValueLength - 1].isHighSurrogate() ? MaxValueLength - 1 : MaxValueLength);
    return value;
}

Sections readIni(const QString& text)
{
    Sections sections;
    std::map<QString, QString>* section = nullptr;
    for (const QString& line : text.split(u'\n')) {
        const QString content = trimBlanks(line);
        if (content.isEmpty() || content.startsWith(u';') || content.startsWith(u'#'))
            continue;
        if (content.startsWith(u'[')) {
            const qsizetype close = content.indexOf(u']');
            section = &sections[trimBlanks(content.mid(1, close < 0 ? -1 : close - 1)).toCaseFolded()];
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!section || equals < 0)
            continue;
        const QString key = trimBlanks(line.left(equals)).toCaseFolded();
        if (!key.isEmpty())
            section->emplace(key, valueOf(line.mid(equals + 1)));
    }
    return sections;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = QString::fromStdString(
        fuzz::writeScratchFile("language.lng", {reinterpret_cast<const char*>(data), size}));
    const lang::IniFile file(path);
    const Sections expected = readIni(lang::decodeText(bytes));

    // Every key against every section (a bounded number of each): its own value where the
    // section has it, the empty text elsewhere; asked for with other capitals and blanks around.
    constexpr std::size_t Bound = 16;
    std::vector<QString> keys;
    for (const auto& [name, section] : expected) {
        for (const auto& [key, value] : section) {
            if (keys.size() < Bound)
                keys.push_back(key);
        }
    }
    std::size_t sectionsAsked = 0;
    for (const auto& [name, section] : expected) {
        if (++sectionsAsked > Bound)
            break;
        for (const QString& key : keys) {
            const auto found = section.find(key);
            const QString want = found == section.end() ? QString() : found->second;
            const QString got = file.value(name, key);
            fuzz::check(got == want, "a value differs from the file's");
            fuzz::check(
                got.size() <= MaxValueLength && !got.contains(u'\n'), "a value too long or of two lines");
            fuzz::check(file.value(QStringLiteral(" ") + asciiUpper(name) + QStringLiteral("\t"),
                            QStringLiteral("\t ") + asciiUpper(key) + QStringLiteral(" "))
                    == want,
                "a key asked for with other capitals or blanks around gives another value");
        }
    }
    // A key line ends its key at the first "=", so no key holds one.
    fuzz::check(file.value(QStringLiteral("Translations"), QStringLiteral("key=never")).isEmpty(),
        "a key with \"=\" in it has a value");
    return 0;
}
