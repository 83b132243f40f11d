// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the language list lingue.txt, read by the real chooser into its combo box. Every
// line is one entry exactly as written, lines end at LF or CR LF, and a line end after the last
// line adds nothing; each entry leads to its language file by the file-name rule.
#include "fuzzsupport.h"
#include "qtsupport.h"
#include "textrules.h"

#include "combobox.h"
#include "component.h"
#include "languagechooser.h"
#include "textfile.h"
#include "tlanguage.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>

namespace {

// The language corner of the window: the combo box and the translation component it serves.
class ChooserWindow : public QWidget, public widgets::Component {
public:
    explicit ChooserWindow(const QString& folder)
        : QWidget(nullptr)
        , Component(this, &Component::application(), QStringLiteral("Form1"))
        , combo(new widgets::ComboBox(this, this, QStringLiteral("SceltaLingua")))
        , language(new lang::TLanguage(this))
        , chooser(*combo, *language, [folder] { return folder; })
    {
        combo->setText(QStringLiteral("italiano"));
        combo->hide();
        show();
    }

    widgets::ComboBox* combo;
    lang::TLanguage* language;
    lang::LanguageChooser chooser;
};

// The entries of a text: split at LF, a CR just before an LF dropped with it, and no entry
// after a final LF (but one empty entry for an empty text).
QStringList entriesOf(const QString& text)
{
    const bool finalLineEnd = text.endsWith(u'\n');
    QStringList lines = text.split(u'\n');
    if (finalLineEnd)
        lines.removeLast();
    const qsizetype ended = finalLineEnd ? lines.size() : lines.size() - 1; // lines an LF follows
    for (qsizetype i = 0; i < ended; ++i) {
        if (lines[i].endsWith(u'\r'))
            lines[i].chop(1);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char*** argv)
{
    fuzz::startApplication<QApplication>(*argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString folder = QString::fromStdString(fuzz::scratchFolder().string()) + u'/';
    static ChooserWindow* window = new ChooserWindow(folder);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::writeScratchFile("lingue.txt", bytes);
    window->chooser.open();
    window->combo->hidePopup();

    const QString text = lang::decodeText(QByteArray::fromRawData(bytes.data(), qsizetype(size)));
    const QStringList entries = window->combo->items();
    fuzz::check(entries == entriesOf(text), "the entries differ from the lines of the file");
    fuzz::check(entries.size() == text.count(u'\n') + (text.isEmpty() || !text.endsWith(u'\n')),
        "not one entry per line");
    fuzz::check(
        window->combo->text() == QStringLiteral("italiano"), "reading the list changed the text shown");
    fuzz::check(window->combo->isVisible(), "the combo box not shown");

    for (qsizetype i = 0; i < entries.size() && i < 64; ++i) {
        fuzz::check(lang::LanguageFilePath(folder, entries[i])
                == folder + fuzz::asciiLower(entries[i]) + QStringLiteral(".lng"),
            "a language file named other than by the entry in small letters");
    }
    return 0;
}
