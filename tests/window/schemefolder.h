// A throw-away exe folder with a "schemi" folder of scheme files, for the main window tests.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

class SchemeFolder {
public:
    // withSchemi false leaves the exe folder without its "schemi" folder.
    explicit SchemeFolder(bool withSchemi = true)
    {
        if (withSchemi)
            QDir(dir_.path()).mkpath(QStringLiteral("schemi"));
    }

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

private:
    QTemporaryDir dir_;
};
