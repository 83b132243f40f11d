// SPDX-License-Identifier: GPL-3.0-or-later
// The base scaling panel, the one-control handler, the property handler base and the font handler.
#include "customrp.h"

#include "errors.h"
#include "fonts.h"
#include "properties.h"
#include "qtkinds.h"
#include "ratios.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QResizeEvent>
#include <QScopeGuard>

#include <algorithm>

namespace scaling {

QMetaProperty FindProperty(const QObject* object, const QString& name)
{
    const QMetaProperty property = widgets::findPublishedProperty(object, name);
    if (!property.isValid())
        throw ScalingError(QStringLiteral("No %1 property").arg(name));
    return property;
}

QSize clientSize(const QWidget* control)
{
    return control->contentsRect().size();
}

IntProperty::IntProperty(QObject* object, const QString& name)
    : object_(object)
    , property_(FindProperty(object, name))
{
}

int IntProperty::read() const
{
    return object_ ? property_.read(object_).toInt() : 0;
}

void IntProperty::write(int value) const
{
    if (object_)
        widgets::writeProperty(object_, property_, value);
}

// ---------------------------------------------------------------------------------------------
// Property handler base

TMRPropertyHandler::TMRPropertyHandler(QWidget* control)
    : Control(control)
{
}

TMRPropertyHandler::~TMRPropertyHandler() = default;

void TMRPropertyHandler::Capture() { }

void TMRPropertyHandler::Apply() { }

QString TMRPropertyHandler::Diagnose() const
{
    return {};
}

// ---------------------------------------------------------------------------------------------
// Font handler

TMRFont::TMRFont(QWidget* control, const QString& propName)
    : TMRPropertyHandler(control)
    , TargetFont(FindProperty(control, propName))
    , PropName(propName)
{
}

int TMRFont::pointSize() const
{
    return widgets::fontPointSize(TargetFont.read(Control).value<QFont>());
}

void TMRFont::Capture()
{
    if (!Control)
        return;
    const QSize client = clientSize(Control);
    CaptureFor(client.width(), client.height());
}

void TMRFont::CaptureFor(int refWidth, int refHeight)
{
    if (!Control)
        return;
    const int size = pointSize();
    recapture(size != LastSize, QSize(refWidth, refHeight), Against::Both, [&](QSize reference) {
        WidthRatio = ratioOf(size, reference.width());
        HeightRatio = ratioOf(size, reference.height());
    });
}

void TMRFont::Apply()
{
    reapply([this](QSize client) { applyFor(client); });
}

void TMRFont::applyFor(QSize client)
{
    // Each product rounded to single precision before it is truncated: 8/41 * 41 gives 7.
    const float a = WidthRatio * static_cast<float>(client.width());
    const float b = HeightRatio * static_cast<float>(client.height());
    const int size = static_cast<int>(a < b ? a : b);
    // Read once, write only a changed size, and read back what the control made of it.
    QFont font = TargetFont.read(Control).value<QFont>();
    int now = widgets::fontPointSize(font);
    if (now != size) {
        widgets::setFontPointSize(font, size);
        widgets::writeProperty(Control, TargetFont, font);
        now = pointSize();
    }
    if (now == 0) {
        font = TargetFont.read(Control).value<QFont>();
        widgets::setFontPointSize(font, 1);
        widgets::writeProperty(Control, TargetFont, font);
        now = pointSize();
    }
    LastSize = now;
    snapToCurrentPage(Control, pageControlOf(Control));
}

QString TMRFont::Diagnose() const
{
    if (!Control)
        return {};
    const QFont font = TargetFont.read(Control).value<QFont>();
    const QString family = QFontInfo(font).family();
    const QString style = QFontDatabase::styleString(font);
    if (QFontDatabase::isScalable(family, style) || QFontDatabase::isSmoothlyScalable(family, style))
        return {};
    return QStringLiteral("Not a vector font. ");
}

// ---------------------------------------------------------------------------------------------
// Control handler

TMRControlHandler::TMRControlHandler(QWidget* control)
    : Control(control)
{
}

TMRControlHandler::~TMRControlHandler()
{
    QObject::disconnect(destroyedConnection);
    // Property handlers go one by one from the front of the list.
    for (auto& handler : PropertyHandlers)
        handler.reset();
    PropertyHandlers.clear();
}

void TMRControlHandler::CaptureBounds(int refWidth, int refHeight)
{
    if (!Control)
        return;
    const QRect now = Control->geometry();
    // Unchanged since the last apply: recomputing would only add rounding drift.
    if (refWidth == LastParentWidth && refHeight == LastParentHeight && now == LastBounds)
        return;
    if (refWidth == 0 || refHeight == 0) {
        LeftRatio = NotScalable;
        LastParentWidth = ForceCapture;
        return;
    }
    LeftRatio = ratioOf(now.x(), refWidth);
    TopRatio = ratioOf(now.y(), refHeight);
    WidthRatio = ratioOf(now.width(), refWidth);
    HeightRatio = ratioOf(now.height(), refHeight);
}

void TMRControlHandler::CaptureProperties()
{
    for (auto& handler : PropertyHandlers)
        handler->Capture();
}

void TMRControlHandler::ApplyBounds(QRect& bounds)
{
    const QSize parent = clientSize(Control->parentWidget());
    LastParentWidth = parent.width();
    LastParentHeight = parent.height();
    bounds = QRect(roundedProduct(parent.width(), LeftRatio), roundedProduct(parent.height(), TopRatio),
        roundedProduct(parent.width(), WidthRatio), roundedProduct(parent.height(), HeightRatio));
    Control->setGeometry(bounds);
}

void TMRControlHandler::ApplyProperties()
{
    for (auto& handler : PropertyHandlers)
        handler->Apply();
}

void TMRControlHandler::Capture(int refWidth, int refHeight)
{
    CaptureBounds(refWidth, refHeight);
    CaptureProperties();
}

void TMRControlHandler::Apply()
{
    // A control that is gone, or no longer has a parent, is never scaled.
    if (LeftRatio == NotScalable || !Control || !Control->parentWidget())
        return;
    QRect bounds;
    ApplyBounds(bounds);
    if (!Control)
        return;
    ApplyProperties();
    if (Control)
        LastBounds = Control->geometry();
}

// ---------------------------------------------------------------------------------------------
// Panel

TCustomResizerPanel::TCustomResizerPanel(QWidget* parent, widgets::Component* owner, const QString& name)
    : QFrame(parent)
    , widgets::Component(this, owner, name)
{
    setFrameShape(QFrame::NoFrame);
    refWidth_ = width();
    refHeight_ = height();
    panelFont_ = std::make_unique<TMRFont>(this, QStringLiteral("Font"));
}

TCustomResizerPanel::~TCustomResizerPanel()
{
    panelFont_.reset();
    destroyHandlers();
}

void TCustomResizerPanel::SetActive(bool active)
{
    if (active == active_)
        return;
    active_ = active;
    if (!active) {
        destroyHandlers();
        panelFontCaptured_ = false;
    }
}

TMRControlHandler* TCustomResizerPanel::handlerOf(const QWidget* control) const
{
    return index_.value(control, nullptr);
}

std::vector<QWidget*> TCustomResizerPanel::handledControls() const
{
    std::vector<QWidget*> controls;
    controls.reserve(handlers_.size());
    for (const auto& handler : handlers_)
        controls.push_back(handler->Control);
    return controls;
}

void TCustomResizerPanel::Loaded()
{
    loading_ = false;
    refKnown_ = true;
    refWidth_ = width();
    refHeight_ = height();
}

void TCustomResizerPanel::SetBounds(int left, int top, int width, int height)
{
    if (!active_) {
        refWidth_ = this->width();
        refHeight_ = this->height();
    }
    setGeometry(left, top, width, height);
    if (!active_) {
        refWidth_ = this->width();
        refHeight_ = this->height();
        refKnown_ = true;
    }
}

QColor TCustomResizerPanel::color() const
{
    return palette().color(QPalette::Window);
}

void TCustomResizerPanel::setColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
    setAutoFillBackground(true);
}

