// SPDX-License-Identifier: GPL-3.0-or-later
// What the main-window tests share: a window on a throw-away exe folder, and the error box
// replaced by a list of the messages it would have shown.
#pragma once

#include "form1.h"
#include "schemefolder.h"

#include "boardbox.h"
#include "errors.h"

#include <QObject>
#include <QStringList>
#include <QTest>

#include <memory>

class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TForm1> form;
    std::unique_ptr<SchemeFolder> folder;
    QStringList errors;

    // Makes the window on the folder's exe folder (the folder must exist).
    void createWindow() { form = std::make_unique<TForm1>(folder->exeFolder()); }

    // Shows the window and waits for its first activation.
    void showWindow()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    static widgets::BoardBox* box(TForm1& window, int n)
    {
        widgets::Component* c = window.findComponent(QString::fromLatin1(engine::boxName(n)));
        return c ? qobject_cast<widgets::BoardBox*>(c->object()) : nullptr;
    }
    widgets::BoardBox* box(int n) const { return box(*form, n); }

private slots:
    // Qt Test runs these around every test function of the derived test classes.
    void init()
    {
        errors.clear();
        widgets::setErrorReporter([this](const QString& message) { errors << message; });
    }

    void cleanup()
    {
        form.reset();
        folder.reset();
        widgets::setErrorReporter({});
    }
};
