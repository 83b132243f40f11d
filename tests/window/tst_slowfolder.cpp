// SPDX-License-Identifier: GPL-3.0-or-later
// A scheme folder that stops answering, as a network folder does when its server goes down: the
// window still answers, reports the folder, keeps the game and the list, and ESCI ends it. The
// folder is a FUSE file system (slowfs) that the test mounts itself.
#include "windowtest.h"

#include "filelistbox.h"
#include "label.h"
#include "skinbutton.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int Yellow = 0x00FFFF; // a found picture cell, in the program's blue-high order

QColor bgr(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Cell of row r, column c.
int cell(int r, int c)
{
    return (r - 1) * 21 + c;
}

} // namespace

class TestSlowFolder : public WindowTest {
    Q_OBJECT

    QString mountPoint_;
    // Standard input of slowfs. Each case ends with ESCI while a helper is still blocked; only
    // cleanupTestCase answers what slowfs blocked, so that the helpers end before the process:
    // a thread held in a FUSE request cannot be stopped, and the leak checker of the sanitizer
    // build stops every thread at exit.
    int commands_ = -1;

    void command(const char* line)
    {
        const std::string text = std::string(line) + "\n";
        QCOMPARE(::write(commands_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        // slowfs takes the command before the next request reaches it.
        QTest::qWait(50);
    }

    // The window on a scheme folder with a scheme of its own and the link "rete" to the mount,
    // a picture cell found on it.
    void openWindowWithGame()
    {
        folder = std::make_unique<SchemeFolder>();
        folder->write(QStringLiteral("casa.dis"), "#-#\n-#-\n");
        QVERIFY(QFile::link(mountPoint_, folder->schemi() + QStringLiteral("/rete")));
        createWindow();
        showWindow();
        QCOMPARE(form->CaricaSchemi->items(), (QStringList {"rete", "casa.dis"}));
        pick(QStringLiteral("casa.dis"));
        QTest::mouseClick(box(cell(1, 1)), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(box(cell(1, 1))->backgroundColor(), bgr(Yellow));
        QCOMPARE(form->Label4->text(), QStringLiteral("2"));
    }

    QRect entryRect(const QString& entry)
    {
        const QList<QListWidgetItem*> found = form->CaricaSchemi->findItems(entry, Qt::MatchExactly);
        return found.size() == 1 ? form->CaricaSchemi->visualItemRect(found.first()) : QRect();
    }

    void pick(const QString& entry)
    {
        QTest::mouseClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {}, entryRect(entry).center());
    }

    // After a folder did not answer: the click on another picture cell is handled within 500 ms
    // of the pick, on the game that was in play; ESCI then closes the window at once.
    void windowAnswers(const QElapsedTimer& sincePick)
    {
        QTest::mouseClick(box(cell(2, 2)), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(box(cell(2, 2))->backgroundColor(), bgr(Yellow));
        const qint64 answered = sincePick.elapsed();
        qInfo("the window answered a click %lld ms after the pick", answered);
        QVERIFY2(answered < 500, qPrintable(QString::number(answered)));
        QCOMPARE(box(cell(1, 1))->backgroundColor(), bgr(Yellow));
        QCOMPARE(form->Label4->text(), QStringLiteral("1"));
        QCOMPARE(errors, QStringList {"The folder \"" + folder->schemi() + "/rete\" does not answer"});

        QElapsedTimer closing;
        closing.start();
        QTest::mouseClick(form->Esci, Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(closing.elapsed() < 100);
        // The link goes first: removing the exe folder must not walk into the mount.
        QVERIFY(QFile::remove(folder->schemi() + QStringLiteral("/rete")));
    }

private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/fuse")))
            QSKIP("/dev/fuse is missing: no FUSE file system can be mounted here");
        char mountPoint[] = "/tmp/tessaria-slowfs-XXXXXX";
        QVERIFY(::mkdtemp(mountPoint) != nullptr);
        mountPoint_ = QString::fromLocal8Bit(mountPoint);

        int in[2];
        int out[2];
        QCOMPARE(::pipe2(in, O_CLOEXEC), 0);
        QCOMPARE(::pipe2(out, O_CLOEXEC), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        char program[] = SLOWFS;
        char* argv[] = {program, mountPoint, nullptr};
        pid_t pid = 0;
        const int spawned = ::posix_spawn(&pid, program, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        QCOMPARE(spawned, 0);
        commands_ = in[1];

        QByteArray said;
        pollfd ready {out[0], POLLIN, 0};
        char c = 0;
        while (!said.endsWith('\n') && ::poll(&ready, 1, 10000) == 1 && ::read(out[0], &c, 1) == 1)
            said.append(c);
        ::close(out[0]);
        if (said != "ready\n") {
            ::rmdir(mountPoint);
            QSKIP(qPrintable("slowfs could not mount a FUSE file system: " + QString::fromLocal8Bit(said)));
        }
    }

    void cleanupTestCase()
    {
        if (commands_ < 0)
            return;
        command("go");
        // The helpers left behind get their answers and end; their results are dropped.
        QTest::qWait(200);
    }

    // Entering the folder: its listing blocks.
    void listingBlocks()
    {
        openWindowWithGame();
        command("readdir");
        QElapsedTimer sincePick;
        sincePick.start();
        QTest::mouseDClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {}, entryRect("rete").center());
        QCOMPARE(form->CaricaSchemi->directory(), folder->schemi());
        QCOMPARE(form->CaricaSchemi->items(), (QStringList {"rete", "casa.dis"}));
        windowAnswers(sincePick);
    }

    // Picking a scheme in the folder: the look at the file blocks, as on a hard NFS mount.
    void lookAtTheSchemeBlocks()
    {
        command("go");
        openWindowWithGame();
        QTest::mouseDClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {}, entryRect("rete").center());
        QCOMPARE(form->CaricaSchemi->items(), QStringList {"x.dis"});
        QVERIFY(errors.isEmpty());
        command("stat");
        QElapsedTimer sincePick;
        sincePick.start();
        pick(QStringLiteral("x.dis"));
        windowAnswers(sincePick);
    }
};

QTEST_MAIN(TestSlowFolder)
#include "tst_slowfolder.moc"
