// SPDX-License-Identifier: GPL-3.0-or-later
// Saving output files all or none: every target checked first, every file written to a
// temporary file beside its target, then all renamed into place; a failure on the way takes
// back what this run did.
#include "savefile.h"

#include "inputerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace schemetools {

namespace {

std::string nativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// Refuses, before anything is written, a target that cannot or may not be written.
void checkTarget(const OutputFile& file, bool force, std::set<QString>& seen)
{
    const QFileInfo info(QString::fromStdString(file.path));
    if (!seen.insert(QDir::cleanPath(info.absoluteFilePath())).second)
        throw InputError(file.path + ": would be written twice by this run; nothing was written");
    if (info.isDir())
        throw InputError(file.path + ": is a folder; nothing was written", Cause::NotAFile);
    if (info.exists() && !force)
        throw InputError(file.path + ": already exists; nothing was written (--force overwrites it)");
    if (info.exists() && !info.isFile())
        throw InputError(file.path + ": is not a regular file; nothing was written", Cause::NotAFile);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        throw InputError(file.path + ": cannot be written: its folder does not exist; nothing was written",
            Cause::NoFolder);
    if (!folder.isWritable())
        throw InputError(file.path + ": cannot be written: its folder is read-only; nothing was written",
            Cause::ReadOnlyFolder);
}

// One file on its way into place, and what undoes it.
struct Pending {
    std::string target;
    std::unique_ptr<QTemporaryFile> temporary;
    std::string backup; // a second link to the file it replaces, to restore it; empty for none
    bool created = false; // the target did not exist before this run
    bool placed = false;
};

// Takes back a run that failed: temporaries removed, replaced files restored, new ones removed.
void undo(std::vector<Pending>& pending)
{
    for (Pending& p : pending) {
        if (p.placed && !p.backup.empty())
            ::rename(p.backup.c_str(), p.target.c_str());
        else if (p.placed && p.created)
            ::unlink(p.target.c_str());
        else if (!p.backup.empty())
            ::unlink(p.backup.c_str());
    }
}

// The mode a file takes when it is saved: the mode of the file it replaces, or what a new file
// gets from the user's umask (a scheme that only its teacher may read is lost to the children).
// A temporary file is made readable by its owner alone, so its mode is always set.
mode_t modeFor(const std::string& target, bool created)
{
    struct stat info { };
    if (!created && ::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void saveFiles(const std::vector<OutputFile>& files, bool force)
{
    std::set<QString> seen;
    for (const OutputFile& file : files)
        checkTarget(file, force, seen);

    std::vector<Pending> pending;
    for (const OutputFile& file : files) {
        const QFileInfo info(QString::fromStdString(file.path));
        Pending p;
        p.target = nativePath(info.absoluteFilePath());
        p.created = !info.exists();
        p.temporary
            = std::make_unique<QTemporaryFile>(info.absolutePath() + QStringLiteral("/.tessaria-XXXXXX"));
        // On the disk before it takes the target's name, as QSaveFile has it.
        if (!p.temporary->open() || ::fchmod(p.temporary->handle(), modeFor(p.target, p.created)) != 0
            || p.temporary->write(file.bytes) != file.bytes.size() || !p.temporary->flush()
            || ::fsync(p.temporary->handle()) != 0) {
            const int error = errno;
            throw InputError(file.path + ": cannot be written: " + p.temporary->errorString().toStdString()
                    + "; nothing was written",
                causeOfError(error));
        }
        pending.push_back(std::move(p));
    }
    for (std::size_t i = 0; i < pending.size(); ++i) {
        Pending& p = pending[i];
        if (!p.created) {
            // A second name for the file being replaced, so that a later failure can restore it.
            const std::string backup = nativePath(p.temporary->fileName()) + ".old";
            if (::link(p.target.c_str(), backup.c_str()) == 0)
                p.backup = backup;
        }
        const std::string temporary = nativePath(p.temporary->fileName());
        if (::rename(temporary.c_str(), p.target.c_str()) != 0) {
            const int error = errno;
            undo(pending);
            throw InputError(
                files[i].path + ": cannot be written: " + std::strerror(error) + "; nothing was written",
                causeOfError(error));
        }
        p.temporary->setAutoRemove(false);
        p.placed = true;
    }
    for (const Pending& p : pending) {
        if (!p.backup.empty())
            ::unlink(p.backup.c_str());
    }
}

} // namespace schemetools
