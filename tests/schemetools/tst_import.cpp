// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of importing: one golden case per source format, pictures reduced to the grid, and
// the bad input every importer must refuse with its reason.
#include "importer.h"
#include "inputerror.h"
#include "nonformat.h"

#include "drawing.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace schemetools;

namespace {

QByteArray pictureBytes(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 6 x 4 picture on a white margin: a black bar, a dark grey dot, a transparent corner.
QImage smallPicture()
{
    QImage image(10, 8, QImage::Format_ARGB32);
    image.fill(Qt::white);
    for (int x = 2; x < 8; ++x)
        image.setPixelColor(x, 2, Qt::black);
    image.setPixelColor(2, 5, QColor(100, 100, 100));
    image.setPixelColor(7, 5, QColor(0, 0, 0, 0));
    image.setPixelColor(5, 4, QColor(200, 200, 200));
    return image;
}

// The same for formats without transparency: the transparent corner is white.
QImage opaquePicture()
{
    QImage image = smallPicture();
    image.setPixelColor(7, 5, Qt::white);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

private slots:
    void golden_data();
    void golden();
    void fitReducesByAreaAveraging();
    void badInput_data();
    void badInput();

private:
    QTemporaryDir dir_;
};

void ImportTest::golden_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow(".non with goal and comments")
        << "house.non"
        << QByteArray(
               "# a small house\ncatalogue \"x\"\ntitle \"House\"\nwidth 3\nheight 3\n\nrows\n1\n3\n1 1\n\n"
               "columns\n2\n2\n2\ngoal \"010111101\"\n")
        << 128 << QStringList {"-#-", "###", "#-#"};
    QTest::newRow(".non without goal: solved, empty border lines cropped")
        << "solve.non" << QByteArray("width 4\nheight 3\nrows\n0\n2\n1\ncolumns\n0\n1\n2\n0\n") << 128
        << QStringList {"##", "-#"};
    QTest::newRow(".non with lone CR line ends, as older Mac editors write")
        << "mac.non" << QByteArray("width 3\rheight 2\rrows\r3\r1\rcolumns\r1\r2\r1\r") << 128
        << QStringList {"###", "-#-"};
    QTest::newRow(".non with blank lines for empty rows")
        << "blank.non" << QByteArray("width 2\nheight 3\nrows\n1\n\n1\ncolumns\n1,1\n0\n") << 128
        << QStringList {"#", "-", "#"};
    QTest::newRow(".non with a byte-order mark, as the other readers take it")
        << "bom.non" << QByteArray("\xEF\xBB\xBFwidth 2\nheight 1\nrows\n2\ncolumns\n1\n1\n") << 128
        << QStringList {"##"};
    // A 25 x 25 puzzle whose picture, 2 x 2, stands in blank margins: cropped before it is judged.
    QTest::newRow(".non larger than the grid only by its margins")
        << "margins.non"
        << QByteArray("width 25\nheight 25\nrows\n" + QByteArray("0\n").repeated(10) + "1\n2\n"
               + QByteArray("0\n").repeated(13) + "columns\n" + QByteArray("0\n").repeated(20) + "2\n1\n"
               + QByteArray("0\n").repeated(3))
        << 128 << QStringList {"#-", "##"};
    QTest::newRow("text grid of cells separated by blanks")
        << "spaced.txt" << QByteArray("1 1 1 0 1\n0 1 0 1 0\n") << 128 << QStringList {"###-#", "-#-#-"};
    QTest::newRow("text grid with every kind of mark")
        << "grid.txt" << QByteArray("\xEF\xBB\xBF.....\r\n.#X1\xE2\x96\x88\r\n.-0 x\n\n") << 128
        << QStringList {"####", "---#"};
    QTest::newRow("PNG: dark pixels, margins cropped, transparent blank")
        << "bar.png" << pictureBytes(smallPicture(), "PNG") << 128
        << QStringList {"######", "------", "------", "#-----"};
    QTest::newRow("the threshold decides what counts as dark")
        << "bar.png" << pictureBytes(smallPicture(), "PNG") << 90 << QStringList {"######"};
    const QStringList bar {"######", "------", "------", "#-----"};
    QTest::newRow("BMP") << "bar.bmp" << pictureBytes(opaquePicture(), "BMP") << 128 << bar;
    // Qt writes no GIF: a 3 x 2 one with a two-colour table, black and white.
    QTest::newRow("GIF") << "dots.gif"
                         << QByteArray("GIF89a\x03\x00\x02\x00\xf0\x01\x00\x00\x00\x00\xff\xff\xff"
                                       "\x2c\x00\x00\x00\x00\x03\x00\x02\x00\x00\x02\x03\x44\x6c\x05\x00\x3b",
                                36)
                         << 128 << QStringList {"#-#", "-#-"};
    QTest::newRow("PBM") << "bar.pbm" << QByteArray("P1\n4 2\n0 1 1 0\n1 0 0 1\n") << 128
                         << QStringList {"-##-", "#--#"};
    QTest::newRow("PGM") << "bar.pgm"
                         << pictureBytes(opaquePicture().convertToFormat(QImage::Format_Grayscale8), "PGM")
                         << 128 << bar;
    QTest::newRow("PPM") << "bar.ppm" << pictureBytes(opaquePicture(), "PPM") << 128 << bar;
    QTest::newRow("XPM") << "bar.xpm"
                         << QByteArray(
                                "/* XPM */\nstatic char *x[] = {\"3 2 2 1\", \"  c None\", \"o c #000000\", "
                                "\"o o\", \" o \"};\n")
                         << 128 << QStringList {"#-#", "-#-"};
    QTest::newRow("JPEG") << "bar.jpg" << [] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        opaquePicture().save(&buffer, "JPEG", 100);
        return bytes;
    }() << 128 << bar;
}

