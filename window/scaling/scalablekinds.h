// SPDX-License-Identifier: GPL-3.0-or-later
// The scaling library's public control kinds (target `scalingkinds`, linked apart from the panel):
// Qt controls that publish the properties the scaling handlers look up by name (item heights,
// scroll ranges, grid defaults, tab sizes, margins, status panels, header sections, columns), so
// that a form built with them has every handler at work. The tests and benchmarks use them; the
// program shows none of them and does not link them.
#pragma once

#include "component.h"
#include "itemwidths.h"

#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeView>

#include <functional>
#include <optional>
#include <vector>

class QStandardItemModel;

namespace scaling {

// A plain list of widths that tells its control after every change.
class WidthList : public ItemWidths {
    Q_OBJECT
public:
    WidthList(QObject* parent, std::function<void(int index)> changed);
    int count() const override { return static_cast<int>(widths_.size()); }
    int width(int index) const override;
    void setWidth(int index, int width) override;
    void append(int width);

private:
    std::vector<int> widths_;
    std::function<void(int)> changed_;
};

// One scroll bar of a scroll box: Range is the extent of the scrolled content in pixels,
// Position the scrolled offset.
class ScrollBoxBar : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Range READ range WRITE setRange)
    Q_PROPERTY(int Position READ position WRITE setPosition)
public:
    ScrollBoxBar(QScrollArea* area, Qt::Orientation orientation);
    int range() const;
    void setRange(int range);
    int position() const;
    void setPosition(int position);

private:
    QScrollArea* area_;
    Qt::Orientation orientation_;
};

// A list box with a fixed height for every row.
class ListBox : public QListWidget, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
public:
    ListBox(QWidget* parent, widgets::Component* owner, const QString& name);
    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int height);

private:
    int itemHeight_ = 16;
};

// A drop-down list whose font height can be read and set the way the scaling rules count it:
// negative, the character height (the em size, Qt's pixel size); positive, the cell height
// (ascent plus descent, QFontMetrics::height()). A positive height is kept exactly as set and
// the font becomes the largest pixel size whose cell fits in it, until the font changes again.
class FontHeightComboBox : public QComboBox, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int FontHeight READ fontHeight WRITE setFontHeight)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
public:
    FontHeightComboBox(QWidget* parent, widgets::Component* owner, const QString& name);
    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int height);
    int fontHeight() const;
    void setFontHeight(int height);

private:
    // The positive height last set and the font it gave: it stands while the font is that one.
    struct CellHeight {
        int height;
        QFont font;
    };
    int itemHeight_ = 16;
    std::optional<CellHeight> cellHeight_;
};

// A scrolled area whose content widget (content()) holds the scrolled controls.
class ScrollBox : public QScrollArea, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(scaling::ScrollBoxBar* HorzScrollBar READ horzScrollBar)
    Q_PROPERTY(scaling::ScrollBoxBar* VertScrollBar READ vertScrollBar)
public:
    ScrollBox(QWidget* parent, widgets::Component* owner, const QString& name);
    QWidget* content() const { return widget(); }
    ScrollBoxBar* horzScrollBar() const { return horz_; }
    ScrollBoxBar* vertScrollBar() const { return vert_; }

private:
    ScrollBoxBar* horz_;
    ScrollBoxBar* vert_;
};

// A grid with default column width and row height and a grid line width.
class DrawGrid : public QTableWidget, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int DefaultColWidth READ defaultColWidth WRITE setDefaultColWidth)
    Q_PROPERTY(int DefaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(int GridLineWidth READ gridLineWidth WRITE setGridLineWidth)
public:
    DrawGrid(QWidget* parent, widgets::Component* owner, const QString& name, int columns, int rows);
    int defaultColWidth() const;
    // Every column takes the new default width, also one given a width of its own.
    void setDefaultColWidth(int width);
    int defaultRowHeight() const;
    void setDefaultRowHeight(int height);
    int gridLineWidth() const { return gridLineWidth_; }
    void setGridLineWidth(int width);

private:
    int gridLineWidth_ = 1;
};