void TCustomResizerPanel::CreatePropertyHandlers(QWidget*, PropertyHandlerList&) { }

void TCustomResizerPanel::resizeEvent(QResizeEvent* event)
{
    // A layout built hidden is first seen at this size: it is the size the layout was made for.
    if (!refKnown_) {
        refWidth_ = width();
        refHeight_ = height();
        refKnown_ = true;
    }
    // Not scaling (loading or switched off): the reference size follows the panel.
    if (loading_ || !active_) {
        QFrame::resizeEvent(event);
        emit resized();
        refWidth_ = width();
        refHeight_ = height();
        return;
    }
    // An exception cannot cross Qt's event delivery: it ends the rescale and is shown.
    widgets::guarded([&] { rescale(event); });
}

void TCustomResizerPanel::rescale(QResizeEvent* event)
{
    // Collect. A failure here (a missing property) leaves the reference size as it was.
    dropStrayHandlers();
    if (!allowChanges_ && !panelFontCaptured_) {
        panelFont_->Invalid = true;
        panelFont_->CaptureFor(refWidth_, refHeight_);
        panelFontCaptured_ = true;
    }
    CollectControls(this);

    // Instead of hiding the panel (which would take the focus away and flash), its updates
    // are held back until the end; then one repaint shows the final layout. A panel nested in
    // another that is rescaling finds updates already held and leaves them to the outer one.
    const bool holdUpdates = updatesEnabled();
    if (holdUpdates)
        setUpdatesEnabled(false);
    const auto restore = qScopeGuard([this, holdUpdates] { // also when capturing or applying fails
        if (holdUpdates)
            setUpdatesEnabled(true); // schedules the one repaint
        refWidth_ = width();
        refHeight_ = height();
    });

    // Changes allowed: proportions of the layout as it is now, against the sizes it was made for
    // (the reference size and the parents' sizes are still those from before this change).
    if (allowChanges_) {
        panelFont_->CaptureFor(refWidth_, refHeight_);
        for (size_t i = 0; i < handlers_.size(); ++i)
            captureHandler(*handlers_[i]);
    }
    // The panel's own resize handling and resize event.
    QFrame::resizeEvent(event);
    emit resized();
    // List order resizes every container before its children are computed from it.
    panelFont_->Apply();
    for (size_t i = 0; i < handlers_.size(); ++i)
        handlers_[i]->Apply();
}

