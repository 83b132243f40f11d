// SPDX-License-Identifier: GPL-3.0-or-later
// BoardCursor: the keys of the board, the cursor's frame, and what the boxes tell assistive
// technology.
#include "boardcursor.h"

#include "bgrcolor.h"
#include "boardbox.h"
#include "colors.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

#include <utility>

namespace window {

namespace {

// The frame: magenta, a colour no state of a box uses, with a black line inside it so that it
// stands out on white, sky blue, yellow, green and silver alike.
const QColor FrameColor(0xD0, 0x00, 0xD0);
const QColor FrameInnerLine(Qt::black);

BoardCursor* cursorOf(const widgets::BoardBox* box)
{
    widgets::Component* owner = box->owner();
    widgets::Component* c = owner ? owner->findComponent(u"Cursore") : nullptr;
    return c ? qobject_cast<BoardCursor*>(c->object()) : nullptr;
}

// A box of the board: a cell or clue slot says where it is and what state it shows; a line
// label its number. The cell under the cursor has the accessible focus while the board has the
// keyboard focus.
class BoxAccessible : public QAccessibleWidget {
public:
    explicit BoxAccessible(widgets::BoardBox* box)
        : QAccessibleWidget(box,
            engine::isCell(box->number()) || engine::isClueSlot(box->number()) ? QAccessible::Cell
                                                                               : QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const auto* box = static_cast<const widgets::BoardBox*>(object());
        const BoardCursor* cursor = cursorOf(box);
        if (!cursor || box->number() < 1 || box->number() > engine::LastClueSlot)
            return box->boxText();
        return cursor->describe(box->number());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const auto* box = static_cast<const widgets::BoardBox*>(object());
        const BoardCursor* cursor = cursorOf(box);
        if (cursor && box->number() <= engine::LastClueSlot) {
            s.focusable = true;
            s.focused = cursor->hasFocus() && cursor->box() == box->number();
        }
        return s;
    }
};

// The board as one object: its focus child is the box under the cursor, and its place is that
// box's (the widget itself lies over the whole window).
class CursorAccessible : public QAccessibleWidget {
public:
    explicit CursorAccessible(BoardCursor* cursor)
        : QAccessibleWidget(cursor, QAccessible::Table)
    {
    }

    QAccessibleInterface* focusChild() const override
    {
        const auto* cursor = static_cast<const BoardCursor*>(object());
        if (!cursor->hasFocus())
            return nullptr;
        return QAccessible::queryAccessibleInterface(cursor->boxWidget(cursor->box()));
    }

    QRect rect() const override
    {
        const auto* cursor = static_cast<const BoardCursor*>(object());
        const QRect r = cursor->boxRect(cursor->box());
        return QRect(cursor->mapToGlobal(r.topLeft()), r.size());
    }
};

QAccessibleInterface* boardAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("widgets::BoardBox"))
        return new BoxAccessible(static_cast<widgets::BoardBox*>(object));
    if (className == QLatin1String("window::BoardCursor"))
        return new CursorAccessible(static_cast<BoardCursor*>(object));
    return nullptr;
}

} // namespace

void installBoardAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(boardAccessible);
        installed = true;
    }
}

BoardCursor::BoardCursor(QWidget* parent, widgets::Component* owner, BoxSource boxAt)
    : QWidget(parent)
    , Component(this, owner, QStringLiteral("Cursore"))
    , boxAt_(std::move(boxAt))
    , cellText_(QStringLiteral("riga %1, colonna %2: %3"))
    , toFindText_(QStringLiteral("da scoprire"))
    , foundText_(QStringLiteral("parte del disegno"))
    , blankText_(QStringLiteral("vuota"))
    , rowClueText_(QStringLiteral("riga %1: numero %2"))
    , columnClueText_(QStringLiteral("colonna %1: numero %2"))
    , tickedText_(QStringLiteral("spuntato"))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
}

void BoardCursor::reset()
{
    const int before = box();
    cursor_.reset();
    cursorChanged(before);
}

