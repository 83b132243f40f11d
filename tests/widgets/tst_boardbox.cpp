// SPDX-License-Identifier: GPL-3.0-or-later
// The one-character board box: the byte-exact text bridge to the engine, capitals and full
// display of longer texts, the design colours, no typing, clicks and moves only while enabled,
// and repaints held back by a batch.
#include "bgrcolor.h"
#include "boardbox.h"

#include <QtTest>

#include <memory>

using namespace widgets;
using namespace bgr;

namespace {

// Counts the paint events each watched widget receives.
class PaintCounter : public QObject {
public:
    int of(QObject* widget) const { return counts_.value(widget); }
    void clear() { counts_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++counts_[watched];
        return false;
    }

private:
    QHash<QObject*, int> counts_;
};

} // namespace

class BoardBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form_ = std::make_unique<QWidget>();
        owner_ = std::make_unique<Component>(form_.get(), nullptr, QStringLiteral("Form1"));
        form_->resize(200, 100);
        box_ = new BoardBox(form_.get(), owner_.get(), QStringLiteral("suiEdit1"));
        box_->setGeometry(40, 30, 20, 20);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup()
    {
        owner_.reset();
        form_.reset();
    }

    void designState();
    void everyByteRoundTrips_data();
    void everyByteRoundTrips();
    void allBytesInOneText();
    void shownInCapitals_data();
    void shownInCapitals();
    void twoCharactersShowInFull();
    void engineColoursConvert_data();
    void engineColoursConvert();
    void flagsAndBounds();
    void typingIsRefused();
    void typingWhenWritableStopsAtMaxLength();
    void clickNeedsPressAndReleaseInside_data();
    void clickNeedsPressAndReleaseInside();
    void disabledBoxGetsNoClicksNorMoves();
    void movesWithoutButtonReport();
    void batchHoldsRepaintsUntilItEnds();
    void batchOutlivesTheBoxesParent();

private:
    std::unique_ptr<QWidget> form_;
    std::unique_ptr<Component> owner_;
    BoardBox* box_ = nullptr;
};

void BoardBoxTest::designState()
{
    QCOMPARE(box_->backgroundColor(), QColor(Qt::white));
    QCOMPARE(box_->textColor(), QColor(Qt::black));
    QCOMPARE(box_->borderColor(), QColor(Qt::black));
    QCOMPARE(box_->color(), engine::color::White);
    QCOMPARE(box_->fontColor(), engine::color::Black);
    QCOMPARE(box_->text(), std::string());
    QCOMPARE(box_->maxLength(), 1);
    QVERIFY(box_->isReadOnly());
    QVERIFY(box_->font().bold());
    QCOMPARE(box_->font().pixelSize(), 16);
    QVERIFY(box_->hasMouseTracking());
}

void BoardBoxTest::everyByteRoundTrips_data()
{
    QTest::addColumn<int>("byte");
    for (int b = 0; b < 256; ++b)
        QTest::addRow("0x%02X", b) << b;
}

void BoardBoxTest::everyByteRoundTrips()
{
    QFETCH(int, byte);
    const std::string mark(1, char(byte));
    box_->setText(mark);
    QCOMPARE(box_->text(), mark);
    // The Qt side sees the same character, one of length one.
    QCOMPARE(box_->boxText().size(), qsizetype(1));
    QCOMPARE(box_->boxText().at(0).unicode(), char16_t(byte));
}

void BoardBoxTest::allBytesInOneText()
{
    std::string all;
    for (int b = 255; b >= 0; --b)
        all.push_back(char(b));
    box_->setText(all);
    QCOMPARE(box_->text(), all);
    QVERIFY(box_->setProperty("Text", box_->property("Text")));
    QCOMPARE(box_->text(), all);
}

void BoardBoxTest::shownInCapitals_data()
{
    QTest::addColumn<QString>("small");
    QTest::addColumn<QString>("capital");
    QTest::newRow("a") << "a"
                       << "A";
    QTest::newRow("z") << "z"
                       << "Z";
    QTest::newRow("e grave") << QString(QChar(0xE8)) << QString(QChar(0xC8));
    QTest::newRow("two letters") << "ab"
                                 << "AB";
}

void BoardBoxTest::shownInCapitals()
{
    QFETCH(QString, small);
    QFETCH(QString, capital);
    box_->setBoxText(capital);
    const QImage shownCapital = box_->grab().toImage();
    box_->setBoxText(small);
    const QImage shownSmall = box_->grab().toImage();
    box_->setBoxText(QString());
    const QImage shownEmpty = box_->grab().toImage();
    QCOMPARE(shownSmall, shownCapital);
    QVERIFY(shownSmall != shownEmpty);
    // The text itself is kept as set.
    box_->setBoxText(small);
    QCOMPARE(box_->boxText(), small);
}

