// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's words from the chosen language file.
#include "words.h"

#include "inifile.h"

namespace editor {

namespace {

struct Language {
    QString path;
    lang::IniFile file;
};

Language& current()
{
    static Language language;
    return language;
}

} // namespace

void setLanguageFile(const QString& path)
{
    current() = {path, path.isEmpty() ? lang::IniFile() : lang::IniFile(path)};
}

const QString& languageFile()
{
    return current().path;
}

QString word(const char* key, const QString& italian)
{
    const QString value = current().file.value(u"Translations", QString::fromLatin1(key));
    return value.isEmpty() ? italian : value;
}

schemetools::WorksheetWords worksheetWords()
{
    return schemetools::worksheetWords([](const char* key) {
        return current().file.value(u"Translations", QString::fromLatin1(key)).toStdString();
    });
}

} // namespace editor