void BoardCursor::moveToBox(int n)
{
    const int before = box();
    if (n != before && cursor_.moveToBox(n))
        cursorChanged(before);
}

QRect BoardCursor::boxRect(int n) const
{
    const widgets::BoardBox* b = boxAt_(n);
    return QRect(mapFrom(window(), b->mapTo(window(), QPoint(0, 0))), b->size());
}

QString BoardCursor::describe(int n) const
{
    const widgets::BoardBox* b = boxAt_(n);
    const engine::BoxPlace where = engine::place(n);
    switch (where.kind) {
    case engine::BoxKind::Cell: {
        const engine::Color color = b->color();
        // A hidden cell lies in a line without any part of the picture, which the child sees.
        const QString& state = !b->visibleFlag() || color == engine::color::SkyBlue ? blankText_
            : color == engine::color::Yellow || color == engine::color::Green       ? foundText_
                                                                                    : toFindText_;
        return cellText_.arg(QString::number(where.line), QString::number(where.index), state);
    }
    case engine::BoxKind::RowClueSlot:
    case engine::BoxKind::ColumnClueSlot: {
        const QString& text = where.kind == engine::BoxKind::RowClueSlot ? rowClueText_ : columnClueText_;
        QString said = text.arg(QString::number(where.line), b->boxText());
        if (b->visibleFlag() && b->color() == engine::color::White)
            said += QStringLiteral(", ") + tickedText_;
        return said;
    }
    default:
        return b->boxText();
    }
}

void BoardCursor::cursorChanged(int before)
{
    // The frame lies inside the box's rectangle.
    update(boxRect(before));
    update(boxRect(box()));
    announceFocus();
}

void BoardCursor::announceFocus() const
{
#if QT_CONFIG(accessibility)
    if (!hasFocus())
        return;
    QAccessibleEvent event(boxAt_(box()), QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
#endif
}

void BoardCursor::boxChanged(int n) const
{
#if QT_CONFIG(accessibility)
    QAccessibleEvent event(boxAt_(n), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
#endif
}

void BoardCursor::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    const QRect r = boxRect(box());
    // About a seventh of the box on each side, at least two pixels: the centre keeps its colour.
    const int thickness = std::max(2, std::min(r.width(), r.height()) / 7);
    QPainter painter(this);
    const QRect inner = r.adjusted(thickness, thickness, -thickness, -thickness);
    painter.fillRect(QRect(r.left(), r.top(), r.width(), thickness), FrameColor);
    painter.fillRect(QRect(r.left(), inner.bottom() + 1, r.width(), thickness), FrameColor);
    painter.fillRect(QRect(r.left(), inner.top(), thickness, inner.height()), FrameColor);
    painter.fillRect(QRect(inner.right() + 1, inner.top(), thickness, inner.height()), FrameColor);
    painter.setPen(FrameInnerLine);
    painter.drawRect(inner.adjusted(0, 0, -1, -1));
}

void BoardCursor::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    const int before = box();
    bool moved = false;
    switch (event->key()) {
    case Qt::Key_Left:
        moved = cursor_.move(0, -1);
        break;
    case Qt::Key_Right:
        moved = cursor_.move(0, 1);
        break;
    case Qt::Key_Up:
        moved = cursor_.move(-1, 0);
        break;
    case Qt::Key_Down:
        moved = cursor_.move(1, 0);
        break;
    case Qt::Key_Home:
        cursor_.toFirstColumn();
        moved = box() != before;
        break;
    case Qt::Key_End:
        cursor_.toLastColumn();
        moved = box() != before;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            emit activated(box());
        return;
    default:
        // Every other key ends here: none may reach the scheme list or the window.
        return;
    }
    if (moved) {
        cursorChanged(before);
        emit this->moved(box());
    }
}

void BoardCursor::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(boxRect(box()));
    // Qt announces the board itself once this returns; the box under the cursor comes after.
    QMetaObject::invokeMethod(
        this, [this] { announceFocus(); }, Qt::QueuedConnection);
}

void BoardCursor::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(boxRect(box()));
}

} // namespace window
