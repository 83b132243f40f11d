// SPDX-License-Identifier: GPL-3.0-or-later
// The scaling library's public control kinds: Qt controls that publish the property names the
// scaling handlers look up.
#include "scalablekinds.h"

#include "nobderp.h"

#include "fonts.h"
#include "rowheightdelegate.h"

#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace scaling {

namespace {

// The sections of a HeaderControl, shown through the header's own section sizes.
class SectionList : public HeaderSections {
public:
    explicit SectionList(QHeaderView* header)
        : HeaderSections(header)
        , header_(header)
    {
    }
    int count() const override { return static_cast<int>(sections_.size()); }
    int width(int i) const override { return valid(i) ? sections_[size_t(i)].width : 0; }
    void setWidth(int i, int width) override
    {
        if (!valid(i))
            return;
        Section& s = sections_[size_t(i)];
        s.width = std::clamp(width, s.minWidth, s.maxWidth);
        header_->resizeSection(i, s.width);
    }
    int minWidth(int i) const override { return valid(i) ? sections_[size_t(i)].minWidth : 0; }
    void setMinWidth(int i, int width) override
    {
        if (!valid(i))
            return;
        Section& s = sections_[size_t(i)];
        s.minWidth = std::max(0, width);
        s.maxWidth = std::max(s.maxWidth, s.minWidth);
        setWidth(i, s.width);
    }
    int maxWidth(int i) const override { return valid(i) ? sections_[size_t(i)].maxWidth : 0; }
    void setMaxWidth(int i, int width) override
    {
        if (!valid(i))
            return;
        Section& s = sections_[size_t(i)];
        s.maxWidth = std::max(width, s.minWidth);
        setWidth(i, s.width);
    }
    void append(int width, int minWidth, int maxWidth)
    {
        sections_.push_back({0, minWidth, std::max(minWidth, maxWidth)});
        setWidth(count() - 1, width);
    }

private:
    struct Section {
        int width;
        int minWidth;
        int maxWidth;
    };
    bool valid(int i) const { return i >= 0 && i < count(); }

    QHeaderView* header_;
    std::vector<Section> sections_;
};

} // namespace

// ---------------------------------------------------------------------------------------------

WidthList::WidthList(QObject* parent, std::function<void(int)> changed)
    : ItemWidths(parent)
    , changed_(std::move(changed))
{
}

int WidthList::width(int index) const
{
    return index >= 0 && index < count() ? widths_[size_t(index)] : 0;
}

void WidthList::setWidth(int index, int width)
{
    if (index < 0 || index >= count())
        return;
    widths_[size_t(index)] = std::max(0, width);
    if (changed_)
        changed_(index);
}

void WidthList::append(int width)
{
    widths_.push_back(0);
    setWidth(count() - 1, width);
}

ScrollBoxBar::ScrollBoxBar(QScrollArea* area, Qt::Orientation orientation)
    : QObject(area)
    , area_(area)
    , orientation_(orientation)
{
}

int ScrollBoxBar::range() const
{
    const QWidget* content = area_->widget();
    return content ? (orientation_ == Qt::Horizontal ? content->width() : content->height()) : 0;
}

void ScrollBoxBar::setRange(int range)
{
    if (QWidget* content = area_->widget()) {
        if (orientation_ == Qt::Horizontal)
            content->resize(range, content->height());
        else
            content->resize(content->width(), range);
    }
}

int ScrollBoxBar::position() const
{
    return (orientation_ == Qt::Horizontal ? area_->horizontalScrollBar() : area_->verticalScrollBar())
        ->value();
}

void ScrollBoxBar::setPosition(int position)
{
    (orientation_ == Qt::Horizontal ? area_->horizontalScrollBar() : area_->verticalScrollBar())
        ->setValue(position);
}

// ---------------------------------------------------------------------------------------------

ListBox::ListBox(QWidget* parent, widgets::Component* owner, const QString& name)
    : QListWidget(parent)
    , widgets::Component(this, owner, name)
{
    setUniformItemSizes(true);
    setItemDelegate(new widgets::RowHeightDelegate(this, [this] { return itemHeight_; }));
}

void ListBox::setItemHeight(int height)
{
    itemHeight_ = std::max(0, height);
    doItemsLayout();
}

FontHeightComboBox::FontHeightComboBox(QWidget* parent, widgets::Component* owner, const QString& name)
    : QComboBox(parent)
    , widgets::Component(this, owner, name)
{
    setItemDelegate(new widgets::RowHeightDelegate(this, [this] { return itemHeight_; }));
}

void FontHeightComboBox::setItemHeight(int height)
{
    itemHeight_ = std::max(0, height);
}

int FontHeightComboBox::fontHeight() const
{
    if (cellHeight_ && font() == cellHeight_->font)
        return cellHeight_->height;
    return -widgets::fontCharacterHeight(font());
}

void FontHeightComboBox::setFontHeight(int height)
{
    QFont f = font();
    if (height < 0) {
        f.setPixelSize(-height);
        cellHeight_.reset();
    } else {
        setFontCellHeight(f, height);
        // A height of 0 is no cell height to keep: the font's character height stands for it.
        if (height > 0)
            cellHeight_ = CellHeight {height, f};
        else
            cellHeight_.reset();
    }
    setFont(f);
}