// A clue "12" shows both digits, inside the border and not over it.
void BoardBoxTest::twoCharactersShowInFull()
{
    const QColor text(255, 0, 0);
    const QColor border(0, 0, 255);
    box_->setTextColor(text);
    box_->setBorderColor(border);
    box_->setBoxText(QStringLiteral("12"));
    QImage image = box_->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int w = image.width();
    const int h = image.height();
    for (int x = 0; x < w; ++x) {
        QCOMPARE(image.pixelColor(x, 0), border);
        QCOMPARE(image.pixelColor(x, h - 1), border);
    }
    for (int y = 0; y < h; ++y) {
        QCOMPARE(image.pixelColor(0, y), border);
        QCOMPARE(image.pixelColor(w - 1, y), border);
    }
    // Ink on both sides of the middle: both digits are there.
    const auto ink = [&](int from, int to) {
        int count = 0;
        for (int y = 1; y < h - 1; ++y)
            for (int x = from; x < to; ++x) {
                const QColor c = image.pixelColor(x, y);
                count += (c.red() > 128 && c.green() < 128) ? 1 : 0;
            }
        return count;
    };
    QVERIFY(ink(1, w / 2) > 3);
    QVERIFY(ink(w / 2, w - 1) > 3);
}

void BoardBoxTest::engineColoursConvert_data()
{
    QTest::addColumn<uint>("engineColor");
    QTest::addColumn<QColor>("qtColor");
    QTest::newRow("sky blue") << uint(engine::color::SkyBlue) << QColor(0xA6, 0xCA, 0xF0);
    QTest::newRow("yellow") << uint(engine::color::Yellow) << QColor(0xFF, 0xFF, 0x00);
    QTest::newRow("green") << uint(engine::color::Green) << QColor(0x00, 0x80, 0x00);
    QTest::newRow("red") << uint(engine::color::Red) << QColor(0xFF, 0x00, 0x00);
    QTest::newRow("navy") << uint(engine::color::Navy) << QColor(0x00, 0x00, 0x80);
    QTest::newRow("cream") << uint(engine::color::Cream) << QColor(0xFF, 0xFB, 0xF0);
}

void BoardBoxTest::engineColoursConvert()
{
    QFETCH(uint, engineColor);
    QFETCH(QColor, qtColor);
    QCOMPARE(toQColor(engineColor), qtColor);
    QCOMPARE(uint(toBgr(qtColor)), engineColor);

    box_->setColor(engineColor);
    box_->setFontColor(engineColor);
    QCOMPARE(box_->backgroundColor(), qtColor);
    QCOMPARE(uint(box_->fontColor()), engineColor);
    // What the child sees: the inside of the box in that colour.
    const QImage image = box_->grab().toImage();
    QCOMPARE(image.pixelColor(10, 10), qtColor);
}

void BoardBoxTest::flagsAndBounds()
{
    QCOMPARE(box_->bounds(), (engine::Bounds {40, 30, 20, 20}));
    box_->setVisibleFlag(false);
    QVERIFY(box_->isHidden());
    QVERIFY(!box_->visibleFlag());
    box_->setVisibleFlag(true);
    QVERIFY(box_->isVisible());
    box_->setEnabledFlag(false);
    QVERIFY(!box_->isEnabled());
    QVERIFY(!box_->enabledFlag());
}

void BoardBoxTest::typingIsRefused()
{
    box_->setText("1");
    QTest::keyClick(box_, Qt::Key_X);
    QTest::keyClick(box_, Qt::Key_Backspace);
    QCOMPARE(box_->text(), std::string("1"));
}

void BoardBoxTest::typingWhenWritableStopsAtMaxLength()
{
    box_->setReadOnly(false);
    QTest::keyClicks(box_, QStringLiteral("ab"));
    QCOMPARE(box_->boxText(), QStringLiteral("a"));
    // The program may still set longer texts.
    box_->setBoxText(QStringLiteral("21"));
    QCOMPARE(box_->boxText(), QStringLiteral("21"));
}

void BoardBoxTest::clickNeedsPressAndReleaseInside_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("clicks");
    QTest::newRow("inside") << QPoint(10, 10) << QPoint(10, 10) << int(Qt::LeftButton) << 1;
    QTest::newRow("corner") << QPoint(0, 0) << QPoint(19, 19) << int(Qt::LeftButton) << 1;
    QTest::newRow("released outside") << QPoint(10, 10) << QPoint(25, 10) << int(Qt::LeftButton) << 0;
    QTest::newRow("right button") << QPoint(10, 10) << QPoint(10, 10) << int(Qt::RightButton) << 0;
}

