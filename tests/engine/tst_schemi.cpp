// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the schemes that ship in schemi/: every one loads, has a picture, and no row or
// column of it has more runs than the five clue slots can show.
#include "drawing.h"

#include <QDirIterator>
#include <QTest>

using namespace engine;
using namespace enginetest;

namespace {

// The program ships at least this many schemes.
constexpr qsizetype MinimumShippedSchemes = 15;

QStringList shippedSchemes()
{
    QStringList files;
    QDirIterator it(QStringLiteral(TESSARIA_SOURCE_DIR "/schemi"), {QStringLiteral("*.dis")}, QDir::Files,
        QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

// Runs of "1" marks in a line, where anything else separates runs (as the clues read them).
int runsOf(const MemoryBoard& board, const std::array<int, GridSize>& line)
{
    int runs = 0;
    bool inRun = false;
    for (const int n : line) {
        const bool filled = board.at(n).text() == "1";
        if (filled && !inRun)
            ++runs;
        inRun = filled;
    }
    return runs;
}

} // namespace

class SchemiTest : public QObject {
    Q_OBJECT

private slots:
    void enoughSchemesShip();
    void shippedScheme_data();
    void shippedScheme();
};

void SchemiTest::enoughSchemesShip()
{
    const QStringList files = shippedSchemes();
    QVERIFY2(files.size() >= MinimumShippedSchemes,
        qPrintable(QStringLiteral("%1 schemes in schemi/, at least %2 expected")
                       .arg(files.size())
                       .arg(MinimumShippedSchemes)));
}

void SchemiTest::shippedScheme_data()
{
    QTest::addColumn<QString>("path");
    const QString root = QStringLiteral(TESSARIA_SOURCE_DIR "/schemi/");
    for (const QString& path : shippedSchemes())
        QTest::newRow(qPrintable(path.mid(root.size()))) << path;
}

void SchemiTest::shippedScheme()
{
    if (QTest::currentDataTag() == nullptr)
        QSKIP("no schemes in schemi/ yet");
    QFETCH(QString, path);
    MemoryBoard board;
    Game game(board);
    game.pick(path.toStdString());

    QVERIFY2(game.remaining() > 0, "no \"#\" in the drawing");
    for (int line = 1; line <= GridSize; ++line) {
        const int rowRuns = runsOf(board, rowCells(line));
        const int columnRuns = runsOf(board, columnCells(line));
        QVERIFY2(
            rowRuns <= CluesPerLine, qPrintable(QStringLiteral("row %1 has %2 runs").arg(line).arg(rowRuns)));
        QVERIFY2(columnRuns <= CluesPerLine,
            qPrintable(QStringLiteral("column %1 has %2 runs").arg(line).arg(columnRuns)));
    }
}

QTEST_GUILESS_MAIN(SchemiTest)
#include "tst_schemi.moc"
