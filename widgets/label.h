// SPDX-License-Identifier: GPL-3.0-or-later
// Label: a line of static text that can size itself to its caption.
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

namespace widgets {

// Plain text (never rich text), top-left aligned, transparent unless Color is set. With
// AutoSize on (the default) the width and height follow the text whenever the caption (set
// by setCaption or the published Caption) or the font changes, and whenever adjustSize() is
// called (the scaling panel does so after every rescale, since bounds scaled in proportion need
// not hold the caption); the top-left corner stays. An empty caption measures as one blank, so
// an empty label keeps the height of a line. QLabel's own setters (setText through a QLabel
// pointer, setNum) know nothing of AutoSize and leave the size alone; through a Label, setText
// is not offered.
class Label : public Control<QLabel>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Caption READ text WRITE setCaption)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor FontColor READ textColor WRITE setTextColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)

public:
    Label(QWidget* parent, Component* owner, const QString& name);

    // Sets the text and, with AutoSize on, sizes the label to it.
    void setCaption(const QString& caption);
    // Qt::transparent (the default) lets the parent show through.
    QColor backgroundColor() const { return background_; }
    void setBackgroundColor(const QColor& color);
    QColor textColor() const;
    void setTextColor(const QColor& color);
    bool autoSize() const { return autoSize_; }
    // Switching it on sizes the label at once.
    void setAutoSize(bool autoSize);

    // The size the caption needs in the current font: at least its real advance, rounded up.
    QSize textExtent() const;
    // The text extent, which adjustSize() gives the label.
    QSize sizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Set captions with setCaption, which sizes the label as well.
    using QLabel::setText;
    void adjustToText();

    QColor background_ = Qt::transparent;
    bool autoSize_ = true;
};

} // namespace widgets
