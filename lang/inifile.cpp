// SPDX-License-Identifier: GPL-3.0-or-later
// The INI reader behind the language files.
#include "inifile.h"

#include "textfile.h"

namespace lang {

namespace {

QString foldedName(QStringView name)
{
    return trimmed(name).toCaseFolded();
}

QString cleanValue(QStringView raw)
{
    QString value = trimmed(raw);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    if (value.size() > IniFile::MaxValueLength) {
        qsizetype length = IniFile::MaxValueLength;
        // Never keep half of a surrogate pair.
        if (value[length - 1].isHighSurrogate())
            --length;
        value.truncate(length);
    }
    return value;
}

} // namespace

IniFile::IniFile(const QString& path)
{
    QString text;
    try {
        text = readTextFile(path);
    } catch (const InOutError&) {
        return; // a file that cannot be read gives empty values
    }
    parse(text);
}

IniFile IniFile::fromText(QStringView text)
{
    IniFile file;
    file.parse(text);
    return file;
}

QString IniFile::value(QStringView section, QStringView key) const
{
    const auto s = sections_.constFind(foldedName(section));
    if (s == sections_.constEnd())
        return {};
    return s->value(foldedName(key));
}

void IniFile::parse(QStringView text)
{
    QHash<QString, QString>* section = nullptr;
    for (QStringView line : text.tokenize(u'\n')) {
        qsizetype first = 0;
        while (first < line.size() && line[first].unicode() <= 32)
            ++first;
        if (first == line.size())
            continue;
        const QChar lead = line[first];
        if (lead == u';' || lead == u'#')
            continue;
        if (lead == u'[') {
            const QStringView rest = line.sliced(first + 1);
            const qsizetype close = rest.indexOf(u']');
            // Only the next header changes sections_, so the pointer stays valid until then.
            section = &sections_[foldedName(close < 0 ? rest : rest.first(close))];
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || !section)
            continue;
        const QString key = foldedName(line.first(equals));
        if (key.isEmpty() || section->contains(key))
            continue;
        section->insert(key, cleanValue(line.sliced(equals + 1)));
    }
}

} // namespace lang
