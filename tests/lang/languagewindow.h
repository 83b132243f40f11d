// SPDX-License-Identifier: GPL-3.0-or-later
// The language corner of the program's window in miniature, for the language tests: "Form1",
// owned by the application, owning every control although they lie on the panel "Schermo".
#pragma once

#include "combobox.h"
#include "component.h"
#include "label.h"
#include "panel.h"
#include "skinbutton.h"
#include "tlanguage.h"

#include <QStringList>
#include <QWidget>

namespace langtest {

// The three translated captions as the window starts: Esci, Label2, StampaCrucintarsio.
inline const QStringList italian {QStringLiteral("ESCI"),
    QStringLiteral("CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO"), QStringLiteral("STAMPA")};

// The three captions and the language combo box, created in the window's order; the test's own
// window adds what it needs and then Language1 (addLanguage), so the ownership order stays the
// window's.
class LanguageWindow : public QWidget, public widgets::Component {
public:
    LanguageWindow()
        : QWidget(nullptr)
        , Component(this, &Component::application(), QStringLiteral("Form1"))
    {
        schermo = new widgets::Panel(this, this, QStringLiteral("Schermo"));
        esci = new widgets::SkinButton(schermo, this, QStringLiteral("Esci"));
        esci->setText(italian[0]);
        label2 = new widgets::Label(schermo, this, QStringLiteral("Label2"));
        label2->setCaption(italian[1]);
        stampa = new widgets::SkinButton(schermo, this, QStringLiteral("StampaCrucintarsio"));
        stampa->setText(italian[2]);
        combo = new widgets::ComboBox(schermo, this, QStringLiteral("SceltaLingua"));
    }

    QStringList captions() const { return {esci->text(), label2->text(), stampa->text()}; }

    widgets::Panel* schermo;
    widgets::SkinButton* esci;
    widgets::Label* label2;
    widgets::SkinButton* stampa;
    widgets::ComboBox* combo;
    lang::TLanguage* language = nullptr;

protected:
    // Language1, translating the three captions as the window's does.
    void addLanguage()
    {
        language = new lang::TLanguage(this);
        language->setName(QStringLiteral("Language1"));
        language->setProperties({QStringLiteral("Form1.Esci.Caption"), QStringLiteral("Form1.Label2.Caption"),
            QStringLiteral("Form1.StampaCrucintarsio.Caption")});
    }
};

} // namespace langtest
