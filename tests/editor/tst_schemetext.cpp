// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of writing a teacher's cell changes into a scheme file: literal files with marks,
// byte-order mark, CR LF and text beyond the grid, and random files read back by the engine.
#include "schemetext.h"

#include "puzzle.h"

#include <QRandomGenerator>
#include <QTest>

using editor::CellEdits;
using editor::SchemeText;

Q_DECLARE_METATYPE(std::string)

class SchemeTextTest : public QObject {
    Q_OBJECT

private slots:
    void withEdits_data();
    void withEdits();
    void engineReadsTheEditsAndNothingElse();
};

namespace {

// Edits written as "row,column=byte" with rows and columns from 1, separated by blanks.
CellEdits editsFrom(const QString& text)
{
    CellEdits edits {};
    for (const QString& item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int row = item.section(QLatin1Char(','), 0, 0).toInt();
        const int column = item.section(QLatin1Char(','), 1).section(QLatin1Char('='), 0, 0).toInt();
        edits[static_cast<std::size_t>((row - 1) * 21 + column - 1)] = item.back().toLatin1();
    }
    return edits;
}

} // namespace

void SchemeTextTest::withEdits_data()
{
    QTest::addColumn<std::string>("file");
    QTest::addColumn<QString>("edits");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("no edit keeps every byte") << std::string("\xEF\xBB\xBF#-\xB0x\r\n\r\nend of it all\r\n",
        26) << QString() << std::string("\xEF\xBB\xBF#-\xB0x\r\n\r\nend of it all\r\n", 26);
    QTest::newRow("byte-order mark is no cell")
        << std::string("\xEF\xBB\xBF--\n") << QString("1,1=#") << std::string("\xEF\xBB\xBF#-\n");
    QTest::newRow("CR LF kept, cell before it")
        << std::string("--\r\n--\r\n") << QString("2,2=#") << std::string("--\r\n-#\r\n");
    QTest::newRow("degree sign of two bytes is one cell")
        << std::string("\xC2\xB0-a\n") << QString("1,1=# 1,2=#") << std::string("##a\n");
    QTest::newRow("lone CR is no cell")
        << std::string("-\r-x\n") << QString("1,2=#") << std::string("-\r#x\n");
    QTest::newRow("text beyond column 21 kept")
        << std::string("---------------------comment\n") << QString("1,21=#")
        << std::string("--------------------#comment\n");
    QTest::newRow("short line padded with =, before CR LF")
        << std::string("-\r\n") << QString("1,4=#") << std::string("-==#\r\n");
    QTest::newRow("missing lines added with the file's line end")
        << std::string("#\r\n") << QString("3,2=#") << std::string("#\r\n\r\n=#\r\n");
    QTest::newRow("last line without line end gets one first")
        << std::string("#") << QString("2,1=-") << std::string("#\n-\n");
    QTest::newRow("lines after 21 untouched") << std::string(40, '\n')
            + "tail\n" << QString("21,1=#") << std::string(20, '\n') + "#" + std::string(20, '\n') + "tail\n";
    QTest::newRow("empty file") << std::string() << QString("1,1=#") << std::string("#\n");
}

void SchemeTextTest::withEdits()
{
    QFETCH(std::string, file);
    QFETCH(QString, edits);
    QFETCH(std::string, expected);
    QCOMPARE(SchemeText(file).withEdits(editsFrom(edits)), expected);
}

// On random files of the bytes that matter, every edited cell reads back as the byte written
// and every other cell as before (a missing cell may become "=", which the engine treats alike).
void SchemeTextTest::engineReadsTheEditsAndNothingElse()
{
    const std::string alphabet("#-=x \r\n\n\n\xB0\xC2\xEF\xBB\xBF", 14);
    QRandomGenerator random(18);
    for (int round = 0; round < 2000; ++round) {
        std::string file;
        const int length = int(random.bounded(700));
        for (int i = 0; i < length; ++i)
            file += alphabet[random.bounded(static_cast<quint32>(alphabet.size()))];
        CellEdits edits {};
        const int count = int(random.bounded(12));
        for (int i = 0; i < count; ++i)
            edits[random.bounded(441u)] = random.bounded(2) ? '#' : '-';
        const std::string saved = SchemeText(file).withEdits(edits);
        const engine::SchemeDrawing before = schemetools::parseScheme(file);
        const engine::SchemeDrawing after = schemetools::parseScheme(saved);
        for (std::size_t n = 0; n < 441; ++n) {
            const QByteArray where
                = QByteArray::fromStdString(file).toHex() + " cell " + QByteArray::number(n);
            if (edits[n] != 0) {
                QVERIFY2(after[n].kind == engine::SchemeChar::Mark && after[n].mark == edits[n], where);
                continue;
            }
            auto same = [](engine::SchemeChar k) {
                return k == engine::SchemeChar::Missing ? engine::SchemeChar::Keep : k;
            };
            QVERIFY2(same(after[n].kind) == same(before[n].kind), where);
            if (before[n].kind == engine::SchemeChar::Mark)
                QVERIFY2(after[n].mark == before[n].mark, where);
        }
    }
}

QTEST_GUILESS_MAIN(SchemeTextTest)
#include "tst_schemetext.moc"
