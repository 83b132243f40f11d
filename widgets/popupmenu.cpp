// SPDX-License-Identifier: GPL-3.0-or-later
// SkinPopupMenu: the menu's own drawing through a proxy style, and attaching it to a widget.
#include "popupmenu.h"

#include "bgrcolor.h"

#include <QActionEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace widgets {

namespace {

using bgr::toQColor;

// The menu's measures and colours (the colours are 0x00BBGGRR values).
constexpr int ItemHeight = 21;
constexpr int SeparatorHeight = 5;
constexpr int SideBarWidth = 26;
constexpr int TextGap = 6; // between the side bar and the caption
constexpr int ShortcutGap = 24; // between the caption and the short-cut
constexpr int RightMargin = 12;
const QColor SideBar = toQColor(0xCED3D6);
const QColor Background = toQColor(0xFFFFFF);
const QColor SeparatorLine = toQColor(0x848284);
const QColor Selected = toQColor(0xA04A44);
const QColor SelectedText = toQColor(0xFFFFFF);
const QColor NormalText = toQColor(0x000000);
const QColor DisabledText = toQColor(0x808080);
const QColor Border = toQColor(0x000000);

class MenuStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_MenuPanelWidth:
            return 1;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_MenuDesktopFrameWidth:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
        const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type != CT_MenuItem || !item)
            return QProxyStyle::sizeFromContents(type, option, size, widget);
        if (item->menuItemType == QStyleOptionMenuItem::Separator)
            return QSize(SideBarWidth + 2 * TextGap, SeparatorHeight);
        const QFontMetrics metrics(item->font);
        const qsizetype tab = item->text.indexOf(u'\t');
        const QString caption = tab < 0 ? item->text : item->text.left(tab);
        int width = SideBarWidth + TextGap + metrics.horizontalAdvance(caption) + RightMargin;
        if (tab >= 0)
            width += ShortcutGap + metrics.horizontalAdvance(item->text.mid(tab + 1));
        return QSize(width, ItemHeight);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        if (element == PE_PanelMenu) {
            painter->fillRect(option->rect, Background);
            painter->fillRect(
                QRect(option->rect.left(), option->rect.top(), SideBarWidth, option->rect.height()), SideBar);
            return;
        }
        if (element == PE_FrameMenu) {
            painter->setPen(Border);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuEmptyArea) {
            painter->fillRect(option->rect, Background);
            return;
        }
        if (element != CE_MenuItem || !item) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        const QRect r = item->rect;
        const QRect bar(r.left(), r.top(), SideBarWidth, r.height());
        painter->fillRect(r, Background);
        painter->fillRect(bar, SideBar);
        if (item->menuItemType == QStyleOptionMenuItem::Separator) {
            const int y = r.top() + r.height() / 2;
            painter->fillRect(
                QRect(r.left() + SideBarWidth + TextGap, y, r.width() - SideBarWidth - TextGap, 1),
                SeparatorLine);
            return;
        }
        const bool enabled = item->state & State_Enabled;
        const bool selected = enabled && (item->state & State_Selected);
        if (selected) {
            painter->fillRect(r, Selected);
            painter->setPen(Selected.darker(115));
            painter->drawRect(r.adjusted(0, 0, -1, -1));
        }
        if (item->checked) {
            // A tick in the side bar for checkable items that are on.
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setPen(QPen(selected ? SelectedText : NormalText, 1.6));
            const QPointF c = QRectF(bar).center();
            painter->drawPolyline(QPolygonF({c + QPointF(-4, 0), c + QPointF(-1, 3), c + QPointF(4, -3)}));
            painter->restore();
        }
        painter->setFont(item->font);
        painter->setPen(selected ? SelectedText : (enabled ? NormalText : DisabledText));
        const qsizetype tab = item->text.indexOf(u'\t');
        const QString caption = tab < 0 ? item->text : item->text.left(tab);
        const QRect textRect = r.adjusted(SideBarWidth + TextGap, 0, -RightMargin, 0);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, caption);
        if (tab >= 0)
            painter->drawText(textRect, Qt::AlignRight | Qt::AlignVCenter, item->text.mid(tab + 1));
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
        QStyleHintReturn* returnData) const override
    {
        if (hint == SH_Menu_FlashTriggeredItem || hint == SH_Menu_FadeOutOnHide)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

MenuItem::MenuItem(QObject* parent, Component* owner, const QString& name)
    : QAction(parent)
    , Component(this, owner, name)
{
}

SkinPopupMenu::SkinPopupMenu(QWidget* parent, Component* owner, const QString& name)
    : QMenu(parent)
    , Component(this, owner, name)
{
    auto* style = new MenuStyle;
    style->setParent(this);
    setStyle(style);
    // Drawn by the menu itself: no translucent shadows or rounded system frames.
    setAttribute(Qt::WA_TranslucentBackground, false);
}

void SkinPopupMenu::attachTo(QWidget* widget)
{
    if (attached_) {
        disconnect(attached_, &QWidget::customContextMenuRequested, this, nullptr);
        for (QAction* action : actions())
            attached_->removeAction(action);
    }
    attached_ = widget;
    if (!widget)
        return;
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(widget, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& position) { popup(attached_->mapToGlobal(position)); });
    for (QAction* action : actions()) {
        action->setShortcutContext(Qt::WindowShortcut);
        widget->addAction(action);
    }
}

void SkinPopupMenu::actionEvent(QActionEvent* event)
{
    QMenu::actionEvent(event);
    if (!attached_)
        return;
    if (event->type() == QEvent::ActionAdded) {
        event->action()->setShortcutContext(Qt::WindowShortcut);
        attached_->addAction(event->action());
    } else if (event->type() == QEvent::ActionRemoved) {
        attached_->removeAction(event->action());
    }
}

} // namespace widgets
