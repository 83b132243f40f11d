// SPDX-License-Identifier: GPL-3.0-or-later
// The base of the scaling panel (a frame that keeps every control on it at the same
// proportional place and size whenever its own size changes), the handler that does so for one
// control, and the base of the handlers that scale one property, with the font's.
#pragma once

#include "component.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QHash>
#include <QMetaProperty>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <memory>
#include <stdexcept>
#include <vector>

namespace scaling {

// The failure of a handler that cannot find a property it scales ("No Margin property").
class ScalingError : public std::runtime_error {
public:
    explicit ScalingError(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// The published property of that name on the object's class, compared ignoring ASCII case (so
// "Font" also finds Qt's own "font"); throws ScalingError "No <name> property" when there is none.
QMetaProperty FindProperty(const QObject* object, const QString& name);

// A control's client size: the inside of its frame (contentsRect), in pixels.
QSize clientSize(const QWidget* control);

// An integer property found by name once and then read and written on one object.
class IntProperty {
public:
    IntProperty() = default;
    // Throws ScalingError when the object has no such property.
    IntProperty(QObject* object, const QString& name);
    int read() const;
    void write(int value) const;

private:
    QPointer<QObject> object_;
    QMetaProperty property_;
};

// Scales one size-like property of a control in proportion to the control's own client size.
// Capture records proportions from the present values; Apply re-derives the values. While
// Invalid, no valid proportions are recorded and Apply does nothing.
class TMRPropertyHandler {
public:
    explicit TMRPropertyHandler(QWidget* control);
    virtual ~TMRPropertyHandler();
    TMRPropertyHandler(const TMRPropertyHandler&) = delete;
    TMRPropertyHandler& operator=(const TMRPropertyHandler&) = delete;

    virtual void Capture();
    virtual void Apply();
    // Advice for whoever lays out the form; empty when the control is fit for scaling.
    virtual QString Diagnose() const;
    // The handler's kind: the name of its class ("TMRFont"), the same with every compiler.
    virtual const char* kind() const { return "TMRPropertyHandler"; }

    QPointer<QWidget> Control;
    bool Invalid = true;

protected:
    // The sides of the reference size that a handler's ratios are taken against.
    enum class Against { Width, Height, Both };

    // The steps every capture takes: the ratios stay when nothing changed since the last apply
    // and they are valid; a reference size of 0 along a side they are taken against gives no
    // ratio (it would divide by 0) and makes the handler Invalid; otherwise
    // takeRatios(reference) records them and the handler is valid.
    template <typename TakeRatios>
    void recapture(bool changed, QSize reference, Against against, TakeRatios&& takeRatios)
    {
        if (!changed && !Invalid)
            return;
        const bool empty = (against != Against::Height && reference.width() == 0)
            || (against != Against::Width && reference.height() == 0);
        if (empty) {
            Invalid = true;
            return;
        }
        takeRatios(reference);
        Invalid = false;
    }

    // The step every apply takes first: nothing while Invalid or once the control is gone;
    // otherwise applyRatios(the control's client size).
    template <typename ApplyRatios> void reapply(ApplyRatios&& applyRatios)
    {
        if (Invalid || !Control)
            return;
        applyRatios(clientSize(Control));
    }
};

// Scales the point size of a font property ("Font", or "TabFont" of a tabbed notebook) with the
// smaller of the two proportions of the control's client size.
class TMRFont : public TMRPropertyHandler {
public:
    // Throws ScalingError when the control has no property of that name.
    TMRFont(QWidget* control, const QString& propName = QStringLiteral("Font"));

    void Capture() override;
    void Apply() override;
    // Empty for a scalable outline font, "Not a vector font. " for a bitmap font.
    QString Diagnose() const override;
    const char* kind() const override { return "TMRFont"; }
    // Capture against the given reference size instead of the control's client size.
    void CaptureFor(int refWidth, int refHeight);

    QMetaProperty TargetFont; // the font property; fonts are values in Qt, read and written back
    QString PropName;
    int LastSize = 0;
    float WidthRatio = 0.0f;
    float HeightRatio = 0.0f;

private:
    int pointSize() const;
    void applyFor(QSize client);
};

// Keeps one control's left, top, width and height as fractions of its parent's size, and owns
// the property handlers of that control.
class TMRControlHandler {
public:
    explicit TMRControlHandler(QWidget* control);
    virtual ~TMRControlHandler();
    TMRControlHandler(const TMRControlHandler&) = delete;
    TMRControlHandler& operator=(const TMRControlHandler&) = delete;

    virtual void CaptureBounds(int refWidth, int refHeight);
    virtual void CaptureProperties();
    // Sets the control's bounds from the ratios and the parent's client size; out: the bounds set.
    virtual void ApplyBounds(QRect& bounds);
    virtual void ApplyProperties();

    void Capture(int refWidth, int refHeight);
    void Apply();

    // LeftRatio while the control cannot be scaled: never captured, or captured against an
    // empty parent. Apply leaves such a control alone.
    static constexpr float NotScalable = -1.0f;
    // A LastParentWidth that no parent has, so that the next capture never finds the control
    // unchanged since the last apply and takes its proportions afresh.
    static constexpr int ForceCapture = -1000;

    QPointer<QWidget> Control;
    std::vector<std::unique_ptr<TMRPropertyHandler>> PropertyHandlers;
    float LeftRatio = NotScalable;
    float TopRatio = 0.0f;
    float WidthRatio = 0.0f;
    float HeightRatio = 0.0f;
    QRect LastBounds; // the control's geometry after the last apply
    int LastParentWidth = 0; // ForceCapture after a capture against an empty parent
    int LastParentHeight = 0;
    QMetaObject::Connection destroyedConnection; // made and cut by the panel
};

// A class reference for control handlers: creates a handler of one kind for a control.
using ControlHandlerClass = std::unique_ptr<TMRControlHandler> (*)(QWidget* control);
template <typename Handler> std::unique_ptr<TMRControlHandler> handlerClassOf(QWidget* control)
{
    return std::make_unique<Handler>(control);
}

using PropertyHandlerList = std::vector<std::unique_ptr<TMRPropertyHandler>>;

// A container that rescales its content exactly when its own size changes. Every descendant
// control gets a handler (depth-first, each container before its children; a nested scaling
// panel is scaled as a control and rescales its own content). In the fixed mode (AllowChanges
// off) each control's proportions are captured once, at the first resize after it appeared; in
// the changes-allowed mode they are captured again before every resize. The reference size is
// the size the present layout was made for: the size at Loaded(), or, when the owner never
// calls it, the size the panel has at its first resize event (when it is first shown).
class TCustomResizerPanel : public QFrame, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisible)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(bool AllowChanges READ AllowChanges WRITE SetAllowChanges)

public:
    TCustomResizerPanel(QWidget* parent, widgets::Component* owner, const QString& name);
    ~TCustomResizerPanel() override;

