// SPDX-License-Identifier: GPL-3.0-or-later
// The scaling panel the program uses: which property handlers each kind of Qt control gets, the
// extra rules for combo boxes and multi-page controls, and the property handlers other than the
// font's (tab sizes, scroll ranges, item widths, header sections, grid sizes, margins).
#pragma once

#include "customrp.h"

#include <QFont>
#include <QPointer>

#include <cstdint>
#include <vector>

namespace scaling {

class HeaderSections;
class ItemWidths;

// The cell height of a font: ascent plus descent, in pixels.
int fontCellHeight(const QFont& font);
// Gives the font the largest pixel size whose cell height is at most cellHeight (at least 1 px):
// the combo-box rule's positive font height, for a combo box that publishes none of its own.
void setFontCellHeight(QFont& font, int cellHeight);

// Pairs of (last applied value, ratio).
class TMRLValues {
public:
    void append(int value, float ratio);
    void clear();
    int value(int index) const; // 0 when missing
    void setValue(int index, int value); // ignored when missing
    float ratio(int index) const; // 0.0 when missing
    int count() const;

private:
    struct Entry {
        int value;
        float ratio;
    };
    std::vector<Entry> entries_;
};

// A header section as last applied, and its proportions.
struct TMRLSection {
    int LastWidth = 0;
    int LastMinWidth = 0;
    int LastMaxWidth = 0;
    float WidthRatio = 0.0f;
    float MinWidthRatio = 0.0f;
    float MaxWidthRatio = 0.0f;
};
using TMRLSections = std::vector<TMRLSection>;

// The control handler of TNoBDEResizerPanel: the combo-box rule and the page rules of tab
// widgets (page controls), tabbed notebooks and stacked widgets (notebooks).
class TMRControlHandlerVCL : public TMRControlHandler {
public:
    using TMRControlHandler::TMRControlHandler;
    void CaptureBounds(int refWidth, int refHeight) override;
    void ApplyBounds(QRect& bounds) override;
    void ApplyProperties() override;

private:
    void applyComboBoxRule(int comboHeight);
};

// The scaling panel the program uses: control handlers of kind TMRControlHandlerVCL, and the
// property handlers that CreatePropertyHandlers chooses by the Qt kind of each control (tested
// with QObject::inherits, top to bottom; every matching kind adds its handler).
class TNoBDEResizerPanel : public TCustomResizerPanel {
    Q_OBJECT
public:
    TNoBDEResizerPanel(QWidget* parent, widgets::Component* owner, const QString& name);
    void CreatePropertyHandlers(QWidget* control, PropertyHandlerList& list) override;
};

// Tab width and tab height of a page control; 0 (automatic) stays 0, otherwise at least 1.
class TMRTab : public TMRPropertyHandler {
public:
    explicit TMRTab(QWidget* control);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRTab"; }

    IntProperty TabWidth;
    IntProperty TabHeight;
    std::int16_t LastTabWidth = 0;
    std::int16_t LastTabHeight = 0;
    float WidthRatio = 0.0f;
    float HeightRatio = 0.0f;
};

// The scroll ranges of a scroll box; every capture scrolls it back to its origin.
class TMRScrollBox : public TMRPropertyHandler {
public:
    explicit TMRScrollBox(QWidget* control);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRScrollBox"; }

    QPointer<QObject> HorzScrollBar;
    QPointer<QObject> VertScrollBar;
    int LastHorzRange = 0;
    int LastVertRange = 0;
    float HorzRatio = 0.0f;
    float VertRatio = 0.0f;

private:
    IntProperty horzRange_, vertRange_, horzPosition_, vertPosition_;
};

// Widths of a collection of items (status panels, list view columns) against the client width.
class TMRItemWidths : public TMRPropertyHandler {
public:
    TMRItemWidths(QWidget* control, const QString& propName);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRItemWidths"; }

