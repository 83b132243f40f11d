// SPDX-License-Identifier: GPL-3.0-or-later
// A shown form with one scaling panel on it, for the scaling tests.
#pragma once

#include "component.h"
#include "errors.h"
#include "nobderp.h"

#include <QObject>
#include <QStringList>
#include <QTest>
#include <QWidget>

// The form owns the panel and the controls, as the main window does.
class TestForm : public QWidget, public widgets::Component {
public:
    TestForm()
        : widgets::Component(this, nullptr, QStringLiteral("Form1"))
    {
        resize(2200, 1500);
    }
};

struct Fixture {
    TestForm form;
    scaling::TNoBDEResizerPanel* panel;

    // A panel of the given design size, not yet shown.
    explicit Fixture(int width, int height, bool allowChanges = false)
        : panel(new scaling::TNoBDEResizerPanel(&form, &form, QStringLiteral("Schermo")))
    {
        panel->SetBounds(0, 0, width, height);
        panel->SetAllowChanges(allowChanges);
        panel->Loaded();
    }
    // Shows the form: the panel's first resize collects and captures every control.
    bool show()
    {
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }
    void resize(int width, int height) { panel->resize(width, height); }
};

// A plain child control at the given bounds.
inline QWidget* box(QWidget* parent, int left, int top, int width, int height)
{
    auto* w = new QWidget(parent);
    w->setGeometry(left, top, width, height);
    return w;
}

// The base of the scaling test classes: each case collects the error boxes it raises in
// errors_ instead of showing them.
class ScalingTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        errors_.clear();
        widgets::setErrorReporter([this](const QString& m) { errors_ << m; });
    }
    void cleanup() { widgets::setErrorReporter({}); }

protected:
    QStringList errors_;
};
