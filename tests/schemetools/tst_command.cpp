// Tests of the tessaria-schemi command as a teacher runs it: exit statuses, one-line errors,
// nothing written on bad input or over an existing file, --help on every command.
#include "drawing.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

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

private:
    QTemporaryDir dir_;
};

void CommandTest::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("usage");
    QTest::newRow("program") << QStringList {"--help"} << "Usage: tessaria-schemi COMMAND";
    for (const char* command : {"check", "import", "export"})
        QTest::newRow(command) << QStringList {command, "--help"}
                               << QStringLiteral("Usage: tessaria-schemi %1 ").arg(command);
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
            + ": warning: other users may not read or enter this folder: children may not be able to open "
              "its "
              "schemes\n"
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

QTEST_GUILESS_MAIN(CommandTest)
#include "tst_command.moc"
