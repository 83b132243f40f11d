// SPDX-License-Identifier: GPL-3.0-or-later
// BoardBox: painting, the Latin-1 text bridge to the engine, and the click and move events.
#include "boardbox.h"

#include "bgrcolor.h"
#include "fonts.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace widgets {

using bgr::toBgr;
using bgr::toQColor;

namespace {

// One shared font: QFont is implicitly shared, so 693 boxes hold one copy.
const QFont& defaultBoxFont()
{
    static const QFont font = layoutFont(QStringLiteral("Courier New"), 16, true);
    return font;
}

} // namespace

BoardBox::BoardBox(QWidget* parent, Component* owner, const QString& name, int number)
    : Control<QWidget>(parent)
    , Component(this, owner, name)
    , background_(Qt::white)
    , textColor_(Qt::black)
    , border_(Qt::black)
    , number_(number)
{
    // The box paints every pixel itself, yet it is deliberately not marked opaque: Qt paints
    // opaque siblings by cutting each one out of the region left for the ones below, and with
    // 693 boxes side by side that region work grows with the square of their number (a full
    // repaint took about 9 ms instead of under 3). Filling the panel behind a box first is cheap.
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setFont(defaultBoxFont());
    shownFont_ = font();
}

void BoardBox::setBoxText(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    textChanged();
}

void BoardBox::textChanged()
{
    shown_ = text_.toUpper();
    fitted_ = false;
    repaintLater();
}

void BoardBox::setBackgroundColor(const QColor& color)
{
    if (color == background_)
        return;
    background_ = color;
    repaintLater();
}

void BoardBox::setTextColor(const QColor& color)
{
    if (color == textColor_)
        return;
    textColor_ = color;
    repaintLater();
}

void BoardBox::setBorderColor(const QColor& color)
{
    if (color == border_)
        return;
    border_ = color;
    repaintLater();
}

void BoardBox::setMaxLength(int length)
{
    maxLength_ = std::max(0, length);
}

void BoardBox::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
    setFocusPolicy(readOnly ? Qt::NoFocus : Qt::StrongFocus);
}

void BoardBox::repaintLater()
{
    if (BoardRepaintBatch::current)
        BoardRepaintBatch::current->add(this);
    else
        update();
}

std::string BoardBox::text() const
{
    const QByteArray bytes = text_.toLatin1();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

void BoardBox::setText(std::string_view text)
{
    setBoxText(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

engine::Color BoardBox::color() const
{
    return toBgr(background_);
}

void BoardBox::setColor(engine::Color color)
{
    setBackgroundColor(toQColor(color));
}

engine::Color BoardBox::fontColor() const
{
    return toBgr(textColor_);
}

void BoardBox::setFontColor(engine::Color color)
{
    setTextColor(toQColor(color));
}

engine::Bounds BoardBox::bounds() const
{
    return {x(), y(), width(), height()};
}

// A text wider than the space between the borders (a two-digit clue in a small box) is
// condensed to fit rather than drawn over the border.
void BoardBox::fitText()
{
    fitted_ = true;
    shownFont_ = font();
    if (shown_.size() < 2)
        return;
    const int room = width() - 2;
    const int needed = QFontMetrics(shownFont_).horizontalAdvance(shown_);
    if (room > 0 && needed > room)
        shownFont_.setStretch(std::max(50, room * 100 / needed));
}

void BoardBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    // The one-pixel border and the face as two fills: stroking the outline costs the raster
    // engine ten times as much, and a start paints 441 boxes.
    painter.fillRect(r, border_);
    painter.fillRect(r.adjusted(1, 1, -1, -1), background_);
    // A cell's mark is hidden by drawing it in its background colour: skip the text layout.
    if (shown_.isEmpty() || textColor_ == background_)
        return;
    if (!fitted_)
        fitText();
    painter.setFont(shownFont_);
    painter.setPen(textColor_);
    painter.drawText(r, Qt::AlignCenter, shown_);
}

void BoardBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    event->accept();
}

void BoardBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    event->accept();
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}

void BoardBox::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseMoved();
}

void BoardBox::keyPressEvent(QKeyEvent* event)
{
    if (readOnly_) {
        Control<QWidget>::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        if (!text_.isEmpty())
            setBoxText(text_.left(text_.size() - 1));
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).isPrint()) {
        if (maxLength_ == 0 || text_.size() < maxLength_)
            setBoxText(text_ + typed);
        return;
    }
    Control<QWidget>::keyPressEvent(event);
}

void BoardBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        fitted_ = false;
        update();
    } else if (event->type() == QEvent::EnabledChange) {
        pressed_ = false;
        // QWidget would repaint the box at once; the completed picture disables 441 cells
        // together, so the repaint goes through the batch like any other change. Qt's notice to
        // assistive technology is kept.
        repaintLater();
#if QT_CONFIG(accessibility)
        QAccessible::State state;
        state.disabled = true;
        QAccessibleStateChangeEvent change(this, state);
        QAccessible::updateAccessibility(&change);
#endif
        return;
    }
    Control<QWidget>::changeEvent(event);
}

void BoardBox::resizeEvent(QResizeEvent* event)
{
    fitted_ = false;
    Control<QWidget>::resizeEvent(event);
}

BoardRepaintBatch* BoardRepaintBatch::current = nullptr;

BoardRepaintBatch::BoardRepaintBatch()
    : outermost_(current == nullptr)
{
    if (outermost_)
        current = this;
}

BoardRepaintBatch::~BoardRepaintBatch()
{
    if (!outermost_)
        return;
    current = nullptr;
    for (const auto& [parent, area] : std::as_const(areas_)) {
        if (parent)
            parent->update(area);
    }
}

void BoardRepaintBatch::add(BoardBox* box)
{
    // A box without a parent, or one that is not shown, repaints as usual (Qt ignores the
    // request while it is hidden).
    QWidget* parent = box->parentWidget();
    if (!parent || !box->isVisible()) {
        box->update();
        return;
    }
    auto& entry = areas_[parent];
    entry.first = parent;
    entry.second |= box->geometry();
}

} // namespace widgets
