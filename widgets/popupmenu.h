// SPDX-License-Identifier: GPL-3.0-or-later
// SkinPopupMenu and MenuItem: a popup menu drawn in the "DeepBlue" skin, and its items.
#pragma once

#include "component.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>
#include <QString>

namespace widgets {

// One entry of a popup menu: a caption and a short-cut key. Non-visual; triggered() fires when
// it is chosen or its short-cut is pressed.
class MenuItem : public QAction, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QKeySequence ShortCut READ shortcut WRITE setShortcut)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool Visible READ isVisible WRITE setVisible)

public:
    MenuItem(QObject* parent, Component* owner, const QString& name);
};

// The popup menu draws itself: items 21 pixels high, separators 5, a side bar 26 pixels wide
// down the left, a white background, a black border and black text; the item under the mouse
// is filled and framed in deep blue with white text. Short-cuts show right-aligned.
//
// attachTo(widget) makes a right click on that widget open the menu where the mouse is, and
// makes the short-cuts of the menu's items (present and added later) work while the widget's
// window is active, whether the menu is open or not. The menu does not own the widget; when
// the widget is destroyed, the menu is attached to nothing.
class SkinPopupMenu : public QMenu, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QString SkinName READ skinName WRITE setSkinName)

public:
    SkinPopupMenu(QWidget* parent, Component* owner, const QString& name);

    QString skinName() const { return skinName_; }
    void setSkinName(const QString& skinName) { skinName_ = skinName; }

    void addItem(MenuItem* item) { addAction(item); }
    void attachTo(QWidget* widget);
    QWidget* attachedTo() const { return attached_; }

protected:
    void actionEvent(QActionEvent* event) override;

private:
    QPointer<QWidget> attached_; // not owned: it may be destroyed before the menu
    QString skinName_ = QStringLiteral("DeepBlue");
};

} // namespace widgets
