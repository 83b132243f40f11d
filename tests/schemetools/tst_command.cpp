// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the tessaria-schemi command as a teacher runs it: exit statuses, one-line errors,
// nothing written on bad input or over an existing file, --help on every command.
#include "drawing.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <cstdio>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments, const QString& folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder.isEmpty() ? QStringLiteral(TESSARIA_SOURCE_DIR) : folder);
    process.start(QStringLiteral(TESSARIA_SCHEMI), arguments);
    if (!process.waitForFinished(120000))
        qFatal("tessaria-schemi did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

class CommandTest : public QObject {
    Q_OBJECT

private slots:
    void help_data();
    void help();
    void checkExitStatus();
    void checkJsonLines();
    void importWritesOnlyWhatItMay();
    void badInputIsOneLine_data();
    void badInputIsOneLine();
    void exportWorksheet();
    void exportWritesOnlyWhatItMay();

private:
    QTemporaryDir dir_;
};

void CommandTest::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("usage");
    QTest::newRow("program") << QStringList {"--help"} << "Usage: tessaria-schemi COMMAND";
    for (const char* command : {"check", "import", "export"}) {
        QTest::newRow(command) << QStringList {command, "--help"}
                               << QStringLiteral("Usage: tessaria-schemi %1 ").arg(command);
        QTest::newRow(qPrintable(QStringLiteral("help %1").arg(command)))
            << QStringList {"help", command} << QStringLiteral("Usage: tessaria-schemi %1 ").arg(command);
    }
    QTest::newRow("version") << QStringList {"--version"} << "tessaria-schemi 1.0\n";
}

void CommandTest::help()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, usage);
    const Run r = run(arguments);
    QCOMPARE(r.status, 0);
    QVERIFY2(r.out.startsWith(usage), qPrintable(r.out));
}

