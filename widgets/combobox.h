// SPDX-License-Identifier: GPL-3.0-or-later
// ComboBox: an editable drop-down list with a change event for the user's edits and picks.
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QString>
#include <QStringList>

namespace widgets {

// An edit field with a drop-down list of Items. changed() follows the user: a pick of an
// entry by click or arrow keys (on the closed field, or in the open list, where each step is
// a pick and takes the entry into the field), and every typed edit. In the open list a letter
// is a step too: it moves the selection to the next entry that starts with it (no entry: no
// step), and Return picks the highlighted entry or, with none, closes the list. Closing the
// list, Return in the field and the field losing the focus pick nothing. The program's own
// writes to Text or Items emit nothing, and filling or emptying the list never changes the
// field. Typed text is never added to Items. DropDownCount rows (8) show at most before the
// list scrolls; ItemHeight is the height of one row of the list.
class ComboBox : public Control<QComboBox>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Text READ text WRITE setText)
    Q_PROPERTY(QStringList Items READ items WRITE setItems)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(int DropDownCount READ dropDownCount WRITE setDropDownCount)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor FontColor READ textColor WRITE setTextColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    ComboBox(QWidget* parent, Component* owner, const QString& name);

    // The text of the edit field.
    QString text() const { return currentText(); }
    void setText(const QString& text);

    QStringList items() const;
    // Replaces the list; the edit field keeps its text.
    void setItems(const QStringList& items);
    // Empties the list; the edit field keeps its text.
    void clearItems();

    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int height);
    int dropDownCount() const { return maxVisibleItems(); }
    void setDropDownCount(int count) { setMaxVisibleItems(count); }
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& color);
    QColor textColor() const;
    void setTextColor(const QColor& color);

    // Opens the drop-down list at once.
    void showDropDown() { showPopup(); }

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Field;

    int itemHeight_ = 16;
    QString keptText_;
    bool fillingEmpty_ = false;
    // Set while Qt handles an event in which it "activates" the entry that matches the field's
    // text although the user picked none: the field losing the focus, Return in the field.
    bool noPick_ = false;
    int selectedRow() const;
    void pick(int row);
};

} // namespace widgets
