// SPDX-License-Identifier: GPL-3.0-or-later
// A CUPS spooler of a test's own: a cupsd with its own configuration, spool and socket in a
// temporary folder, and a cups-pdf queue as its default that writes its PDFs into that folder.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// Constructing it points this process's CUPS client at the private setup, so it must exist
// before Qt first asks for a printer. Until start() succeeds nothing listens on its socket, so
// the process sees no printer at all; the printers of the machine and its cupsd stay out of reach
// either way.
//
// The cups-pdf back end reads its configuration (where PDFs go, its spool and its log) from
// /etc/cups only. The private cupsd therefore runs in a mount namespace of its own in which
// /etc/cups is a folder of the setup; the machine's /etc/cups is never touched. That, and the
// back end itself, need root: as another user start() fails with a reason.
class PrivateCups {
public:
    static inline const QString Queue = QStringLiteral("tessaria-pdf");

    PrivateCups()
        // The socket path must fit a sockaddr_un (108 bytes), whatever TMPDIR says.
        : dir_(QStringLiteral("/tmp/tessaria-cups-XXXXXX"))
    {
        qputenv("CUPS_SERVER", QFile::encodeName(socket()));
        // The client reads client.conf and lpoptions here, not the machine's in /etc/cups.
        qputenv("CUPS_SERVERROOT", QFile::encodeName(path(QStringLiteral("root"))));
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
    }

    ~PrivateCups() { stop(); }

    bool isValid() const { return dir_.isValid(); }
    // Why start() or addDefaultPdfQueue() failed.
    QString reason() const { return reason_; }
    // Where the queue writes its PDFs.
    QString outputFolder() const { return path(QStringLiteral("out")); }

    // Starts cupsd and waits until it answers.
    bool start()
    {
        if (geteuid() != 0)
            return fail(QStringLiteral("cups-pdf runs only as root, and this test runs as another user"));
        for (const QString& file : {Cupsd, Backend, Ppd})
            if (!QFileInfo::exists(file))
                return fail(file
                    + QStringLiteral(" is missing (scripts/deps.sh installs cups and "
                                     "printer-driver-cups-pdf)"));
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        if (unshare.isEmpty())
            return fail(QStringLiteral("unshare is missing"));

        // cupsd runs its filters as the user lp, which must reach the spool inside the folder.
        QFile::setPermissions(dir_.path(),
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                | QFile::ReadOther | QFile::ExeOther);
        for (const char* sub : {"root", "spool/tmp", "cache", "state", "log", "out", "etc-cups"})
            QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
        write(QStringLiteral("root/cupsd.conf"),
            "Listen " + socket().toUtf8()
                + "\nBrowsing Off\nLogLevel debug\nDefaultPolicy open\n"
                  "<Policy open>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n"
                  "<Location />\nOrder deny,allow\n</Location>\n");
        write(QStringLiteral("root/cups-files.conf"),
            "ServerRoot " + path("root") + "\nRequestRoot " + path("spool") + "\nTempDir " + path("spool/tmp")
                + "\nCacheDir " + path("cache") + "\nStateDir " + path("state") + "\nAccessLog "
                + path("log/access_log") + "\nErrorLog " + path("log/error_log") + "\nPageLog "
                + path("log/page_log") + "\nPrintcap " + path("printcap") + "\n");
        write(QStringLiteral("etc-cups/cups-pdf.conf"),
            "Out " + outputFolder().toUtf8() + "\nSpool " + path("pdf-spool") + "\nLog " + path("log")
                + "\nAnonDirName " + outputFolder().toUtf8() + "\nGSTmp " + path("spool/tmp")
                + "\nGrp root\n");

        cupsd_.setProcessChannelMode(QProcess::MergedChannels);
        cupsd_.start(unshare,
            {QStringLiteral("--mount"), QStringLiteral("--propagation"), QStringLiteral("private"),
                QStringLiteral("sh"), QStringLiteral("-c"),
                QStringLiteral("mount --bind \"$1\" /etc/cups && exec \"$2\" -f -c \"$3\" -s \"$4\""),
                QStringLiteral("sh"), path(QStringLiteral("etc-cups")), Cupsd,
                path(QStringLiteral("root/cupsd.conf")), path(QStringLiteral("root/cups-files.conf"))});
        if (!cupsd_.waitForStarted())
            return fail(QStringLiteral("unshare did not start: ") + cupsd_.errorString());
        for (int waited = 0; waited < 20000; waited += 100) {
            if (cupsd_.state() == QProcess::NotRunning)
                return fail(QStringLiteral("cupsd ended at once: ") + QString::fromLocal8Bit(cupsd_.readAll())
                    + errorLog());
            // lpstat -o fails until the scheduler answers.
            if (QFileInfo::exists(socket()) && run(QStringLiteral("lpstat"), {QStringLiteral("-o")}))
                return true;
            QTest::qWait(100);
        }
        return fail(QStringLiteral("cupsd did not answer within 20 s") + errorLog());
    }

    // Adds the cups-pdf queue Queue and makes it the default destination of the private cupsd.
    bool addDefaultPdfQueue()
    {
        if (!run(QStringLiteral("lpadmin"),
                {QStringLiteral("-p"), Queue, QStringLiteral("-E"), QStringLiteral("-v"),
                    QStringLiteral("cups-pdf:/"), QStringLiteral("-P"), Ppd})
            || !run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Queue}))
            return fail(QStringLiteral("lpadmin failed: ") + output_);
        return true;
    }

    // Whether the private cupsd has finished every job (completed or not).
    bool idle()
    {
        return run(QStringLiteral("lpstat"), {QStringLiteral("-o")}) && output_.trimmed().isEmpty();
    }

    // The PDFs the queue has written.
    QStringList pdfs() const
    {
        QStringList found;
        for (const QFileInfo& file :
            QDir(outputFolder()).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
            found << file.filePath();
        return found;
    }

    // What went wrong with the jobs, for a failing test's message.
    QString errorLog() const
    {
        QByteArray log;
        for (const QString& name :
            {QStringLiteral("error_log"), QStringLiteral("cups-pdf-") + Queue + "_log"}) {
            QFile file(path(QStringLiteral("log/") + name));
            if (file.open(QIODevice::ReadOnly))
                log += file.readAll().right(3000);
        }
        return QStringLiteral("\n") + QString::fromLocal8Bit(log);
    }

    void stop()
    {
        if (cupsd_.state() == QProcess::NotRunning)
            return;
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) {
            cupsd_.kill();
            cupsd_.waitForFinished();
        }
    }

private:
    static inline const QString Cupsd = QStringLiteral("/usr/sbin/cupsd");
    static inline const QString Backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
    static inline const QString Ppd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");

    QString path(const QString& sub) const { return dir_.filePath(sub); }
    QByteArray path(const char* sub) const { return QFile::encodeName(path(QString::fromLatin1(sub))); }
    QString socket() const { return path(QStringLiteral("cups.sock")); }

    void write(const QString& sub, const QByteArray& text) const
    {
        QFile file(path(sub));
        if (file.open(QIODevice::WriteOnly))
            file.write(text);
    }

    // Runs a CUPS client program against the private cupsd; its output is kept in output_.
    bool run(const QString& program, QStringList arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, QStringList {QStringLiteral("-h"), socket()} + arguments);
        const bool ended = process.waitForFinished(30000);
        output_ = QString::fromLocal8Bit(process.readAll());
        return ended && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    bool fail(const QString& why)
    {
        reason_ = why;
        return false;
    }

    QTemporaryDir dir_;
    QProcess cupsd_;
    QString reason_;
    QString output_;
};