    bool Active() const { return active_; }
    // False destroys every control handler (last to first); True takes effect at the next resize.
    void SetActive(bool active);
    bool AllowChanges() const { return allowChanges_; }
    void SetAllowChanges(bool allowChanges) { allowChanges_ = allowChanges; }

    int RefWidth() const { return refWidth_; }
    int RefHeight() const { return refHeight_; }
    ControlHandlerClass HandlerClass() const { return handlerClass_; }
    TMRFont& PanelFont() const { return *panelFont_; }
    int handlerCount() const { return static_cast<int>(handlers_.size()); }
    // The handler of a control, or null; constant time.
    TMRControlHandler* handlerOf(const QWidget* control) const;
    // The controls that have handlers, in list order.
    std::vector<QWidget*> handledControls() const;

    // While loading, size changes scale nothing and only follow the reference size.
    void BeginLoading() { loading_ = true; }
    // The reference size becomes the present size, and loading ends.
    void Loaded();

    // Moves and sizes the panel; while not Active the reference size follows.
    void SetBounds(int left, int top, int width, int height);
    void setLeft(int left) { SetBounds(left, y(), width(), height()); }
    void setTop(int top) { SetBounds(x(), top, width(), height()); }
    void setWidth(int width) { SetBounds(x(), y(), width, this->height()); }
    void setHeight(int height) { SetBounds(x(), y(), this->width(), height); }
    bool visibleFlag() const { return !isHidden(); }
    QColor color() const;
    void setColor(const QColor& color);

    // Appends the property handlers for one control; the base kind appends none. May throw;
    // handlers appended before the failure stay in the list.
    virtual void CreatePropertyHandlers(QWidget* control, PropertyHandlerList& list);

signals:
    // The panel's own resize event, raised after its content followed the new size.
    void resized();

protected:
    // For a derived panel: the kind of control handler to create (a class reference).
    void setHandlerClass(ControlHandlerClass handlerClass) { handlerClass_ = handlerClass; }
    void resizeEvent(QResizeEvent* event) override;
    void notification(widgets::Component* c, Operation operation) override;

private:
    void rescale(QResizeEvent* event);
    void CollectControls(QWidget* container);
    void captureHandler(TMRControlHandler& handler);
    void dropStrayHandlers();
    void dropHandler(const QObject* control);
    void destroyHandlers();

    int refWidth_ = 0;
    int refHeight_ = 0;
    std::vector<std::unique_ptr<TMRControlHandler>> handlers_;
    QHash<const QObject*, TMRControlHandler*> index_; // control -> its handler in handlers_
    ControlHandlerClass handlerClass_ = &handlerClassOf<TMRControlHandler>;
    std::unique_ptr<TMRFont> panelFont_;
    bool active_ = true;
    bool allowChanges_ = false;
    bool loading_ = false;
    bool panelFontCaptured_ = false;
    bool refKnown_ = false; // false until Loaded(), SetBounds while inactive, or the first resize
};

} // namespace scaling
