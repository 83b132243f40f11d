// SPDX-License-Identifier: GPL-3.0-or-later
// The scaling panel the program uses, its combo-box and page rules, and its property handlers.
#include "nobderp.h"

#include "fonts.h"
#include "itemwidths.h"
#include "properties.h"
#include "qtkinds.h"
#include "ratios.h"

#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>

#include <bitset>

namespace scaling {

int fontCellHeight(const QFont& font)
{
    return QFontMetrics(font).height();
}

void setFontCellHeight(QFont& font, int cellHeight)
{
    // The largest pixel size whose cell fits (1 when none does). The cell grows with the pixel
    // size, though not in a fixed ratio: the search starts where the font's present ratio points
    // and steps from there, since every size tried loads a font engine of its own.
    const int target = std::max(1, cellHeight);
    int pixels = target;
    const int present = QFontInfo(font).pixelSize();
    const int cell = fontCellHeight(font);
    if (present > 0 && cell > 0)
        pixels = std::clamp(int(qint64(target) * present / cell), 1, target);
    font.setPixelSize(pixels);
    if (fontCellHeight(font) <= target) {
        while (pixels < target) {
            QFont larger = font;
            larger.setPixelSize(pixels + 1);
            if (fontCellHeight(larger) > target)
                break;
            font = larger;
            ++pixels;
        }
        return;
    }
    while (pixels > 1 && fontCellHeight(font) > target)
        font.setPixelSize(--pixels);
}

namespace {

// The object a property holds (a collection or a scroll bar), or a ScalingError when the
// control has no such property or it holds no object of the wanted kind.
template <typename T> T* heldObject(QWidget* control, const QString& name)
{
    const QMetaProperty property = FindProperty(control, name);
    auto* object = qobject_cast<T*>(property.read(control).template value<QObject*>());
    if (!object)
        throw ScalingError(QStringLiteral("No %1 property").arg(name));
    return object;
}

// A combo box's font height the way the combo-box rule counts it: negative, the character
// height; positive, the cell height. A control that publishes "FontHeight" keeps it exactly;
// for any other the font's pixel size is the character height, and a cell height is given as
// the largest pixel size whose cell fits.
int signedFontHeight(QWidget* combo, const QMetaProperty& fontProperty)
{
    const QMetaProperty height = widgets::findPublishedProperty(combo, u"FontHeight");
    if (height.isValid())
        return height.read(combo).toInt();
    return -widgets::fontCharacterHeight(fontProperty.read(combo).value<QFont>());
}

void setSignedFontHeight(QWidget* combo, const QMetaProperty& fontProperty, int value)
{
    const QMetaProperty height = widgets::findPublishedProperty(combo, u"FontHeight");
    if (height.isValid()) {
        widgets::writeProperty(combo, height, value);
        return;
    }
    QFont font = fontProperty.read(combo).value<QFont>();
    if (value < 0)
        font.setPixelSize(-value);
    else
        setFontCellHeight(font, value);
    widgets::writeProperty(combo, fontProperty, font);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Value list

void TMRLValues::append(int value, float ratio)
{
    entries_.push_back({value, ratio});
}

void TMRLValues::clear()
{
    entries_.clear();
}

int TMRLValues::value(int index) const
{
    return index >= 0 && index < count() ? entries_[size_t(index)].value : 0;
}

void TMRLValues::setValue(int index, int value)
{
    if (index >= 0 && index < count())
        entries_[size_t(index)].value = value;
}

float TMRLValues::ratio(int index) const
{
    return index >= 0 && index < count() ? entries_[size_t(index)].ratio : 0.0f;
}

int TMRLValues::count() const
{
    return static_cast<int>(entries_.size());
}

// ---------------------------------------------------------------------------------------------
// Control handler with the combo-box and page rules

void TMRControlHandlerVCL::CaptureBounds(int refWidth, int refHeight)
{
    if (QWidget* control = Control) {
        snapToCurrentPage(control, pageControlOf(control));
        snapToCurrentPage(control, tabbedNotebookOf(control));
        if (QStackedWidget* notebook = asNotebook(control)) {
            // Showing every page once gives each its present bounds.
            const int pageIndex = notebook->currentIndex();
            for (int i = 0; i < notebook->count(); ++i)
                notebook->setCurrentIndex(i);
            notebook->setCurrentIndex(pageIndex);
        }
        if (isTabbedNotebook(control))
            emptyCurrentPage(static_cast<QTabWidget*>(control));
    }
    TMRControlHandler::CaptureBounds(refWidth, refHeight);
}

void TMRControlHandlerVCL::ApplyBounds(QRect& bounds)
{
    // The rule assumes a combo box whose height follows its font whatever bounds it is given; a
    // Qt combo box takes the new height. The height it had before these bounds stands for the
    // height its font gave it, so the shortfall is measured from that.
    const int comboHeight = Control ? Control->height() : 0;
    TMRControlHandler::ApplyBounds(bounds);
    QWidget* control = Control;
    if (!control)
        return;
    if (qobject_cast<QComboBox*>(control))
        applyComboBoxRule(comboHeight);
    if (QTabWidget* pages = pageControlOf(control)) {
        // The active page takes the bounds, and this page the active page's.
        if (QWidget* active = pages->currentWidget())
            active->setGeometry(bounds);
        snapToCurrentPage(control, pages);
    }
    snapToCurrentPage(control, tabbedNotebookOf(control));
}

void TMRControlHandlerVCL::applyComboBoxRule(int comboHeight)
{
    QWidget* combo = Control;
    const QMetaProperty fontProperty = fontPropertyOf(combo);
    if (!fontProperty.isValid() || !combo->parentWidget())
        return;
    int height = signedFontHeight(combo, fontProperty);
    if (height < 0) {
        const int points = widgets::fontPointSize(fontProperty.read(combo).value<QFont>());
        height = points * widgets::PixelsPerInch / 72;
        setSignedFontHeight(combo, fontProperty, height);
    }
    // The font grows or shrinks by exactly what the box lacks or exceeds of its wanted height.
    const int shortfall = comboHeight - height;
    const int wanted = roundedProduct(clientSize(combo->parentWidget()).height(), HeightRatio);
    setSignedFontHeight(combo, fontProperty, wanted - shortfall);
}

void TMRControlHandlerVCL::ApplyProperties()
{
    TMRControlHandler::ApplyProperties();
    QWidget* control = Control;
    if (!control)
        return;
    snapToCurrentPage(control, pageControlOf(control));
    if (isTabbedNotebook(control))
        emptyCurrentPage(static_cast<QTabWidget*>(control));
}

// ---------------------------------------------------------------------------------------------
// Panel, and the property handlers by Qt kind

TNoBDEResizerPanel::TNoBDEResizerPanel(QWidget* parent, widgets::Component* owner, const QString& name)
    : TCustomResizerPanel(parent, owner, name)
{
    setHandlerClass(&handlerClassOf<TMRControlHandlerVCL>);
}

namespace {

// The Qt classes the kind table tests a control against.
enum QtKind {
    ComboBoxKind,
    ListWidgetKind,
    ScrollAreaKind,
    TableViewKind,
    TabBarKind,
    GlyphButtonKind,
    SpeedButtonKind,
    TabbedNotebookKind,
    ImageKind,
    LabelKind,
    TabWidgetKind,
    StatusBarKind,
    HeaderViewKind,
    ListViewKind,
    TreeViewKind,
    KindCount
};
constexpr const char* KindClasses[KindCount] = {"QComboBox", "QListWidget", "QScrollArea", "QTableView",
    "QTabBar", "widgets::GlyphButton", "scaling::SpeedButton", "scaling::TabbedNotebook", "scaling::Image",
    "QLabel", "QTabWidget", "QStatusBar", "QHeaderView", "QListView", "QTreeView"};

// Which of those classes c is or derives from, worked out once per class: asking each of the
// main window's 693 boxes fifteen times walked their class chains ten thousand times at every
// start.
std::bitset<KindCount> kindsOf(const QWidget* c)
{
    return perClass<std::bitset<KindCount>>(c, [](const QWidget* w) {
        std::bitset<KindCount> kinds;
        for (int k = 0; k < KindCount; ++k)
            kinds[std::size_t(k)] = w->inherits(KindClasses[k]);
        return kinds;
    });
}

} // namespace

void TNoBDEResizerPanel::CreatePropertyHandlers(QWidget* c, PropertyHandlerList& list)
{
    // Every matching row adds its handler, top to bottom; a failing one leaves those before it.
    const std::bitset<KindCount> is = kindsOf(c);
    if (fontPropertyOf(c).isValid())
        list.push_back(std::make_unique<TMRFont>(c, QStringLiteral("Font")));
    if (is[ComboBoxKind] || is[ListWidgetKind])
        list.push_back(std::make_unique<TMRItemHeight>(c));
    if (is[ScrollAreaKind])
        list.push_back(std::make_unique<TMRScrollBox>(c));
    if (is[TableViewKind])
        list.push_back(std::make_unique<TMRDrawGrid>(c));
    if (is[TabBarKind])
        list.push_back(std::make_unique<TMRTabSet>(c));
    if (is[GlyphButtonKind] || is[SpeedButtonKind])
        list.push_back(std::make_unique<TMRMarginSpacing>(c));
    if (is[TabbedNotebookKind])
        list.push_back(std::make_unique<TMRFont>(c, QStringLiteral("TabFont")));
    if (is[ImageKind])
        list.push_back(std::make_unique<TMRStretch>(c));
    if (is[LabelKind] && !is[ImageKind])
        list.push_back(std::make_unique<TMRAutoSize>(c));
    if (is[TabWidgetKind])
        list.push_back(std::make_unique<TMRTab>(c));
    if (is[StatusBarKind])
        list.push_back(std::make_unique<TMRStatusBar>(c));
    if (is[HeaderViewKind])
        list.push_back(std::make_unique<TMRHeaderControl>(c));
    // A list widget is a list box (row 2), not a list view with columns.
    if (is[ListViewKind] && !is[ListWidgetKind])
        list.push_back(std::make_unique<TMRListView>(c));
    if (is[TreeViewKind])
        list.push_back(std::make_unique<TMRTreeView>(c));
}

// ---------------------------------------------------------------------------------------------
// Tab sizes

TMRTab::TMRTab(QWidget* control)
    : TMRPropertyHandler(control)
    , TabWidth(control, QStringLiteral("TabWidth"))
    , TabHeight(control, QStringLiteral("TabHeight"))
{
}

void TMRTab::Capture()
{
    if (!Control)
        return;
    const int width = TabWidth.read();
    const int height = TabHeight.read();
    const bool changed = width != LastTabWidth || height != LastTabHeight;
    recapture(changed, clientSize(Control), Against::Both, [&](QSize client) {
        WidthRatio = ratioOf(width, client.width());
        HeightRatio = ratioOf(height, client.height());
    });
}

void TMRTab::Apply()
{
    reapply([this](QSize client) {
        // 0 is the automatic size and stays; a fixed size never becomes automatic.
        if (TabWidth.read() != 0) {
            auto width = static_cast<std::int16_t>(truncatedProduct(client.width(), WidthRatio));
            TabWidth.write(width == 0 ? 1 : width);
        }
        if (TabHeight.read() != 0) {
            auto height = static_cast<std::int16_t>(truncatedProduct(client.height(), HeightRatio));
            TabHeight.write(height == 0 ? 1 : height);
        }
        LastTabWidth = static_cast<std::int16_t>(TabWidth.read());
        LastTabHeight = static_cast<std::int16_t>(TabHeight.read());
    });
}

// ---------------------------------------------------------------------------------------------
// Scroll ranges

TMRScrollBox::TMRScrollBox(QWidget* control)
    : TMRPropertyHandler(control)
    , HorzScrollBar(heldObject<QObject>(control, QStringLiteral("HorzScrollBar")))
    , VertScrollBar(heldObject<QObject>(control, QStringLiteral("VertScrollBar")))
    , horzRange_(HorzScrollBar, QStringLiteral("Range"))
    , vertRange_(VertScrollBar, QStringLiteral("Range"))
    , horzPosition_(HorzScrollBar, QStringLiteral("Position"))
    , vertPosition_(VertScrollBar, QStringLiteral("Position"))
{
}

void TMRScrollBox::Capture()
{
    if (!Control)
        return;
    // Proportions refer to the unscrolled content, so every capture scrolls back to the origin.
    horzPosition_.write(0);
    vertPosition_.write(0);
    const int horz = horzRange_.read();
    const int vert = vertRange_.read();
    const bool changed = horz != LastHorzRange || vert != LastVertRange;
    recapture(changed, clientSize(Control), Against::Both, [&](QSize client) {
        HorzRatio = ratioOf(horz, client.width());
        VertRatio = ratioOf(vert, client.height());
    });
}

void TMRScrollBox::Apply()
{
    reapply([this](QSize client) {
        horzRange_.write(truncatedProduct(client.width(), HorzRatio));
        vertRange_.write(truncatedProduct(client.height(), VertRatio));
        LastHorzRange = horzRange_.read();
        LastVertRange = vertRange_.read();
    });
}

// ---------------------------------------------------------------------------------------------
// Status panels and list view columns

TMRItemWidths::TMRItemWidths(QWidget* control, const QString& propName)
    : TMRPropertyHandler(control)
    , Items(heldObject<ItemWidths>(control, propName))
{
}

void TMRItemWidths::Capture()
{
    if (!Control || !Items)
        return;
    const int count = Items->count();
    bool changed = Invalid || count != Widths.count();
    for (int i = 0; !changed && i < count; ++i)
        changed = Items->width(i) != Widths.value(i);
    recapture(changed, clientSize(Control), Against::Width, [&](QSize client) {
        Widths.clear();
        for (int i = 0; i < count; ++i)
            Widths.append(0, ratioOf(Items->width(i), client.width()));
    });
}

void TMRItemWidths::Apply()
{
    if (!Items)
        return;
    reapply([this](QSize client) {
        for (int i = 0; i < Widths.count() && i < Items->count(); ++i) {
            Items->setWidth(i, truncatedProduct(client.width(), Widths.ratio(i)));
            Widths.setValue(i, Items->width(i));
        }
    });
}

// ---------------------------------------------------------------------------------------------
// Header sections

TMRHeaderControl::TMRHeaderControl(QWidget* control)
    : TMRPropertyHandler(control)
    , Sections(heldObject<HeaderSections>(control, QStringLiteral("Sections")))
{
}

void TMRHeaderControl::Capture()
{
    if (!Control || !Sections)
        return;
    const int count = Sections->count();
    bool everything = Invalid || count != static_cast<int>(StoredSections.size());
    bool widths = false;
    for (int i = 0; !everything && i < count; ++i) {
        const TMRLSection& stored = StoredSections[size_t(i)];
        if (Sections->width(i) != stored.LastWidth)
            widths = true;
        if (Sections->minWidth(i) != stored.LastMinWidth || Sections->maxWidth(i) != stored.LastMaxWidth)
            everything = true;
    }
    recapture(everything || widths, clientSize(Control), Against::Width, [&](QSize client) {
        const int clientWidth = client.width();
        if (everything) {
            StoredSections.clear();
            for (int i = 0; i < count; ++i) {
                TMRLSection section;
                section.MinWidthRatio = ratioOf(Sections->minWidth(i), clientWidth);
                section.MaxWidthRatio = ratioOf(Sections->maxWidth(i), clientWidth);
                StoredSections.push_back(section);
            }
        }
        for (int i = 0; i < count; ++i)
            StoredSections[size_t(i)].WidthRatio = ratioOf(Sections->width(i), clientWidth);
    });
}

void TMRHeaderControl::Apply()
{
    if (!Sections)
        return;
    reapply([this](QSize client) {
        const int clientWidth = client.width();
        for (int i = 0; i < static_cast<int>(StoredSections.size()) && i < Sections->count(); ++i) {
            TMRLSection& stored = StoredSections[size_t(i)];
            Sections->setWidth(i, truncatedProduct(clientWidth, stored.WidthRatio));
            Sections->setMinWidth(i, truncatedProduct(clientWidth, stored.MinWidthRatio));
            Sections->setMaxWidth(i, truncatedProduct(clientWidth, stored.MaxWidthRatio));
            stored.LastWidth = Sections->width(i);
            stored.LastMinWidth = Sections->minWidth(i);
            stored.LastMaxWidth = Sections->maxWidth(i);
        }
    });
}

// ---------------------------------------------------------------------------------------------
// One integer against one side: indent, item height

TMRIntProperty::TMRIntProperty(QWidget* control, const QString& propName, Qt::Orientation against)
    : TMRPropertyHandler(control)
    , Property(control, propName)
    , against_(against)
{
}

void TMRIntProperty::Capture()
{
    if (!Control)
        return;
    const int value = Property.read();
    const bool horizontal = against_ == Qt::Horizontal;
    recapture(value != LastValue, clientSize(Control), horizontal ? Against::Width : Against::Height,
        [&](QSize client) { Ratio = ratioOf(value, horizontal ? client.width() : client.height()); });
}

void TMRIntProperty::Apply()
{
    reapply([this](QSize client) {
        Property.write(
            truncatedProduct(against_ == Qt::Horizontal ? client.width() : client.height(), Ratio));
        LastValue = Property.read();
    });
}

// ---------------------------------------------------------------------------------------------
// Grid

TMRDrawGrid::TMRDrawGrid(QWidget* control)
    : TMRPropertyHandler(control)
    , DefaultColWidth(control, QStringLiteral("DefaultColWidth"))
    , DefaultRowHeight(control, QStringLiteral("DefaultRowHeight"))
    , GridLineWidth(control, QStringLiteral("GridLineWidth"))
{
}

void TMRDrawGrid::Capture()
{
    auto* grid = qobject_cast<QTableView*>(Control);
    if (!grid || !grid->model())
        return;
    const int columns = grid->model()->columnCount();
    const int rows = grid->model()->rowCount();
    // The line width is not compared.
    bool changed = Invalid || DefaultColWidth.read() != LastColWidth
        || DefaultRowHeight.read() != LastRowHeight || columns != ColWidths.count()
        || rows != RowHeights.count();
    for (int c = 0; !changed && c < columns; ++c)
        changed = grid->columnWidth(c) != ColWidths.value(c);
    for (int r = 0; !changed && r < rows; ++r)
        changed = grid->rowHeight(r) != RowHeights.value(r);
    recapture(changed, clientSize(grid), Against::Both, [&](QSize client) {
        ColWidthRatio = ratioOf(DefaultColWidth.read(), client.width());
        RowHeightRatio = ratioOf(DefaultRowHeight.read(), client.height());
        LineWidthRatio = ratioOf(GridLineWidth.read(), client.width());
        ColWidths.clear();
        for (int c = 0; c < columns; ++c)
            ColWidths.append(0, ratioOf(grid->columnWidth(c), client.width()));
        RowHeights.clear();
        for (int r = 0; r < rows; ++r)
            RowHeights.append(0, ratioOf(grid->rowHeight(r), client.height()));
    });
}

void TMRDrawGrid::Apply()
{
    auto* grid = qobject_cast<QTableView*>(Control);
    if (!grid || !grid->model())
        return;
    reapply([this, grid](QSize client) {
        // The defaults first: setting them discards the individual widths and heights.
        DefaultColWidth.write(truncatedProduct(client.width(), ColWidthRatio));
        DefaultRowHeight.write(truncatedProduct(client.height(), RowHeightRatio));
        const int lineWidth = truncatedProduct(client.width(), LineWidthRatio);
        GridLineWidth.write(lineWidth < 1 ? 1 : lineWidth);
        LastColWidth = DefaultColWidth.read();
        LastRowHeight = DefaultRowHeight.read();
        LastLineWidth = GridLineWidth.read();
        const int columns = grid->model()->columnCount();
        const int rows = grid->model()->rowCount();
        for (int c = 0; c < ColWidths.count() && c < columns; ++c)
            grid->setColumnWidth(c, truncatedProduct(client.width(), ColWidths.ratio(c)));
        for (int r = 0; r < RowHeights.count() && r < rows; ++r)
            grid->setRowHeight(r, truncatedProduct(client.height(), RowHeights.ratio(r)));
        for (int c = 0; c < ColWidths.count() && c < columns; ++c)
            ColWidths.setValue(c, grid->columnWidth(c));
        for (int r = 0; r < RowHeights.count() && r < rows; ++r)
            RowHeights.setValue(r, grid->rowHeight(r));
    });
}

// ---------------------------------------------------------------------------------------------
// Tab set

TMRTabSet::TMRTabSet(QWidget* control)
    : TMRPropertyHandler(control)
    , TabHeight(control, QStringLiteral("TabHeight"))
    , StartMargin(control, QStringLiteral("StartMargin"))
    , EndMargin(control, QStringLiteral("EndMargin"))
{
}

void TMRTabSet::Capture()
{
    if (!Control)
        return;
    const int height = TabHeight.read();
    const int start = StartMargin.read();
    const int end = EndMargin.read();
    const bool changed = height != LastTabHeight || start != LastStartMargin || end != LastEndMargin;
    recapture(changed, clientSize(Control), Against::Both, [&](QSize client) {
        TabHeightRatio = ratioOf(height, client.height());
        StartMarginRatio = ratioOf(start, client.width());
        EndMarginRatio = ratioOf(end, client.width());
    });
}

void TMRTabSet::Apply()
{
    reapply([this](QSize client) {
        TabHeight.write(truncatedProduct(client.height(), TabHeightRatio));
        StartMargin.write(truncatedProduct(client.width(), StartMarginRatio));
        EndMargin.write(truncatedProduct(client.width(), EndMarginRatio));
        LastTabHeight = TabHeight.read();
        LastStartMargin = StartMargin.read();
        LastEndMargin = EndMargin.read();
    });
}

// ---------------------------------------------------------------------------------------------
// Margin and spacing

TMRMarginSpacing::TMRMarginSpacing(QWidget* control)
    : TMRPropertyHandler(control)
    , Margin(control, QStringLiteral("Margin"))
    , Spacing(control, QStringLiteral("Spacing"))
{
}

void TMRMarginSpacing::Capture()
{
    if (!Control)
        return;
    const int margin = Margin.read();
    // An automatic margin places the caption itself: nothing to scale while it stays so.
    if (margin == AutomaticMargin) {
        Invalid = true;
        return;
    }
    const int spacing = Spacing.read();
    const bool changed = margin != LastMargin || spacing != LastSpacing;
    recapture(changed, clientSize(Control), Against::Width, [&](QSize client) {
        MarginRatio = ratioOf(margin, client.width());
        SpacingRatio = ratioOf(spacing, client.width());
    });
}

void TMRMarginSpacing::Apply()
{
    reapply([this](QSize client) {
        Margin.write(truncatedProduct(client.width(), MarginRatio));
        LastMargin = Margin.read();
        Spacing.write(truncatedProduct(client.width(), SpacingRatio));
        LastSpacing = Spacing.read();
    });
}

// ---------------------------------------------------------------------------------------------
// Advice, and the auto-sized label's own size

void TMRAutoSize::Apply()
{
    // Runs after the bounds and the font handler: bounds scaled in proportion can be narrower
    // than the caption when the font stayed the same (captured for one caption, shown with a
    // longer one, or rounded down), so a label that sizes itself is asked to do so again. The
    // label alone knows its size; a label without AutoSize keeps the scaled bounds.
    if (!Control)
        return;
    const QMetaProperty autoSize = widgets::findPublishedProperty(Control, QStringLiteral("AutoSize"));
    if (autoSize.isValid() && autoSize.read(Control).toBool())
        Control->adjustSize();
}

QString TMRStretch::Diagnose() const
{
    if (!Control)
        return {};
    return FindProperty(Control, QStringLiteral("Stretch")).read(Control).toBool()
        ? QString()
        : QStringLiteral("Set Stretch to True");
}

QString TMRAutoSize::Diagnose() const
{
    if (!Control)
        return {};
    return FindProperty(Control, QStringLiteral("AutoSize")).read(Control).toBool()
        ? QStringLiteral("Set AutoSize to False")
        : QString();
}

} // namespace scaling