void TCustomResizerPanel::captureHandler(TMRControlHandler& handler)
{
    QWidget* control = handler.Control;
    if (!control || !control->parentWidget())
        return;
    if (control->parentWidget() == this) {
        handler.Capture(refWidth_, refHeight_);
    } else {
        const QSize parent = clientSize(control->parentWidget());
        handler.Capture(parent.width(), parent.height());
    }
}

void TCustomResizerPanel::CollectControls(QWidget* container)
{
    for (QWidget* child : childControls(container)) {
        if (!index_.contains(child)) {
            handlers_.push_back(handlerClass_(child));
            TMRControlHandler& handler = *handlers_.back();
            index_.insert(child, &handler);
            handler.destroyedConnection
                = connect(child, &QObject::destroyed, this, [this](QObject* gone) { dropHandler(gone); });
            CreatePropertyHandlers(child, handler.PropertyHandlers);
            if (!allowChanges_)
                captureHandler(handler);
        }
        if (!qobject_cast<TCustomResizerPanel*>(child))
            CollectControls(child);
    }
}

void TCustomResizerPanel::dropStrayHandlers()
{
    // A control taken out of the panel's tree without leaving its owner: its handler goes, and
    // it is collected afresh should it come back.
    for (size_t i = handlers_.size(); i-- > 0;) {
        QWidget* control = handlers_[i]->Control;
        if (!control || !isAncestorOf(control)) {
            TMRControlHandler* handler = handlers_[i].get();
            index_.removeIf([handler](const auto& entry) { return entry.value() == handler; });
            handlers_.erase(handlers_.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}

void TCustomResizerPanel::dropHandler(const QObject* control)
{
    auto hit = index_.find(control);
    if (hit == index_.end())
        return;
    TMRControlHandler* handler = hit.value();
    index_.erase(hit);
    // From the last entry to the first, as controls created last go first most often.
    for (size_t i = handlers_.size(); i-- > 0;) {
        if (handlers_[i].get() == handler) {
            handlers_.erase(handlers_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void TCustomResizerPanel::destroyHandlers()
{
    index_.clear();
    while (!handlers_.empty())
        handlers_.pop_back();
}

void TCustomResizerPanel::notification(widgets::Component* c, Operation operation)
{
    widgets::Component::notification(c, operation);
    // Only the address is used: the control may be half destroyed already.
    if (operation == Operation::Remove && c)
        dropHandler(c->object());
}

} // namespace scaling
