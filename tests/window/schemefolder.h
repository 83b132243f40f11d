// SPDX-License-Identifier: GPL-3.0-or-later
// A throw-away exe folder with a "schemi" folder of scheme files, for the main window tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

class SchemeFolder {
public:
    // withSchemi false leaves the exe folder without its "schemi" folder.
    explicit SchemeFolder(bool withSchemi = true)
    {
        if (withSchemi)
            QDir(dir_.path()).mkpath(QStringLiteral("schemi"));
    }
    // Qt's removal of the folder leaves out names that are not UTF-8: those go here.
    ~SchemeFolder()
    {
        for (const QByteArray& path : native_)
            ::unlink(path.constData());
    }
    SchemeFolder(const SchemeFolder&) = delete;
    SchemeFolder& operator=(const SchemeFolder&) = delete;

    bool isValid() const { return dir_.isValid(); }
    // The exe folder, ending in "/".
    QString exeFolder() const { return dir_.path() + QLatin1Char('/'); }
    QString schemi() const { return exeFolder() + QStringLiteral("schemi"); }

    // Writes schemi/<relativePath>; the lines of the drawing are joined with LF.
    QString write(const QString& relativePath, const QByteArray& drawing) const
    {
        const QString path = schemi() + QLatin1Char('/') + relativePath;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(drawing);
        return path;
    }
    void mkdir(const QString& relativePath) const { QDir(schemi()).mkpath(relativePath); }

    // Writes schemi/<name>, a name given by its bytes (which need not be UTF-8); false when
    // that fails.
    bool writeNative(const QByteArray& name, const QByteArray& drawing)
    {
        const QByteArray path = QFile::encodeName(schemi()) + '/' + name;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        native_.append(path);
        const bool written = ::write(fd, drawing.constData(), size_t(drawing.size())) == drawing.size();
        ::close(fd);
        return written;
    }

private:
    QTemporaryDir dir_;
    QList<QByteArray> native_;
};