    QPointer<ItemWidths> Items;
    TMRLValues Widths;
};

class TMRStatusBar : public TMRItemWidths {
public:
    explicit TMRStatusBar(QWidget* control)
        : TMRItemWidths(control, QStringLiteral("Panels"))
    {
    }
    const char* kind() const override { return "TMRStatusBar"; }
};

class TMRListView : public TMRItemWidths {
public:
    explicit TMRListView(QWidget* control)
        : TMRItemWidths(control, QStringLiteral("Columns"))
    {
    }
    const char* kind() const override { return "TMRListView"; }
};

// Width, minimum width and maximum width of every header section.
class TMRHeaderControl : public TMRPropertyHandler {
public:
    explicit TMRHeaderControl(QWidget* control);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRHeaderControl"; }

    QPointer<HeaderSections> Sections;
    TMRLSections StoredSections;
};

// One integer property against the client width or height, without minimum.
class TMRIntProperty : public TMRPropertyHandler {
public:
    TMRIntProperty(QWidget* control, const QString& propName, Qt::Orientation against);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRIntProperty"; }

    IntProperty Property;
    int LastValue = 0;
    float Ratio = 0.0f;

private:
    Qt::Orientation against_;
};

// The level indentation of a tree view, against the client width.
class TMRTreeView : public TMRIntProperty {
public:
    explicit TMRTreeView(QWidget* control)
        : TMRIntProperty(control, QStringLiteral("Indent"), Qt::Horizontal)
    {
    }
    const char* kind() const override { return "TMRTreeView"; }
};

// The row height of a list or combo box, against the client height.
class TMRItemHeight : public TMRIntProperty {
public:
    explicit TMRItemHeight(QWidget* control)
        : TMRIntProperty(control, QStringLiteral("ItemHeight"), Qt::Vertical)
    {
    }
    const char* kind() const override { return "TMRItemHeight"; }
};

// Default column width, default row height, grid line width (at least 1) and every column
// width and row height of a grid.
class TMRDrawGrid : public TMRPropertyHandler {
public:
    explicit TMRDrawGrid(QWidget* control);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRDrawGrid"; }

    IntProperty DefaultColWidth;
    IntProperty DefaultRowHeight;
    IntProperty GridLineWidth;
    int LastColWidth = 0;
    int LastRowHeight = 0;
    int LastLineWidth = 0;
    float ColWidthRatio = 0.0f;
    float RowHeightRatio = 0.0f;
    float LineWidthRatio = 0.0f;
    TMRLValues ColWidths;
    TMRLValues RowHeights;
};

// Tab height, start margin and end margin of a tab set.
class TMRTabSet : public TMRPropertyHandler {
public:
    explicit TMRTabSet(QWidget* control);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRTabSet"; }

    IntProperty TabHeight;
    IntProperty StartMargin;
    IntProperty EndMargin;
    int LastTabHeight = 0;
    int LastStartMargin = 0;
    int LastEndMargin = 0;
    float TabHeightRatio = 0.0f;
    float StartMarginRatio = 0.0f;
    float EndMarginRatio = 0.0f;
};

// Margin and spacing of a glyph or speed button; inactive while the margin is -1 (automatic).
class TMRMarginSpacing : public TMRPropertyHandler {
public:
    // The Margin that places the caption automatically (centred): nothing to scale.
    static constexpr int AutomaticMargin = -1;

    explicit TMRMarginSpacing(QWidget* control);
    void Capture() override;
    void Apply() override;
    const char* kind() const override { return "TMRMarginSpacing"; }

    IntProperty Margin;
    IntProperty Spacing;
    int LastMargin = 0;
    int LastSpacing = 0;
    float MarginRatio = 0.0f;
    float SpacingRatio = 0.0f;
};

// An image scales only well when stretched: advice only.
class TMRStretch : public TMRPropertyHandler {
public:
    using TMRPropertyHandler::TMRPropertyHandler;
    QString Diagnose() const override;
    const char* kind() const override { return "TMRStretch"; }
};

// A label that sizes itself fights the scaling: the advice is to switch AutoSize off. While it
// is on, Apply has the label fit its caption again (adjustSize) after its bounds and font were
// scaled, so that a rescale never leaves it cut. Captures nothing.
class TMRAutoSize : public TMRPropertyHandler {
public:
    using TMRPropertyHandler::TMRPropertyHandler;
    void Apply() override;
    QString Diagnose() const override;
    const char* kind() const override { return "TMRAutoSize"; }
};

} // namespace scaling