// A row of tabs with a fixed tab height and margins before the first and after the last tab.
class TabSet : public QTabBar, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int TabHeight READ tabHeight WRITE setTabHeight)
    Q_PROPERTY(int StartMargin READ startMargin WRITE setStartMargin)
    Q_PROPERTY(int EndMargin READ endMargin WRITE setEndMargin)
public:
    TabSet(QWidget* parent, widgets::Component* owner, const QString& name);
    int tabHeight() const { return tabHeight_; }
    void setTabHeight(int height);
    int startMargin() const { return startMargin_; }
    void setStartMargin(int margin);
    int endMargin() const { return endMargin_; }
    void setEndMargin(int margin);

protected:
    QSize tabSizeHint(int index) const override;

private:
    int tabHeight_ = 20;
    int startMargin_ = 5;
    int endMargin_ = 5;
};

// A tool button whose caption is placed Margin pixels from the left edge (-1: centred), with
// Spacing pixels between its icon and its caption.
class SpeedButton : public QToolButton, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int Margin READ margin WRITE setMargin)
    Q_PROPERTY(int Spacing READ spacing WRITE setSpacing)
public:
    SpeedButton(QWidget* parent, widgets::Component* owner, const QString& name);
    int margin() const { return margin_; }
    void setMargin(int margin);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);

private:
    int margin_ = -1;
    int spacing_ = 4;
};

// Tabbed pages (a page control) with fixed tab sizes; 0 means the tab's own size.
class PageControl : public QTabWidget, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int TabWidth READ tabWidth WRITE setTabWidth)
    Q_PROPERTY(int TabHeight READ tabHeight WRITE setTabHeight)
public:
    PageControl(QWidget* parent, widgets::Component* owner, const QString& name);
    int tabWidth() const { return tabWidth_; }
    void setTabWidth(int width);
    int tabHeight() const { return tabHeight_; }
    void setTabHeight(int height);

private:
    int tabWidth_ = 0;
    int tabHeight_ = 0;
};

// Tabbed pages whose tabs have a font of their own (TabFont).
class TabbedNotebook : public PageControl {
    Q_OBJECT
    Q_PROPERTY(QFont TabFont READ tabFont WRITE setTabFont)
public:
    TabbedNotebook(QWidget* parent, widgets::Component* owner, const QString& name);
    QFont tabFont() const { return tabBar()->font(); }
    void setTabFont(const QFont& font) { tabBar()->setFont(font); }
};

// A picture, stretched to the control's size when Stretch is on.
class Image : public QLabel, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(bool Stretch READ hasScaledContents WRITE setScaledContents)
public:
    Image(QWidget* parent, widgets::Component* owner, const QString& name);
};

// A status bar made of panels of given widths.
class StatusBar : public QStatusBar, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(scaling::ItemWidths* Panels READ panels)
public:
    StatusBar(QWidget* parent, widgets::Component* owner, const QString& name);
    ItemWidths* panels() const { return panels_; }
    // A new panel at the end; returns its label.
    QLabel* addPanel(int width, const QString& text = {});

private:
    WidthList* panels_;
    std::vector<QLabel*> labels_;
};

// A horizontal header whose sections have widths kept between a minimum and a maximum.
class HeaderControl : public QHeaderView, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(scaling::HeaderSections* Sections READ sections)
public:
    HeaderControl(QWidget* parent, widgets::Component* owner, const QString& name);
    HeaderSections* sections() const { return sections_; }
    void addSection(const QString& text, int width, int minWidth = 0, int maxWidth = 10000);

private:
    QStandardItemModel* model_;
    HeaderSections* sections_;
};

// A list view with report columns of given widths.
class ListView : public QListView, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(scaling::ItemWidths* Columns READ columns)
public:
    ListView(QWidget* parent, widgets::Component* owner, const QString& name);
    ItemWidths* columns() const { return columns_; }
    void addColumn(int width) { columns_->append(width); }

private:
    WidthList* columns_;
};

// A tree view whose level indentation is published as Indent.
class TreeView : public QTreeView, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(int Indent READ indentation WRITE setIndentation)
public:
    TreeView(QWidget* parent, widgets::Component* owner, const QString& name);
};

} // namespace scaling
