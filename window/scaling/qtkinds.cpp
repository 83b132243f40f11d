// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's widget kinds as the scaling panel sees them: containers, pages and font properties.
#include "qtkinds.h"

#include "component.h"
#include "properties.h"

#include <QLayout>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>

namespace scaling {

namespace {

enum class ContainerKind { Plain, Leaf, TabWidget, ScrollArea };

ContainerKind containerKind(const QWidget* widget)
{
    return perClass<ContainerKind>(widget, [](const QWidget* w) {
        if (w->inherits("QTabWidget"))
            return ContainerKind::TabWidget;
        if (w->inherits("QScrollArea"))
            return ContainerKind::ScrollArea;
        static const char* const leaves[]
            = {"QAbstractScrollArea", "QComboBox", "QAbstractSpinBox", "QAbstractButton", "QLineEdit",
                "QLabel", "QTabBar", "QStatusBar", "QAbstractSlider", "QProgressBar", "QMenuBar", "QToolBar"};
        for (const char* leaf : leaves) {
            if (w->inherits(leaf))
                return ContainerKind::Leaf;
        }
        return ContainerKind::Plain;
    });
}

void appendChildWidgets(const QWidget* parent, std::vector<QWidget*>& out)
{
    for (QObject* object : parent->children()) {
        if (!object->isWidgetType())
            continue;
        auto* child = static_cast<QWidget*>(object);
        if (!child->isWindow())
            out.push_back(child);
    }
}

QStackedWidget* pageStackOf(const QWidget* page)
{
    return page ? qobject_cast<QStackedWidget*>(page->parentWidget()) : nullptr;
}

QTabWidget* tabWidgetOfPage(const QWidget* page)
{
    QStackedWidget* stack = pageStackOf(page);
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    return tabs && tabs->indexOf(const_cast<QWidget*>(page)) >= 0 ? tabs : nullptr;
}

} // namespace

std::vector<QWidget*> childControls(QWidget* container)
{
    std::vector<QWidget*> out;
    switch (containerKind(container)) {
    case ContainerKind::Leaf:
        break;
    case ContainerKind::Plain:
        appendChildWidgets(container, out);
        break;
    case ContainerKind::TabWidget: {
        auto* tabs = static_cast<QTabWidget*>(container);
        for (int i = 0; i < tabs->count(); ++i)
            out.push_back(tabs->widget(i));
        break;
    }
    case ContainerKind::ScrollArea:
        if (QWidget* content = static_cast<QScrollArea*>(container)->widget())
            appendChildWidgets(content, out);
        break;
    }
    return out;
}

bool isTabbedNotebook(const QWidget* control)
{
    return control && control->inherits("scaling::TabbedNotebook");
}

QTabWidget* pageControlOf(const QWidget* page)
{
    QTabWidget* tabs = tabWidgetOfPage(page);
    return tabs && !isTabbedNotebook(tabs) ? tabs : nullptr;
}

QTabWidget* tabbedNotebookOf(const QWidget* page)
{
    QTabWidget* tabs = tabWidgetOfPage(page);
    return tabs && isTabbedNotebook(tabs) ? tabs : nullptr;
}

QStackedWidget* asNotebook(QWidget* control)
{
    auto* stack = qobject_cast<QStackedWidget*>(control);
    if (stack && qobject_cast<QTabWidget*>(stack->parentWidget()))
        return nullptr;
    return stack;
}

void snapToCurrentPage(QWidget* page, const QTabWidget* pages)
{
    if (!pages)
        return;
    if (const QWidget* current = pages->currentWidget())
        page->setGeometry(current->geometry());
}

void emptyCurrentPage(QTabWidget* notebook)
{
    QWidget* page = notebook->currentWidget();
    if (!page)
        return;
    page->setGeometry(QRect());
    // A page is aligned to fill its notebook: the page stack's layout puts it back at once.
    QStackedWidget* stack = pageStackOf(page);
    if (stack && stack->layout())
        stack->layout()->setGeometry(stack->contentsRect());
}

QMetaProperty fontPropertyOf(const QWidget* control)
{
    const QMetaProperty property = widgets::findPublishedProperty(control, u"Font");
    if (!property.isValid())
        return {};
    if (qstrcmp(property.name(), "Font") == 0)
        return property;
    return widgets::componentOf(const_cast<QWidget*>(control)) ? QMetaProperty() : property;
}

} // namespace scaling
