// SPDX-License-Identifier: GPL-3.0-or-later
// How the scaling panel sees Qt's widget kinds: which widgets are containers and which of their
// children it scales, the multi-page containers, and which property is a control's font.
#pragma once

#include <QHash>
#include <QMetaObject>
#include <QMetaProperty>
#include <QWidget>

#include <vector>

class QStackedWidget;
class QTabWidget;

namespace scaling {

// The child controls of a container that the panel scales, in a stable order: Qt's child order
// for plain containers (windows left out); the pages of a tab widget in page order; the
// children of a scroll area's content widget. Composite leaf kinds (buttons, edits, combo
// boxes, item views, labels, tab bars, status bars, sliders, spin boxes) are not containers:
// their child widgets are their own parts.
std::vector<QWidget*> childControls(QWidget* container);

// The page control (a tab widget other than a tabbed notebook) whose page this is, or null.
QTabWidget* pageControlOf(const QWidget* page);
// The tabbed notebook (scaling::TabbedNotebook) whose page this is, or null.
QTabWidget* tabbedNotebookOf(const QWidget* page);
bool isTabbedNotebook(const QWidget* control);
// A notebook: a stacked widget of its own, not the page stack inside a tab widget.
QStackedWidget* asNotebook(QWidget* control);

// A page of a multi-page control (a page control or a tabbed notebook, as pageControlOf and
// tabbedNotebookOf name it) takes the bounds of that control's current page, as every page of
// it is aligned to the same page stack. Nothing when pages is null or shows no page.
void snapToCurrentPage(QWidget* page, const QTabWidget* pages);

// classify(widget)'s answer, worked out once per class of widget: the answer must depend on the
// class alone. The panel asks for every control on every resize, and the main window's 693
// boxes share one class. Each caller (each classify) keeps a table of its own.
template <typename Answer, typename Classify> Answer perClass(const QWidget* widget, Classify&& classify)
{
    static QHash<const QMetaObject*, Answer> known;
    const QMetaObject* meta = widget->metaObject();
    const auto found = known.constFind(meta);
    if (found != known.cend())
        return *found;
    const Answer answer = classify(widget);
    known.insert(meta, answer);
    return answer;
}

// Gives a tabbed notebook's current page the empty rectangle, after which the notebook aligns
// the page to its client area again (the page fills the page stack).
void emptyCurrentPage(QTabWidget* notebook);

// The property that is the control's font, or an invalid property. A class of the widget set
// (or of this library) declares "Font" itself; a plain Qt widget, which is no component of the
// tree, counts its own "font". A widget-set control that publishes no "Font" (a shape, a spin
// button) has none, so it gets no font handler.
QMetaProperty fontPropertyOf(const QWidget* control);

} // namespace scaling