void ImportTest::golden()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, threshold);
    QFETCH(QStringList, rows);
    const std::string path = enginetest::writeFile(dir_, name, bytes);
    ImportOptions options;
    options.picture.threshold = threshold;
    const auto kind = sourceKindOf(path);
    QVERIFY(kind);
    QStringList got;
    for (const std::string& row : importBitmap(path, *kind, options).rows())
        got << QString::fromStdString(row);
    QCOMPARE(got, rows);
}

void ImportTest::fitReducesByAreaAveraging()
{
    // A 200 x 200 drawing: a black ring with a square in the middle.
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 20));
    painter.drawEllipse(QRect(10, 10, 180, 180));
    painter.fillRect(QRect(80, 80, 40, 40), Qt::black);
    painter.end();
    const std::string path = enginetest::writeFile(dir_, "ring.png", pictureBytes(image, "PNG"));
    ImportOptions options;
    try {
        importBitmap(path, SourceKind::Picture, options);
        QFAIL("a picture larger than the grid was taken without --fit");
    } catch (const InputError& error) {
        QCOMPARE(std::string(error.what()),
            std::string(
                "is 200 x 200 pixels without its margins, but the grid holds at most 21 x 21: use --fit to "
                "reduce it"));
    }
    options.picture.fit = true;
    const Bitmap drawing = importBitmap(path, SourceKind::Picture, options);
    QCOMPARE(drawing.width(), 21);
    QCOMPARE(drawing.height(), 21);
    // The ring and the square survive, with white between them.
    for (const int i : {0, 20}) {
        QVERIFY(drawing.filled(10, i));
        QVERIFY(drawing.filled(i, 10));
    }
    QVERIFY(drawing.filled(10, 10));
    QVERIFY(!drawing.filled(10, 5) && !drawing.filled(5, 10));
    QVERIFY(!drawing.filled(0, 0) && !drawing.filled(20, 20));

    // A 3-pixel outline averages away to a few cells: the import says so and what to try.
    QImage outline(200, 200, QImage::Format_RGB32);
    outline.fill(Qt::white);
    QPainter outlinePainter(&outline);
    outlinePainter.fillRect(QRect(0, 0, 200, 3), Qt::black);
    outlinePainter.fillRect(QRect(0, 197, 200, 3), Qt::black);
    outlinePainter.fillRect(QRect(0, 0, 3, 200), Qt::black);
    outlinePainter.fillRect(QRect(197, 0, 3, 200), Qt::black);
    outlinePainter.end();
    std::string hint;
    importBitmap(enginetest::writeFile(dir_, "outline.png", pictureBytes(outline, "PNG")),
        SourceKind::Picture, options, &hint);
    QCOMPARE(hint,
        std::string("thin lines grew pale when the picture was reduced, and few cells are left: a higher "
                    "--threshold (such as 200) keeps more of them"));

    // A 42 x 42 checkerboard of black and white pixels is grey (127.5) in every cell: filled
    // below a threshold of 140, nothing at 120.
    QImage board(42, 42, QImage::Format_RGB32);
    for (int y = 0; y < 42; ++y) {
        for (int x = 0; x < 42; ++x)
            board.setPixelColor(x, y, (x + y) % 2 ? Qt::white : Qt::black);
    }
    const std::string boardPath = enginetest::writeFile(dir_, "board.png", pictureBytes(board, "PNG"));
    options.picture.threshold = 140;
    QCOMPARE(importBitmap(boardPath, SourceKind::Picture, options).filledCount(), 21 * 21);
    options.picture.threshold = 120;
    QVERIFY_THROWS_EXCEPTION(InputError, importBitmap(boardPath, SourceKind::Picture, options));
}

