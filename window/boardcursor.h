// SPDX-License-Identifier: GPL-3.0-or-later
// BoardCursor: the board's one stop in the tab order, its keys, and the frame that marks the box
// under the keyboard cursor; with the accessible interfaces of the board.
#pragma once

#include "component.h"
#include "cursor.h"

#include <QString>
#include <QWidget>

#include <functional>

namespace widgets {
class BoardBox;
}

namespace window {

// Lies over the whole window, above the panel Schermo, and lets every mouse event through to
// the controls below. It takes the keyboard focus for the 693 boxes, which take none of their
// own: the arrows move the cursor one position (engine::Cursor), Home and End go to column 1 and
// 21 of its row, Space and Return act on the box under it. It swallows every other key, so that
// no key pressed while the board has the focus reaches another control. While it has the focus
// it draws a frame along the edges of the box under the cursor, as that box stands now (hidden
// boxes included), and leaves the box's centre in its own colour. Being no child of Schermo, it
// is neither scaled nor printed with the panel.
//
// The words that describe a box to assistive technology are published properties on the members
// themselves (no accessors: only the properties read and write them), so that the translation
// component rewrites them like any caption ("Form1.Cursore.CellText").
class BoardCursor : public QWidget, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    // "%1" the row, "%2" the column, "%3" one of the three state words below.
    Q_PROPERTY(QString CellText MEMBER cellText_)
    Q_PROPERTY(QString ToFindText MEMBER toFindText_)
    Q_PROPERTY(QString FoundText MEMBER foundText_)
    Q_PROPERTY(QString BlankText MEMBER blankText_)
    // "%1" the row or column, "%2" the clue's number.
    Q_PROPERTY(QString RowClueText MEMBER rowClueText_)
    Q_PROPERTY(QString ColumnClueText MEMBER columnClueText_)
    // Added after a comma to a clue that the player has ticked off.
    Q_PROPERTY(QString TickedText MEMBER tickedText_)

public:
    using BoxSource = std::function<widgets::BoardBox*(int n)>;

    // boxAt gives box n (1 … 693) of the board the cursor moves over.
    BoardCursor(QWidget* parent, widgets::Component* owner, BoxSource boxAt);

    // The number of the box under the cursor (a cell or a clue slot).
    int box() const { return cursor_.box(); }
    // Back to row 1, column 1.
    void reset();
    // Onto box n, when it is a cell or a clue slot.
    void moveToBox(int n);

    // What box n says to assistive technology, in the words of the properties above. A cell's
    // state comes from its colour alone: its hidden mark is never told.
    QString describe(int n) const;

    widgets::BoardBox* boxWidget(int n) const { return boxAt_(n); }
    // The rectangle of box n in this widget's coordinates.
    QRect boxRect(int n) const;
    // Tells assistive technology that box n changed what it says (after a click on it).
    void boxChanged(int n) const;

signals:
    // An arrow, Home or End moved the cursor onto box n.
    void moved(int n);
    // Space or Return on box n.
    void activated(int n);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Repaints the old and the new frame and tells assistive technology about the new focus.
    void cursorChanged(int before);
    void announceFocus() const;

    BoxSource boxAt_;
    engine::Cursor cursor_;
    QString cellText_;
    QString toFindText_;
    QString foundText_;
    QString blankText_;
    QString rowClueText_;
    QString columnClueText_;
    QString tickedText_;
};

// Makes Qt's accessibility use the board's own interfaces for the boxes and the cursor. Once
// per program; further calls do nothing.
void installBoardAccessibility();

} // namespace window
