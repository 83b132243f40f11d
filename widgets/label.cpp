// SPDX-License-Identifier: GPL-3.0-or-later
// Label: plain text, transparent background and automatic sizing.
#include "label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QtMath>

#include <algorithm>

namespace widgets {

Label::Label(QWidget* parent, Component* owner, const QString& name)
    : Control<QLabel>(parent)
    , Component(this, owner, name)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
    adjustToText();
}

void Label::setCaption(const QString& caption)
{
    QLabel::setText(caption);
    adjustToText();
}

void Label::setBackgroundColor(const QColor& color)
{
    background_ = color;
    fillBackground(color);
}

QColor Label::textColor() const
{
    return palette().color(QPalette::WindowText);
}

void Label::setTextColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void Label::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    adjustToText();
}

QSize Label::textExtent() const
{
    // Whole-pixel advances per character and whole-pixel ascent and descent, as the layout's
    // sizes were measured: a label returns to exactly its layout size after any rescale. Where
    // the advances were rounded down (7.2 pixels to 7), the text's real advance is wider: the
    // label takes that, rounded up, so that its last letters are never cut.
    const QFontMetricsF metrics(font());
    const QString measured = text().isEmpty() ? QStringLiteral(" ") : text();
    int width = 0;
    for (const QChar ch : measured)
        width += qRound(metrics.horizontalAdvance(ch));
    width = std::max(width, qCeil(metrics.horizontalAdvance(measured)));
    // Letters that the font lacks (Arabic, Chinese) come from another font, whose line may be
    // higher than this font's: the label takes the line that its text really needs.
    const qreal line = metrics.boundingRect(QRectF(), Qt::AlignLeft | Qt::TextSingleLine, measured).height();
    return QSize(width, std::max(qCeil(metrics.ascent()) + qCeil(metrics.descent()), qCeil(line)));
}

QSize Label::sizeHint() const
{
    return textExtent();
}

void Label::adjustToText()
{
    if (autoSize_)
        resize(textExtent());
}

void Label::changeEvent(QEvent* event)
{
    Control<QLabel>::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustToText();
}

} // namespace widgets
