// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of exporting: the worksheet's pages and their size, the finished picture, and the
// .non text read back to the same puzzle.
#include "importer.h"
#include "inputerror.h"
#include "nonformat.h"
#include "savefile.h"
#include "worksheet.h"

#include "drawing.h"

#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <sys/stat.h>

using namespace schemetools;

namespace {

Sheet sheetOf(const char* title, const QByteArray& scheme)
{
    return {title, loadPuzzle(parseScheme(scheme.toStdString())), title};
}

// clang-format off
const QByteArray House = enginetest::schemeFile({
    "--#--",
    "-###-",
    "#####",
    "#---#",
    "#---#",
});
// clang-format on

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    void worksheetPages_data();
    void worksheetPages();
    void worksheetInk();
    void finishedPicture();
    void nonReadsBackAsTheSamePuzzle();
    void savingNeverLosesAFile();
};

void ExportTest::worksheetPages_data()
{
    QTest::addColumn<int>("schemes");
    QTest::addColumn<bool>("solution");
    QTest::addColumn<int>("pages");
    QTest::newRow("one scheme") << 1 << false << 1;
    QTest::newRow("one scheme with its solution") << 1 << true << 2;
    QTest::newRow("three schemes, a page each") << 3 << false << 3;
    QTest::newRow("three schemes with solutions") << 3 << true << 6;
}

void ExportTest::worksheetPages()
{
    QFETCH(int, schemes);
    QFETCH(bool, solution);
    QFETCH(int, pages);
    const std::vector<Sheet> sheets(size_t(schemes), sheetOf("house", House));
    const QString pdf = QString::fromLatin1(worksheetPdf(sheets, solution, WorksheetWords {}));
    QVERIFY(pdf.startsWith("%PDF-"));
    QCOMPARE(pdf.count(QRegularExpression("/Type\\s*/Page\\b")), pages);
    // Every page is A4 portrait: 595 x 842 points.
    const QRegularExpression mediaBox("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]");
    int boxes = 0;
    for (auto it = mediaBox.globalMatch(pdf); it.hasNext(); ++boxes) {
        const auto match = it.next();
        QCOMPARE(qRound(match.captured(1).toDouble()), 595);
        QCOMPARE(qRound(match.captured(2).toDouble()), 842);
    }
    QCOMPARE(boxes, pages);
}

void ExportTest::worksheetInk()
{
    // A hole of two cells across the guide line after row 5, and rows with empty clue slots.
    const Sheet sheet = sheetOf(
        "", enginetest::schemeFile({"######", "######", "######", "######", "##\xB0###", "##\xB0###"}));
    const int dpi = 100;
    const QImage page = worksheetImage(sheet, false, WorksheetWords {}, dpi);
    QCOMPARE(page.size(), QSize(826, 1169)); // A4 at 100 dots per inch
    const QRectF below = worksheetCellRect(sheet.puzzle, 5, 2, dpi);
    // The guide line stops at the hole: the hole stays blank.
    QCOMPARE(page.pixelColor(below.center().toPoint().x(), qRound(below.top())), QColor(Qt::white));
    QCOMPARE(page.pixelColor(below.center().toPoint().x(), qRound(below.top()) - 1), QColor(Qt::white));
    // Beside the hole the line is drawn.
    const QRectF beside = worksheetCellRect(sheet.puzzle, 5, 3, dpi);
    QCOMPARE(page.pixelColor(beside.center().toPoint().x(), qRound(beside.top())), QColor(Qt::black));
    // An empty clue slot is white paper with a thin border, not solid silver; no silver anywhere.
    const QRectF firstRow = worksheetCellRect(sheet.puzzle, 0, 0, dpi);
    const QPointF emptySlot = firstRow.center() - QPointF(5 * firstRow.width(), 0);
    QCOMPARE(page.pixelColor(emptySlot.toPoint()), QColor(Qt::white));
    int silver = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x)
            silver += page.pixelColor(x, y) == QColor(192, 192, 192);
    }
    QVERIFY2(silver < 100, qPrintable(QString::number(silver)));
}

