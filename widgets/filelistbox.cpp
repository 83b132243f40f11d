// SPDX-License-Identifier: GPL-3.0-or-later
// FileListBox: listing a folder, the pick event and descending into sub-folders.
#include "filelistbox.h"

#include "boundedcall.h"
#include "decoding.h"
#include "errors.h"
#include "paths.h"
#include "rowheightdelegate.h"

#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>
#include <QScopeGuard>

#include <algorithm>
#include <optional>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace widgets {

namespace {

constexpr int FolderRole = Qt::UserRole + 1;
constexpr int NativeNameRole = Qt::UserRole + 2; // the name's bytes, as the file system has them

// The two small icons, drawn here once. The platform's icon provider would read the icon
// theme's index files and decode several pictures, a sixth of the program's start-up, for two
// pictures of 16 pixels.
QIcon drawnIcon(bool folder)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (folder) {
        painter.setPen(QColor(0x9A, 0x6B, 0x12));
        painter.setBrush(QColor(0xF2, 0xC1, 0x4E));
        painter.drawRect(1, 2, 6, 3); // the tab
        painter.drawRect(1, 4, 13, 10);
    } else {
        painter.setPen(QColor(0x70, 0x70, 0x70));
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}}));
        painter.drawPolyline(QPolygon({{10, 1}, {10, 4}, {13, 4}})); // the folded corner
    }
    return QIcon(pixmap);
}

const QIcon& folderIcon()
{
    static const QIcon icon = drawnIcon(true);
    return icon;
}

const QIcon& fileIcon()
{
    static const QIcon icon = drawnIcon(false);
    return icon;
}

struct Entry {
    QByteArray name; // as the file system spells it
    QString shown;
};

// Name order without regard to letter case; names equal but for case keep a stable order.
void sortEntries(std::vector<Entry>& entries)
{
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int c = a.shown.compare(b.shown, Qt::CaseInsensitive);
        if (c != 0)
            return c < 0;
        return a.shown != b.shown ? a.shown < b.shown : a.name < b.name;
    });
}

// The sub-folders and regular files of a folder, by what each entry is or points to. Read with
// the system's own calls, since Qt's listing drops names that are not valid UTF-8.
void readFolder(const QByteArray& folder, std::vector<Entry>& folders, std::vector<Entry>& files)
{
    DIR* dir = folder.isEmpty() ? nullptr : ::opendir(folder.constData());
    if (!dir)
        return;
    const auto closeDir = qScopeGuard([dir] { ::closedir(dir); });
    while (const dirent* entry = ::readdir(dir)) {
        // ".", ".." and the hidden dot files.
        if (entry->d_name[0] == '.')
            continue;
        // Follows links; a broken link or a loop of links cannot be looked at and is left out.
        struct stat info { };
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0)
            continue;
        const QByteArray name(entry->d_name);
        if (S_ISDIR(info.st_mode))
            folders.push_back({name, fromUtf8OrWindows1252(name)});
        else if (S_ISREG(info.st_mode))
            files.push_back({name, fromUtf8OrWindows1252(name)});
    }
}

struct Listing {
    std::vector<Entry> folders;
    std::vector<Entry> files;
};

} // namespace

FileListBox::FileListBox(QWidget* parent, Component* owner, const QString& name)
    : Control<QListWidget>(parent)
    , Component(this, owner, name)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setItemDelegate(new RowHeightDelegate(this, [this] { return itemHeight_; }));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // On a mouse press Qt moves the current row before it selects the entry, so only the
    // selection signal sees the picked entry in fileName().
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::emitPick);
}

void FileListBox::setDirectory(const QString& directory)
{
    list(QFile::encodeName(directory), directory);
}

void FileListBox::list(const QByteArray& nativeFolder, const QString& folder)
{
    // Read on a helper thread, waited for a short time only: a folder on a server that stopped
    // answering blocks its listing (or the look at one of its entries), and the window must not
    // freeze with it. The list then keeps what it showed.
    std::optional<Listing> listing = fileio::callWithin(fileio::FolderAnswerLimit, [nativeFolder] {
        Listing read;
        readFolder(nativeFolder, read.folders, read.files);
        sortEntries(read.folders);
        sortEntries(read.files);
        return read;
    });
    if (!listing)
        throw fileio::FolderNotAnswering(folder.toStdString());
    nativeDirectory_ = nativeFolder;
    directory_ = folder;

    listing_ = true;
    clear();
    for (const Entry& entry : listing->folders) {
        auto* item = new QListWidgetItem(folderIcon(), entry.shown, this);
        item->setData(FolderRole, true);
        item->setData(NativeNameRole, entry.name);
    }
    for (const Entry& entry : listing->files) {
        auto* item = new QListWidgetItem(fileIcon(), entry.shown, this);
        item->setData(NativeNameRole, entry.name);
    }
    setCurrentRow(-1);
    listing_ = false;
}

void FileListBox::refresh()
{
    list(nativeDirectory_, directory_);
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
    return joinPath(directory_, entry->text());
}

QByteArray FileListBox::nativeFileName() const
{
    const QListWidgetItem* entry = currentItem();
    if (!entry || !entry->isSelected())
        return {};
    return joinPath(nativeDirectory_, entry->data(NativeNameRole).toByteArray());
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
    // The top level of this event: a folder that does not answer is reported in the error box.
    guarded([this, entry] {
        list(joinPath(nativeDirectory_, entry->data(NativeNameRole).toByteArray()),
            joinPath(directory_, entry->text()));
    });
}

} // namespace widgets
