// SkinButton: a push button drawn in the widget set's "DeepBlue" skin.
#pragma once

#include "component.h"
#include "control.h"

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QString>

namespace widgets {

// A deep-blue gradient face with a white caption: lighter under the mouse, darker and sunk by
// a pixel while pressed, grey when disabled. It keeps the size it is given and shows no picture.
// SkinName names the skin; "DeepBlue" is the only one drawn, any other name draws it as well.
class SkinButton : public Control<QPushButton>, public Component {
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
    Q_PROPERTY(QString SkinName READ skinName WRITE setSkinName)

public:
    SkinButton(QWidget* parent, Component* owner, const QString& name);

    // Kept for the published property; the skin paints the face, so it shows nowhere.
    QColor backgroundColor() const { return color_; }
    void setBackgroundColor(const QColor& color) { color_ = color; }
    QString skinName() const { return skinName_; }
    void setSkinName(const QString& skinName);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
    QString skinName_ = QStringLiteral("DeepBlue");
};

} // namespace widgets
