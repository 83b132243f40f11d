// FileListBox: listing a folder, the pick event and descending into sub-folders.
#include "filelistbox.h"

#include <QDir>
#include <QFileIconProvider>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include <algorithm>

namespace widgets {

namespace {

constexpr int FolderRole = Qt::UserRole + 1;

// Rows of the list's ItemHeight, whatever the font.
class ItemHeightDelegate : public QStyledItemDelegate {
public:
    ItemHeightDelegate(FileListBox* list)
        : QStyledItemDelegate(list)
        , list_(list)
    {
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(list_->itemHeight());
        return size;
    }

private:
    FileListBox* list_;
};

// The two small icons, made once: asking the provider per file would consult the MIME
// database for every entry.
const QIcon& folderIcon()
{
    static const QIcon icon = QFileIconProvider().icon(QAbstractFileIconProvider::Folder);
    return icon;
}

const QIcon& fileIcon()
{
    static const QIcon icon = QFileIconProvider().icon(QAbstractFileIconProvider::File);
    return icon;
}

// Name order without regard to letter case; names equal but for case keep a stable order.
void sortNames(QStringList& names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

} // namespace

FileListBox::FileListBox(QWidget* parent, Component* owner, const QString& name)
    : Control<QListWidget>(parent)
    , Component(this, owner, name)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setItemDelegate(new ItemHeightDelegate(this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // On a mouse press Qt moves the current row before it selects the entry, so only the
    // selection signal sees the picked entry in fileName().
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::emitPick);
}

void FileListBox::setDirectory(const QString& directory)
{
    directory_ = directory;
    refresh();
}

void FileListBox::refresh()
{
    listing_ = true;
    clear();
    const QDir dir(directory_);
    if (!directory_.isEmpty() && dir.exists()) {
        // Hidden entries (dot files) are no schemes for a child to pick.
        QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
        QStringList files = dir.entryList(QDir::Files, QDir::NoSort);
        sortNames(folders);
        sortNames(files);
        for (const QString& folder : std::as_const(folders)) {
            auto* item = new QListWidgetItem(folderIcon(), folder, this);
            item->setData(FolderRole, true);
        }
        for (const QString& file : std::as_const(files))
            new QListWidgetItem(fileIcon(), file, this);
    }
    setCurrentRow(-1);
    listing_ = false;
}

QStringList FileListBox::items() const
{
    QStringList names;
    names.reserve(count());
    for (int row = 0; row < count(); ++row)
        names.append(item(row)->text());
    return names;
}

bool FileListBox::isFolder(int row) const
{
    const QListWidgetItem* entry = item(row);
    return entry && entry->data(FolderRole).toBool();
}

QString FileListBox::fileName() const
{
    const QListWidgetItem* entry = currentItem();
    if (!entry || !entry->isSelected())
        return {};
    if (directory_.endsWith(u'/'))
        return directory_ + entry->text();
    return directory_ + u'/' + entry->text();
}

void FileListBox::setItemHeight(int height)
{
    itemHeight_ = std::max(1, height);
    // The view caches row heights: have it measure the rows again.
    doItemsLayout();
}

QColor FileListBox::backgroundColor() const
{
    return palette().color(QPalette::Base);
}

void FileListBox::setBackgroundColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void FileListBox::emitPick()
{
    if (!listing_)
        emit pickChanged();
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    Control<QListWidget>::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const QListWidgetItem* entry = itemAt(event->position().toPoint());
    if (!entry || !entry->data(FolderRole).toBool())
        return;
    const QString folder
        = directory_.endsWith(u'/') ? directory_ + entry->text() : directory_ + u'/' + entry->text();
    setDirectory(folder);
}

} // namespace widgets
