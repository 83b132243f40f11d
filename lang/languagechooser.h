// SPDX-License-Identifier: GPL-3.0-or-later
// The language chooser: fills the language combo box from lingue.txt and applies the chosen
// language through a TLanguage.
#pragma once

#include "combobox.h"
#include "paths.h"

#include <QString>

#include <functional>

namespace lang {

class TLanguage;

// The language file of a language name: folder (a "/" added when it does not end in one),
// then the name with only the ASCII capitals A..Z made small, untrimmed, then ".lng".
QString LanguageFilePath(const QString& folder, const QString& name);
// The same in the folder of the running executable, taken afresh at each call.
QString LanguageFilePath(const QString& name);

// Drives a language combo box and a translation component; the window calls open() when the
// mouse is released over the flag and choose() on every change of the combo box. Errors are
// thrown for the caller's error box. Holds references: both must outlive the chooser.
class LanguageChooser {
public:
    using FolderSource = std::function<QString()>;

    LanguageChooser(
        widgets::ComboBox& comboBox, TLanguage& language, FolderSource exeFolder = widgets::executableFolder);

    // Empties the list (the text stays), fills it with the lines of lingue.txt in the exe folder,
    // shows the combo box and opens its list. When lingue.txt cannot be read, throws InOutError
    // ("File not found") with the list already empty and the combo box as it was.
    void open();
    // Applies the language named by the combo box's text and hides the combo box. When the
    // pass throws, the combo box stays shown.
    void choose();

    QString exeFolder() const { return exeFolder_(); }

private:
    widgets::ComboBox& comboBox_;
    TLanguage& language_;
    FolderSource exeFolder_;
};

} // namespace lang
