// SPDX-License-Identifier: GPL-3.0-or-later
// The language chooser: lingue.txt into the combo box, and the chosen name into a pass.
#include "languagechooser.h"

#include "component.h"
#include "textfile.h"
#include "tlanguage.h"

#include <utility>

namespace lang {

QString LanguageFilePath(const QString& folder, const QString& name)
{
    return widgets::joinPath(folder, widgets::asciiLower(name) + QStringLiteral(".lng"));
}

QString LanguageFilePath(const QString& name)
{
    return LanguageFilePath(widgets::executableFolder(), name);
}

LanguageChooser::LanguageChooser(widgets::ComboBox& comboBox, TLanguage& language, FolderSource exeFolder)
    : comboBox_(comboBox)
    , language_(language)
    , exeFolder_(std::move(exeFolder))
{
}

void LanguageChooser::open()
{
    // The combo box keeps its text when its list changes, and the program's own writes to the
    // list are no choice (they raise no change event).
    comboBox_.clearItems();
    comboBox_.setItems(
        textLines(readTextFile(widgets::joinPath(exeFolder_(), QStringLiteral("lingue.txt")))));
    comboBox_.show();
    comboBox_.showDropDown();
}

void LanguageChooser::choose()
{
    language_.setLanguageFile(LanguageFilePath(exeFolder_(), comboBox_.text()));
    language_.Translate();
    comboBox_.hide();
}

} // namespace lang