void BoardBoxTest::clickNeedsPressAndReleaseInside()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(int, button);
    QFETCH(int, clicks);
    QSignalSpy clicked(box_, &BoardBox::clicked);
    QTest::mousePress(box_, Qt::MouseButton(button), {}, press);
    QTest::mouseRelease(box_, Qt::MouseButton(button), {}, release);
    QCOMPARE(clicked.size(), clicks);
}

void BoardBoxTest::disabledBoxGetsNoClicksNorMoves()
{
    QSignalSpy clicked(box_, &BoardBox::clicked);
    QSignalSpy moved(box_, &BoardBox::mouseMoved);
    box_->setEnabledFlag(false);
    QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(box_, QPoint(5, 5));
    QTest::mouseMove(box_, QPoint(12, 12));
    QCOMPARE(clicked.size(), 0);
    QCOMPARE(moved.size(), 0);

    // A press made while enabled does not click after the box was disabled and enabled again.
    box_->setEnabledFlag(true);
    QTest::mousePress(box_, Qt::LeftButton, {}, QPoint(10, 10));
    box_->setEnabledFlag(false);
    box_->setEnabledFlag(true);
    QTest::mouseRelease(box_, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.size(), 0);
    QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicked.size(), 1);
}

void BoardBoxTest::movesWithoutButtonReport()
{
    QSignalSpy moved(box_, &BoardBox::mouseMoved);
    QTest::mouseMove(box_, QPoint(3, 3));
    QTest::mouseMove(box_, QPoint(15, 8));
    QVERIFY(moved.size() >= 1);
}

void BoardBoxTest::batchHoldsRepaintsUntilItEnds()
{
    // Three more boxes in the row: box_ at 40, then 60, 80 and, apart, 160.
    BoardBox* row[4] = {box_};
    for (int i = 1; i < 4; ++i) {
        row[i] = new BoardBox(form_.get(), owner_.get(), QStringLiteral("suiEdit%1").arg(i + 1));
        row[i]->setGeometry(i < 3 ? 40 + 20 * i : 160, 30, 20, 20);
        row[i]->show();
    }
    QTest::qWait(20);
    PaintCounter paints;
    for (BoardBox* box : row)
        box->installEventFilter(&paints);

    // Without a batch a change repaints its box alone.
    row[1]->setColor(engine::color::Yellow);
    QTRY_COMPARE(paints.of(row[1]), 1);
    QCOMPARE(paints.of(row[0]) + paints.of(row[2]) + paints.of(row[3]), 0);

    paints.clear();
    {
        const BoardRepaintBatch batch;
        row[0]->setText("7");
        row[0]->setEnabledFlag(false);
        {
            const BoardRepaintBatch inner;
            row[2]->setFontColor(engine::color::Red);
        }
        // Neither the changes nor the end of the inner batch have asked for a repaint yet.
        QTest::qWait(20);
        QCOMPARE(paints.of(row[0]) + paints.of(row[2]), 0);
        row[0]->setColor(engine::color::SkyBlue);
    }
    // One repaint of the rectangle the changed boxes cover: the one between them is in it,
    // the one apart is not.
    QTRY_COMPARE(paints.of(row[0]), 1);
    QCOMPARE(paints.of(row[1]), 1);
    QCOMPARE(paints.of(row[2]), 1);
    QTest::qWait(20);
    QCOMPARE(paints.of(row[3]), 0);
    QCOMPARE(row[0]->boxText(), QStringLiteral("7"));
    QCOMPARE(row[0]->color(), engine::color::SkyBlue);
    QCOMPARE(row[2]->fontColor(), engine::color::Red);

    // A change that sets what the box already shows asks for nothing.
    paints.clear();
    {
        const BoardRepaintBatch batch;
        row[0]->setText("7");
    }
    QTest::qWait(20);
    QCOMPARE(paints.of(row[0]), 0);
}

void BoardBoxTest::batchOutlivesTheBoxesParent()
{
    // The parent and its boxes go while the batch lives; its end must not reach them.
    const BoardRepaintBatch batch;
    box_->setColor(engine::color::Lime);
    owner_.reset();
    form_.reset();
    box_ = nullptr;
}

QTEST_MAIN(BoardBoxTest)
#include "tst_boardbox.moc"
