// GlyphButton: a plain push button whose caption is placed by Margin and Spacing.
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QString>

namespace widgets {

// A button in the platform's look. Margin is the distance in pixels from the left edge to the
// caption; -1 (the default) centres it. Spacing (default 4) is the gap a picture would leave
// before the caption; the button carries no picture, so it only takes part when Margin >= 0.
class GlyphButton : public Control<QPushButton>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)

public:
    GlyphButton(QWidget* parent, Component* owner, const QString& name);

    // The face colour (the palette's button colour).
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& color);
    int margin() const { return margin_; }
    void setMargin(int margin);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int margin_ = -1;
    int spacing_ = 4;
};

} // namespace widgets