void ImportTest::badInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QByteArray size = "width 2\nheight 2\n";
    QTest::newRow(".non without height")
        << "a.non" << QByteArray("width 2\nrows\n1\n1\ncolumns\n1\n1\n") << "the key height is missing";
    QTest::newRow(".non without columns")
        << "a.non" << QByteArray(size + "rows\n1\n1\n") << "the key columns is missing";
    QTest::newRow(".non with two widths")
        << "a.non" << QByteArray(size + "width 3\nrows\n1\n1\ncolumns\n1\n1\n")
        << "the key width is given twice, as \"2\" and as \"3\"";
    QTest::newRow(".non with too few rows") << "a.non" << QByteArray(size + "rows\n1\ncolumns\n1\n1\n")
                                            << "rows lists 1 lines of clues, but height is 2";
    QTest::newRow(".non with a clue too long for its line")
        << "a.non" << QByteArray(size + "rows\n1 1\n1\ncolumns\n1\n1\n")
        << "row 1: the clues 1 1 need 3 cells, but the puzzle is 2 wide";
    QTest::newRow(".non whose rows and columns disagree")
        << "a.non" << QByteArray(size + "rows\n2\n1\ncolumns\n1\n1\n")
        << "the rows hold 3 picture cells and the columns 2: they contradict each other";
    QTest::newRow(".non whose goal does not fit")
        << "a.non" << QByteArray(size + "rows\n1\n1\ncolumns\n1\n1\ngoal 1100\n")
        << "the goal does not fit the clues of row 1";
    QTest::newRow(".non whose clues fit no picture")
        << "a.non" << QByteArray(size + "rows\n2\n0\ncolumns\n0\n2\n")
        << "has no goal, and no picture fits its clues";
    QTest::newRow(".non with several pictures") << "a.non" << QByteArray(size + "rows\n1\n1\ncolumns\n1\n1\n")
                                                << "has no goal, and more than one picture fits its clues: "
                                                   "it is not imported (--allow-not-unique takes "
                                                   "the first picture found)";
    QTest::newRow(".non with a NUL byte: shown, not hidden")
        << "a.non" << size + QByteArray("rows\n1\0\n1\ncolumns\n1\n1\n", 22)
        << "row 1: \"1\\x00\" is not a list of clues (numbers separated by commas)";
    QTest::newRow(".non with a long line: quoted in part")
        << "a.non" << size + QByteArray(100000, 'x').prepend("\x1b")
        << "\"\\x1B" + QString(39, 'x') + "\"... belongs to no key";
    QTest::newRow(".non larger than the grid")
        << "a.non" << QByteArray("width 22\nheight 1\nrows\n22\ncolumns\n" + QByteArray("1\n").repeated(22))
        << "is a puzzle of 22 x 1 cells, but the grid holds at most 21 x 21";
    QTest::newRow("text grid with a stray letter")
        << "a.txt" << QByteArray("##\n#q\n")
        << "line 2, column 2: 'q' is neither a filled cell (# X 1 \u2588) nor an empty one (. - 0 blank)";
    QTest::newRow("text grid with a byte that is not UTF-8")
        << "a.txt" << QByteArray("#\xE9#\n")
        << "line 1, column 2: \"\\xE9\" is neither a filled cell (# X 1 \u2588) nor an empty one (. - 0 "
           "blank)";
    QTest::newRow("text grid without a filled cell")
        << "a.txt" << QByteArray("..\n--\n") << "holds no filled cell: there is no picture to import";
    QTest::newRow("text grid larger than the grid within its margins")
        << "a.txt"
        << QByteArray(QByteArray(30, '.') + "\n" + ("." + QByteArray(22, '#') + ".......\n").repeated(3))
        << "holds a drawing of 22 x 3 cells (of 30 x 4 with margins), but the grid holds at most 21 x 21";
    QTest::newRow("0-byte picture") << "a.png" << QByteArray()
                                    << "is empty (0 bytes): there is no picture in it";
    QTest::newRow("binary junk")
        << "a.png" << QByteArray("\x01\x02junk\xFF\x00\x10", 10)
        << "is not a picture that can be read (PNG, BMP, GIF, PBM, PGM, PPM, XPM or JPEG)";
    const QByteArray png = pictureBytes(QImage(30, 30, QImage::Format_RGB32), "PNG");
    QTest::newRow("truncated PNG") << "a.png" << png.left(png.size() - 30)
                                   << "cannot be read as a picture: Unable to read image data";
    // Its one image is 0 pixels high, so the header tells nothing of the 515 x 63487 screen
    // that the decoder would fill: 130 MB.
    QTest::newRow("GIF larger than its header says")
        << "a.gif"
        << QByteArray("GIF89a\x03\x02\xff\xf7\xf0\x00\x00\x00\x00\xff\x00\xff\xff\x2c\x00\x00\x00\x00\x00"
                      "\x00\x00\x00\x00\x00\x00\x40\x02\xff\x00\x03\xff\x3b",
               38)
        << "cannot be read as a picture: Unable to read image data";
    // Its screen, 63728 x 255, fits the decoder's memory but has more pixels than are taken.
    QTest::newRow("GIF of more pixels than taken, with no size in its header")
        << "a.gif"
        << QByteArray("GIF89a\xf0\xf8\xff\x00\xf0\x00\x00\x00\x00\xff\x00\xff\xfe\x2c\x00\x00\x00\x00\x00"
                      "\x00\x00\x00\x00\x00\x00\x40\x02\xff\x00\xfd\x00\xc4",
               38)
        << "is a picture of 63728 x 255 pixels: too large to import";
    QTest::newRow("white picture")
        << "a.png" << pictureBytes(smallPicture().copy(0, 0, 2, 2), "PNG")
        << "has no pixel darker than the threshold (128): there is no picture to import";
}

void ImportTest::badInput()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const std::string path = enginetest::writeFile(dir_, name, bytes);
    try {
        importBitmap(path, *sourceKindOf(path), ImportOptions {});
        QFAIL("the input was taken");
    } catch (const InputError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
}

QTEST_MAIN(ImportTest)
#include "tst_import.moc"
