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

QString causeWord(schemetools::Cause cause)
{
    using schemetools::Cause;
    switch (cause) {
    case Cause::NotFound:
        return word("Editor.CausaNonEsiste.Caption", QStringLiteral("non esiste"));
    case Cause::NoPermission:
        return word(
            "Editor.CausaPermesso.Caption", QStringLiteral("non hai il permesso di aprirlo o di cambiarlo"));
    case Cause::TooLarge:
        return word("Editor.CausaTroppoGrande.Caption",
            QStringLiteral("è troppo grande per essere uno schema o un disegno"));
    case Cause::NotAFile:
        return word("Editor.CausaNonFile.Caption", QStringLiteral("non è un file (è una cartella o altro)"));
    case Cause::NotAPicture:
        return word("Editor.CausaNonImmagine.Caption",
            QStringLiteral("non è un'immagine che si può leggere (PNG, BMP, GIF, JPEG…)"));
    case Cause::NoFolder:
        return word("Editor.CausaNoCartella.Caption", QStringLiteral("la cartella non esiste"));
    case Cause::ReadOnlyFolder:
        return word("Editor.CausaSolaLettura.Caption", QStringLiteral("nella cartella non si può scrivere"));
    case Cause::DiskFull:
        return word("Editor.CausaDiscoPieno.Caption", QStringLiteral("il disco è pieno"));
    case Cause::Other:
        break;
    }
    return {};
}

QString notASchemeWord()
{
    return word("Editor.CausaNonSchema.Caption", QStringLiteral("non è uno schema: contiene dati binari"));
}

} // namespace editor