void CommandTest::checkExitStatus()
{
    const Run shipped = run({"check", "schemi"});
    QCOMPARE(shipped.status, 0);
    int schemes = 0;
    for (QDirIterator it(QStringLiteral(TESSARIA_SOURCE_DIR "/schemi"), {"*.dis"}, QDir::Files,
             QDirIterator::Subdirectories);
         it.hasNext(); it.next())
        ++schemes;
    QCOMPARE(shipped.out.count(": unique and solvable line by line\n"), schemes);

    const std::string twice = enginetest::writeFile(dir_, "two.dis", "-#\n#-\n");
    const Run problems = run({"check", "schemi/casa.dis", QString::fromStdString(twice)});
    QCOMPARE(problems.status, 1);
    QVERIFY(
        problems.out.endsWith("two.dis: not unique: another picture fits the same clues:\n    #-\n    -#\n"));

    const Run missing = run({"check", "schemi/casa.dis", "no-such.dis"});
    QCOMPARE(missing.status, 2);
    QCOMPARE(missing.err, QStringLiteral("tessaria-schemi: no-such.dis: no such file or folder\n"));
    QCOMPARE(run({"check", "--budget", "x", "schemi"}).status, 2);

    // A folder that children may not enter is no "all fine", also for root, who can read it.
    enginetest::writeFile(dir_, "shared/teacher/one.dis", "#\n");
    QVERIFY(QFile::setPermissions(dir_.filePath("shared"),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(
        dir_.filePath("shared/teacher"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const Run closed = run({"check", dir_.filePath("shared")});
    QCOMPARE(closed.status, 1);
    QCOMPARE(closed.out,
        dir_.filePath("shared/teacher")
            + ": warning: other users may not read or enter this folder: children may not be able to "
              "open its schemes\n"
            + dir_.filePath("shared/teacher/one.dis") + ": unique and solvable line by line\n");
}

void CommandTest::checkJsonLines()
{
    const Run r = run({"check", "--json", "schemi/casa.dis", "schemi/animali"});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 1);
    for (const QString& line : lines) {
        QJsonParseError error;
        const QJsonObject object = QJsonDocument::fromJson(line.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(object.value("verdict").toString(), QStringLiteral("unique-line"));
        QVERIFY(object.value("file").toString().endsWith(".dis"));
        QVERIFY(object.value("problems").isArray());
    }
}

void CommandTest::importWritesOnlyWhatItMay()
{
    const std::string grid = enginetest::writeFile(dir_, "cup.txt", "#..#\n####\n");
    const QString target = dir_.filePath("cup.dis");
    const Run first = run({"import", QString::fromStdString(grid), "-o", target});
    QCOMPARE(first.status, 0);
    QCOMPARE(first.out, target + ": unique and solvable line by line\n");
    QCOMPARE(contentOf(target), QByteArray("#--#\n####\n"));

    enginetest::writeFile(dir_, "cup.txt", "####\n");
    const Run again = run({"import", QString::fromStdString(grid), "-o", target});
    QCOMPARE(again.status, 2);
    QCOMPARE(again.err,
        "tessaria-schemi: " + target + ": already exists; nothing was written (--force overwrites it)\n");
    QCOMPARE(contentOf(target), QByteArray("#--#\n####\n"));
    QCOMPARE(run({"import", QString::fromStdString(grid), "-o", target, "--force"}).status, 0);
    QCOMPARE(contentOf(target), QByteArray("####\n"));

    QCOMPARE(run({"import", QString::fromStdString(grid), "-o", dir_.filePath("cup.DIS")}).status, 2);
    QVERIFY(!QFile::exists(dir_.filePath("cup.DIS")));
    const Run level
        = run({"import", QString::fromStdString(grid), "-o", dir_.filePath("new.dis"), "--threshold", "256"});
    QCOMPARE(level.status, 2);
    QVERIFY(level.err.startsWith("tessaria-schemi: --threshold takes a grey level from 0 to 255\n"));

    // A folder named like a scheme is no file to overwrite: no --force is suggested.
    QVERIFY(QDir(dir_.path()).mkpath("folder.dis"));
    const Run folder = run({"import", QString::fromStdString(grid), "-o", dir_.filePath("folder.dis")});
    QCOMPARE(folder.status, 2);
    QCOMPARE(folder.err,
        "tessaria-schemi: " + dir_.filePath("folder.dis") + ": is a folder; nothing was written\n");

    // A puzzle a child cannot play (six runs in its row) is not written unless --force says so.
    const std::string six = enginetest::writeFile(dir_, "six.non",
        "width 11\nheight 1\nrows\n1,1,1,1,1,1\ncolumns\n" + QByteArray("1\n0\n").repeated(5) + "1\n");
    const QString sixTarget = dir_.filePath("six.dis");
    const Run refused = run({"import", QString::fromStdString(six), "-o", sixTarget});
    QCOMPARE(refused.status, 1);
    QVERIFY(!QFile::exists(sixTarget));
    QVERIFY2(refused.err.endsWith("tessaria-schemi: " + sixTarget
                 + ": not written: the scheme would have the errors above, so a child could not play it "
                   "(--force writes it all the same, for an editor to mend)\n"),
        qPrintable(refused.err));
    QCOMPARE(run({"import", QString::fromStdString(six), "-o", sixTarget, "--force"}).status, 1);
    QVERIFY(QFile::exists(sixTarget));
}

void CommandTest::badInputIsOneLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size"); // a file of this many zero bytes, when content is empty
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");
    QTest::newRow("contradictory .non")
        << "a.non" << qint64(0) << QByteArray("width 1\nheight 1\nrows\n1\ncolumns\n0\n")
        << "the rows hold 1 picture cells and the columns 0: they contradict each other";
    QTest::newRow("1 GB .non")
        << "big.non" << qint64(1) << QByteArray()
        << "is larger than 1024 KiB, far more than a puzzle takes; it is not read any further";
    QTest::newRow("0-byte picture") << "empty.png" << qint64(0) << QByteArray()
                                    << "is empty (0 bytes): there is no picture in it";
    QTest::newRow("unknown kind")
        << "a.doc" << qint64(0) << QByteArray("#")
        << "cannot tell the kind of source from its name: say it with --from non, picture "
           "or text";
}

void CommandTest::badInputIsOneLine()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    const QString source = QString::fromStdString(enginetest::writeFile(dir_, name, content));
    if (size > 0)
        QVERIFY(QFile(source).resize(qint64(1) << 30)); // sparse: no disk taken
    const QString target = dir_.filePath("out.dis");
    const Run r = run({"import", source, "-o", target});
    QCOMPARE(r.status, 2);
    QCOMPARE(r.err.section('\n', 0, 0), "tessaria-schemi: " + source + ": " + error);
    QVERIFY(!QFile::exists(target));
    QFile::remove(source);
}

void CommandTest::exportWorksheet()
{
    const QString pdf = dir_.filePath("class.pdf");
    QCOMPARE(run({"export", "schemi/casa.dis", "schemi/sole.dis", "--to", "pdf"}).status, 2);
    const Run r
        = run({"export", "schemi/casa.dis", "schemi/sole.dis", "--to", "pdf", "-o", pdf, "--solution"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, "wrote " + pdf + "\n");
    QVERIFY(contentOf(pdf).startsWith("%PDF-"));

    const QString broken = QString::fromStdString(enginetest::writeFile(dir_, "broken.dis", "#-#-#-#-#-#\n"));
    const Run refused = run({"export", broken, "--to", "png"});
    QCOMPARE(refused.status, 1);
    QVERIFY(!QFile::exists(dir_.filePath("broken.png")));
    QCOMPARE(run({"export", "schemi/casa.dis", "--to", "png", "-o", dir_.filePath("casa.png")}).status, 0);
    QCOMPARE(QImage(dir_.filePath("casa.png")).isNull(), false);
}

void CommandTest::exportWritesOnlyWhatItMay()
{
    const QTemporaryDir dir;
    const QByteArray house = enginetest::schemeFile({"-#-", "###", "#-#"});
    enginetest::writeFile(dir, "classe1/casa.dis", house);
    enginetest::writeFile(dir, "classe2/casa.dis", house);
    QVERIFY(QDir(dir.path()).mkpath("out"));

    // Two schemes of one name would overwrite each other: the run is refused.
    for (const char* to : {"png", "non"}) {
        const Run twice = run({"export", "classe1", "classe2", "--to", to, "-o", "out"}, dir.path());
        QCOMPARE(twice.status, 2);
        QCOMPARE(twice.err,
            QStringLiteral(
                "tessaria-schemi: out/casa.%1: would be written for both classe1/casa.dis and "
                "classe2/casa.dis; nothing was written (rename one of them, or export them apart)\n")
                .arg(to));
        QVERIFY(QDir(dir.filePath("out")).isEmpty());
    }

    // Without -o nothing goes into a folder of schemes, its own or the current one.
    const Run beside = run({"export", "casa.dis", "--to", "png"}, dir.filePath("classe1"));
    QCOMPARE(beside.status, 2);
    QCOMPARE(beside.err,
        QStringLiteral("tessaria-schemi: the current folder holds schemes, and the game's list would show "
                       "the new file among them: say where to write with -o\n"));
    QVERIFY(!QFile::exists(dir.filePath("classe1/casa.png")));
    const Run elsewhere = run({"export", "../classe1/casa.dis", "--to", "png"}, dir.filePath("out"));
    QCOMPARE(elsewhere.status, 0);
    QCOMPARE(elsewhere.out, QStringLiteral("wrote casa.png\n"));
    QVERIFY(QFile::exists(dir.filePath("out/casa.png")));
    QVERIFY(!QFile::exists(dir.filePath("classe1/casa.png")));

    // A scheme another picture fits is still written, but said to be so.
    enginetest::writeFile(dir, "due/due.dis", enginetest::schemeFile({"#-", "-#"}));
    const Run ambiguous = run({"export", "due/due.dis", "--to", "pdf", "-o", "out/due.pdf"}, dir.path());
    QCOMPARE(ambiguous.status, 1);
    QCOMPARE(ambiguous.err,
        QStringLiteral("tessaria-schemi: due/due.dis: not unique: another picture fits the same clues; "
                       "written all the same (check shows the other picture)\n"));
    QVERIFY(QFile::exists(dir.filePath("out/due.pdf")));

    // A hole cannot be said in .non: the exported puzzle differs from the window's.
    enginetest::writeFile(dir, "buco/buco.dis", enginetest::schemeFile({"###", "#\xB0#", "###"}));
    const Run hole = run({"export", "buco/buco.dis", "--to", "non", "-o", "out/buco.non"}, dir.path());
    QCOMPARE(hole.status, 1);
    QCOMPARE(hole.err,
        QStringLiteral("tessaria-schemi: buco/buco.dis: 1 hidden cell inside the picture cannot be said in "
                       ".non, where it becomes a cell to work out: the puzzle is not the one the window "
                       "shows\n"));
    QVERIFY(QFile::exists(dir.filePath("out/buco.non")));

    // --title and --no-title name the puzzle; a Windows-1252 file name reads as the window shows it.
    QVERIFY(QDir(dir.path()).mkpath("nomi"));
    {
        const std::string path = QFile::encodeName(dir.filePath("nomi/caf")).toStdString() + "\xE9.dis";
        FILE* raw = std::fopen(path.c_str(), "wb");
        QVERIFY(raw);
        std::fputs("##\n", raw);
        std::fclose(raw);
    }
    QCOMPARE(run({"export", "nomi", "--to", "non", "-o", "out/nome.non"}, dir.path()).status, 0);
    QVERIFY(contentOf(dir.filePath("out/nome.non")).startsWith("title \"caf\xC3\xA9\"\n"));
    QCOMPARE(run({"export", "classe1", "--to", "non", "-o", "out/t.non", "--title", "Scheda 3"}, dir.path())
                 .status,
        0);
    QVERIFY(contentOf(dir.filePath("out/t.non")).startsWith("title \"Scheda 3\"\n"));
    QCOMPARE(
        run({"export", "classe1", "--to", "non", "-o", "out/n.non", "--no-title"}, dir.path()).status, 0);
    QVERIFY(contentOf(dir.filePath("out/n.non")).startsWith("width 3\n"));

    // The worksheet's words follow a language file; a language that is not there is refused.
    QCOMPARE(
        run({"export", "classe1", "--to", "pdf", "-o", "out/en.pdf", "--language", "english"}, dir.path())
            .status,
        0);
    const Run unknown
        = run({"export", "classe1", "--to", "pdf", "-o", "out/xx.pdf", "--language", "klingon"}, dir.path());
    QCOMPARE(unknown.status, 2);
    QVERIFY(!QFile::exists(dir.filePath("out/xx.pdf")));
}

QTEST_GUILESS_MAIN(CommandTest)
#include "tst_command.moc"