void ExportTest::finishedPicture()
{
    // The house under a dead first row: its visible part is rows 2 to 6, 5 x 5 cells of 20 pixels.
    QImage image;
    QVERIFY(image.loadFromData(picturePng(sheetOf("house", "-----\n" + House).puzzle), "PNG"));
    QCOMPARE(image.size(), QSize(5 * 20 + 1, 5 * 20 + 1));
    auto at = [&](int row, int column) { return image.pixelColor(column * 20 + 10, row * 20 + 10); };
    const QColor green(0, 128, 0);
    QCOMPARE(at(0, 2), green); // the roof's top
    QCOMPARE(at(0, 0), QColor(Qt::white));
    QCOMPARE(at(4, 0), green);
    QCOMPARE(at(4, 2), QColor(Qt::white));
}

void ExportTest::nonReadsBackAsTheSamePuzzle()
{
    // A dead column inside the picture stays in the .non as an empty column.
    const Sheet sheet = sheetOf("gap", enginetest::schemeFile({"#-#", "#-#", "###"}));
    const NonPuzzle non = parseNon(puzzleNon(sheet));
    QCOMPARE(non.title, std::string("gap"));
    QCOMPARE(non.width, 3);
    QCOMPARE(non.height, 3);
    QCOMPARE(non.rows, (std::vector<Clues> {{1, 1}, {1, 1}, {3}}));
    QCOMPARE(non.columns, (std::vector<Clues> {{3}, {1}, {3}}));
    QVERIFY(non.goal);
    QCOMPARE(non.goal->rows(), (std::vector<std::string> {"#-#", "#-#", "###"}));
}

void ExportTest::savingNeverLosesAFile()
{
    const QTemporaryDir dir;
    const std::string kept = enginetest::writeFile(dir, "kept.dis", "old\n");
    const std::string fresh = dir.filePath("fresh.dis").toStdString();
    try {
        saveFiles({{fresh, "new\n"}, {kept, "new\n"}}, false);
        QFAIL("an existing file was overwritten");
    } catch (const InputError& error) {
        QCOMPARE(std::string(error.what()),
            kept + ": already exists; nothing was written (--force overwrites it)");
    }
    QVERIFY(!QFile::exists(QString::fromStdString(fresh)));
    saveFiles({{fresh, "new\n"}, {kept, "new\n"}}, true);
    for (const std::string& path : {fresh, kept}) {
        QFile file(QString::fromStdString(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new\n"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left

    // A file that cannot be written is found before any is written; one that fails late (a
    // name too long for the file system) takes back the files this run wrote before it.
    const std::string first = dir.filePath("first.png").toStdString();
    for (const std::string& bad : {dir.filePath("gone/second.png").toStdString(),
             dir.filePath(QString(300, 'x') + ".png").toStdString()}) {
        QVERIFY_THROWS_EXCEPTION(InputError, saveFiles({{first, "new\n"}, {bad, "new\n"}}, false));
        QVERIFY2(!QFile::exists(QString::fromStdString(first)), bad.c_str());
        QVERIFY_THROWS_EXCEPTION(InputError, saveFiles({{kept, "newer\n"}, {bad, "new\n"}}, true));
        QFile file(QString::fromStdString(kept));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("new\n"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A new file may be read by everyone the umask allows (children open a teacher's schemes);
    // a replaced file keeps its own mode.
    const mode_t mask = ::umask(022);
    const std::string shared = dir.filePath("shared.dis").toStdString();
    QVERIFY(::chmod(kept.c_str(), 0640) == 0);
    saveFiles({{shared, "new\n"}, {kept, "newer\n"}}, true);
    ::umask(mask);
    struct stat info { };
    QVERIFY(::stat(shared.c_str(), &info) == 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0644));
    QVERIFY(::stat(kept.c_str(), &info) == 0);
    QCOMPARE(info.st_mode & 0777, mode_t(0640));
}

QTEST_MAIN(ExportTest)
#include "tst_export.moc"
