// SPDX-License-Identifier: GPL-3.0-or-later
// FileListBox: the entries of one folder, sub-folders first, with small icons.
#pragma once

#include "component.h"
#include "control.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace widgets {

// Lists the folder Directory: its sub-folders first, then its regular files, each group sorted
// by name without regard to letter case, each entry with a small folder or file icon and its
// name. A link counts as what it points to. Nothing else is listed: no devices, FIFOs or
// sockets (which could never be read as a file to its end), no broken links, no hidden names
// (the dot files), never "." and "..". A folder that does not exist (or cannot be read) lists
// nothing. Setting Directory always lists the folder afresh, even when it is the same, and
// leaves no entry selected; listing emits no pickChanged().
//
// A folder is read on a helper thread and waited for up to fileio::FolderAnswerLimit (a folder
// on a network server that stopped answering would block for as long as the server is down).
// When it does not answer in time, setDirectory() and refresh() throw fileio::FolderNotAnswering
// and the list keeps its folder and entries; a double click on a folder entry reports it in the
// error box.
//
// Names are kept as the file system spells them, bytes that need not be UTF-8: a name that is
// valid UTF-8 shows as such, any other as Windows-1252 (as names copied from an older Windows
// system were written). nativeFileName() hands the exact bytes on, and a double click enters
// a folder by them.
//
// pickChanged() follows every change of the selected entry by the user, mouse or keys. A
// double click on a folder entry lists that folder; on a file it does nothing more.
class FileListBox : public Control<QListWidget>, public Component {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Left READ x WRITE setLeft)
    Q_PROPERTY(int Top READ y WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool Visible READ visibleFlag WRITE setVisibleFlag)
    Q_PROPERTY(bool Enabled READ enabledFlag WRITE setEnabledFlag)
    Q_PROPERTY(QString Directory READ directory WRITE setDirectory)
    Q_PROPERTY(QStringList Items READ items)
    Q_PROPERTY(int ItemHeight READ itemHeight WRITE setItemHeight)
    Q_PROPERTY(QColor Color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)

public:
    FileListBox(QWidget* parent, Component* owner, const QString& name);

    QString directory() const { return directory_; }
    // The folder as the file system spells it: QFile::encodeName(directory), or, after a double
    // click, the folder's path followed by the bytes of the entry's name.
    QByteArray nativeDirectory() const { return nativeDirectory_; }
    void setDirectory(const QString& directory);
    // Lists the current folder again.
    void refresh();

    // The names listed, in order.
    QStringList items() const;
    // Whether the entry at row is a folder.
    bool isFolder(int row) const;
    // The selected entry's full path as shown (Directory + "/" + name), or empty when none is
    // selected. For display only: open the entry by nativeFileName().
    QString fileName() const;
    // The selected entry's full path as the file system spells it, or empty when none is
    // selected.
    QByteArray nativeFileName() const;

    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int height);
    QColor backgroundColor() const;
    void setBackgroundColor(const QColor& color);

signals:
    void pickChanged();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void list(const QByteArray& nativeFolder, const QString& folder);
    void emitPick();

    QString directory_;
    QByteArray nativeDirectory_;
    int itemHeight_ = 18;
    bool listing_ = false;
};

} // namespace widgets