ScrollBox::ScrollBox(QWidget* parent, widgets::Component* owner, const QString& name)
    : QScrollArea(parent)
    , widgets::Component(this, owner, name)
    , horz_(new ScrollBoxBar(this, Qt::Horizontal))
    , vert_(new ScrollBoxBar(this, Qt::Vertical))
{
    setWidgetResizable(false);
    setWidget(new QWidget);
}

DrawGrid::DrawGrid(QWidget* parent, widgets::Component* owner, const QString& name, int columns, int rows)
    : QTableWidget(rows, columns, parent)
    , widgets::Component(this, owner, name)
{
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->hide();
    verticalHeader()->hide();
}

int DrawGrid::defaultColWidth() const
{
    return horizontalHeader()->defaultSectionSize();
}

void DrawGrid::setDefaultColWidth(int width)
{
    horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, width);
}

int DrawGrid::defaultRowHeight() const
{
    return verticalHeader()->defaultSectionSize();
}

void DrawGrid::setDefaultRowHeight(int height)
{
    verticalHeader()->setDefaultSectionSize(height);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, height);
}

void DrawGrid::setGridLineWidth(int width)
{
    gridLineWidth_ = std::max(0, width);
    setShowGrid(gridLineWidth_ > 0);
}

TabSet::TabSet(QWidget* parent, widgets::Component* owner, const QString& name)
    : QTabBar(parent)
    , widgets::Component(this, owner, name)
{
}

void TabSet::setTabHeight(int height)
{
    tabHeight_ = std::max(0, height);
    updateGeometry();
    update();
}

void TabSet::setStartMargin(int margin)
{
    startMargin_ = margin;
    setContentsMargins(startMargin_, 0, endMargin_, 0);
}

void TabSet::setEndMargin(int margin)
{
    endMargin_ = margin;
    setContentsMargins(startMargin_, 0, endMargin_, 0);
}

QSize TabSet::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    if (tabHeight_ > 0)
        size.setHeight(tabHeight_);
    return size;
}

SpeedButton::SpeedButton(QWidget* parent, widgets::Component* owner, const QString& name)
    : QToolButton(parent)
    , widgets::Component(this, owner, name)
{
}

void SpeedButton::setMargin(int margin)
{
    margin_ = margin;
    update();
}

void SpeedButton::setSpacing(int spacing)
{
    spacing_ = spacing;
    update();
}

namespace {

// The tab row of a PageControl: fixed tab sizes where they are set.
class PageTabBar : public QTabBar {
public:
    explicit PageTabBar(const PageControl* pages)
        : pages_(pages)
    {
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        if (pages_->tabWidth() > 0)
            size.setWidth(pages_->tabWidth());
        if (pages_->tabHeight() > 0)
            size.setHeight(pages_->tabHeight());
        return size;
    }

private:
    const PageControl* pages_;
};

} // namespace

PageControl::PageControl(QWidget* parent, widgets::Component* owner, const QString& name)
    : QTabWidget(parent)
    , widgets::Component(this, owner, name)
{
    setTabBar(new PageTabBar(this));
}

void PageControl::setTabWidth(int width)
{
    tabWidth_ = width;
    tabBar()->updateGeometry();
}

void PageControl::setTabHeight(int height)
{
    tabHeight_ = height;
    tabBar()->updateGeometry();
}

TabbedNotebook::TabbedNotebook(QWidget* parent, widgets::Component* owner, const QString& name)
    : PageControl(parent, owner, name)
{
}

Image::Image(QWidget* parent, widgets::Component* owner, const QString& name)
    : QLabel(parent)
    , widgets::Component(this, owner, name)
{
}

StatusBar::StatusBar(QWidget* parent, widgets::Component* owner, const QString& name)
    : QStatusBar(parent)
    , widgets::Component(this, owner, name)
{
    setSizeGripEnabled(false);
    panels_ = new WidthList(this, [this](int index) {
        if (index < static_cast<int>(labels_.size()))
            labels_[size_t(index)]->setFixedWidth(panels_->width(index));
    });
}

QLabel* StatusBar::addPanel(int width, const QString& text)
{
    auto* label = new QLabel(text, this);
    labels_.push_back(label);
    addWidget(label);
    panels_->append(width);
    return label;
}

HeaderControl::HeaderControl(QWidget* parent, widgets::Component* owner, const QString& name)
    : QHeaderView(Qt::Horizontal, parent)
    , widgets::Component(this, owner, name)
    , model_(new QStandardItemModel(this))
    , sections_(new SectionList(this))
{
    setMinimumSectionSize(0);
    setModel(model_);
}

void HeaderControl::addSection(const QString& text, int width, int minWidth, int maxWidth)
{
    const int column = model_->columnCount();
    model_->insertColumn(column);
    model_->setHeaderData(column, Qt::Horizontal, text);
    static_cast<SectionList*>(sections_)->append(width, minWidth, maxWidth);
}

ListView::ListView(QWidget* parent, widgets::Component* owner, const QString& name)
    : QListView(parent)
    , widgets::Component(this, owner, name)
{
    // In report style the first column is the width of every item cell.
    columns_ = new WidthList(this, [this](int index) {
        if (index == 0)
            setGridSize(QSize(columns_->width(0), gridSize().height() > 0 ? gridSize().height() : 20));
    });
}

TreeView::TreeView(QWidget* parent, widgets::Component* owner, const QString& name)
    : QTreeView(parent)
    , widgets::Component(this, owner, name)
{
}

} // namespace scaling
