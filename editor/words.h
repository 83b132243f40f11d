// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's words: Italian as built, replaced from the game's language files. An entry of
// the section "Translations" keyed "Editor.<part>.<property>" (the editor's own form name, its
// part's object name, the property) replaces the built-in Italian text; a missing or empty
// entry keeps it.
#pragma once

#include "inputerror.h"
#include "worksheet.h"

#include <QString>

namespace editor {

// Reads the language file at path (through lang's INI reader); an empty path, a missing file
// or a missing entry gives the Italian words.
void setLanguageFile(const QString& path);
const QString& languageFile();

// The word of key ("Editor.Nuovo.Caption") in the language chosen, or italian.
QString word(const char* key, const QString& italian);

// The worksheet's words ("Foglio.*" entries) in the language chosen, as tessaria-schemi export
// --language reads them from the same file.
schemetools::WorksheetWords worksheetWords();

// The cause of a file that cannot be read or written ("non esiste", "è troppo grande…"), in
// the language chosen; empty for Cause::Other, which the library's message says.
QString causeWord(schemetools::Cause cause);
// The words of a scheme file that holds binary data.
QString notASchemeWord();

} // namespace editor
