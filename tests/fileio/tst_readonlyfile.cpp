// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX file reader: the error numbers it reports, reading to the end, and the descriptor
// closed when the reader goes, also when its owner leaves by an exception.
#include "readonlyfile.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <string>

using fileio::ReadOnlyFile;

class ReadOnlyFileTest : public QObject {
    Q_OBJECT

private slots:
    void failuresGiveTheirErrorNumber_data();
    void failuresGiveTheirErrorNumber();
    void readsToTheEnd();
    void closesWhenItGoes();

private:
    QTemporaryDir dir_;
    QByteArray path(const char* name) const { return QFile::encodeName(dir_.filePath(name)); }
};

void ReadOnlyFileTest::failuresGiveTheirErrorNumber_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << QByteArray("missing.txt") << false << ENOENT;
    QTest::newRow("below a file") << QByteArray("file.txt/x") << false << ENOTDIR;
    // A folder opens read-only; reading it is what fails.
    QTest::newRow("folder") << QByteArray(".") << true << EISDIR;
}

void ReadOnlyFileTest::failuresGiveTheirErrorNumber()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, opens);
    QFETCH(int, error);
    QFile file(dir_.filePath("file.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    ReadOnlyFile reader(path(name.constData()).constData());
    QCOMPARE(reader.isOpen(), opens);
    if (opens) {
        char buffer[8];
        QCOMPARE(reader.read(buffer, sizeof buffer), -1L);
    }
    QCOMPARE(reader.error(), error);
}

void ReadOnlyFileTest::readsToTheEnd()
{
    QFile file(dir_.filePath("five.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("abcde");
    file.close();
    ReadOnlyFile reader(path("five.txt").constData());
    QVERIFY(reader.isOpen());
    char buffer[2];
    QByteArray bytes;
    for (long n; (n = reader.read(buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    QCOMPARE(bytes, QByteArray("abcde"));
    QCOMPARE(reader.read(buffer, sizeof buffer), 0L);
    QCOMPARE(reader.error(), 0);
}

void ReadOnlyFileTest::closesWhenItGoes()
{
    int fd = -1;
    try {
        ReadOnlyFile reader(path(".").constData());
        fd = reader.descriptor();
        QVERIFY(fcntl(fd, F_GETFD) != -1);
        throw std::runtime_error("I/O error 21");
    } catch (const std::runtime_error&) {
    }
    QVERIFY(fd >= 0);
    QCOMPARE(fcntl(fd, F_GETFD), -1);
    QCOMPARE(errno, EBADF);
}

QTEST_GUILESS_MAIN(ReadOnlyFileTest)
#include "tst_readonlyfile.moc"
