// SPDX-License-Identifier: GPL-3.0-or-later
// BoardBox: one of the 693 one-character boxes of the board, a light custom-painted control.
#pragma once

#include "board.h"
#include "component.h"
#include "control.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <utility>

namespace widgets {

// A read-only one-line box: background, border and text in colours of its own, the text in
// capitals, centred. The player cannot type into it; the program may set texts longer than
// the one typed character allowed (a clue "12", a line label "21"), and they show in full.
// Texts are 8-bit bytes on the engine side and Latin-1 on the Qt side, so every byte
// round-trips. A disabled box keeps its colours and receives no clicks and no mouse moves.
class BoardBox : public Control<QWidget>, public engine::Box, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Text READ boxText WRITE setBoxText)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor FontColor READ textColor WRITE setTextColor)
    Q_PROPERTY(QColor BorderColor READ borderColor WRITE setBorderColor)
    Q_PROPERTY(int MaxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(QFont Font READ font WRITE setFont)

public:
    // A white box with black text and a black border, in bold "Courier New" 16 pixels high.
    // number is the box's number on the board (1 … 693; 0 for a box outside a board).
    BoardBox(QWidget* parent, Component* owner, const QString& name, int number = 0);

    // The box's number on the board, as given at creation: the handlers act on the box that
    // raised the event by this number, without going through its name.
    int number() const { return number_; }

    // The text as the program set it (the display shows it in capitals).
    QString boxText() const { return text_; }
    void setBoxText(const QString& text);

    QColor backgroundColor() const { return background_; }
    void setBackgroundColor(const QColor& color);
    QColor textColor() const { return textColor_; }
    void setTextColor(const QColor& color);
    QColor borderColor() const { return border_; }
    void setBorderColor(const QColor& color);

    // Limits typed input only (0: no limit); texts set by the program are never cut.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    // engine::Box
    std::string text() const override;
    void setText(std::string_view text) override;
    bool visibleFlag() const override { return !isHidden(); }
    void setVisibleFlag(bool visible) override { setVisible(visible); }
    bool enabledFlag() const override { return !testAttribute(Qt::WA_ForceDisabled); }
    void setEnabledFlag(bool enabled) override { setEnabled(enabled); }
    engine::Color color() const override;
    void setColor(engine::Color color) override;
    engine::Color fontColor() const override;
    void setFontColor(engine::Color color) override;
    engine::Bounds bounds() const override;

signals:
    // A left-button press and release both inside the box.
    void clicked();
    // The mouse moved over the box (mouse tracking is on: no button needs to be held).
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void textChanged();
    void fitText();
    // Asks for a repaint of the box, or leaves it to the batch in progress.
    void repaintLater();

    QString text_;
    QString shown_; // text_ in capitals
    QFont shownFont_; // font(), condensed when the text would not fit between the borders
    QColor background_;
    QColor textColor_;
    QColor border_;
    int number_ = 0;
    int maxLength_ = 1;
    bool readOnly_ = true;
    bool pressed_ = false;
    bool fitted_ = false;
};

// While one of these lives, boxes that change are not repainted one by one: when it ends, the
// parent of the changed boxes repaints the rectangle that covers them, once. A new scheme
// rewrites hundreds of boxes, and Qt handles one dirty rectangle far faster than hundreds of
// dirty widgets side by side. Batches nest; the outermost one does the repaint.
class BoardRepaintBatch {
public:
    BoardRepaintBatch();
    ~BoardRepaintBatch();
    BoardRepaintBatch(const BoardRepaintBatch&) = delete;
    BoardRepaintBatch& operator=(const BoardRepaintBatch&) = delete;

private:
    friend class BoardBox;
    static BoardRepaintBatch* current;

    void add(BoardBox* box);

    bool outermost_;
    // Per parent (which may be destroyed meanwhile), the area of its changed boxes.
    QHash<QWidget*, std::pair<QPointer<QWidget>, QRect>> areas_;
};

} // namespace widgets
