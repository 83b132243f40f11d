// Tests of "STAMPA": the fit rule, the image of the window it prints, and the page.
#include "form1.h"
#include "printing.h"

#include "checkbox.h"
#include "errors.h"
#include "label.h"
#include "panel.h"
#include "skinbutton.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <stdexcept>

namespace {

// Records the order in which watched controls are hidden and shown.
class VisibilityLog : public QObject {
public:
    QStringList hidden;
    QStringList shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::HideToParent)
            hidden << watched->objectName();
        else if (event->type() == QEvent::ShowToParent)
            shown << watched->objectName();
        return false;
    }
};

// Whether every pixel of rect in image has the colour c.
bool allOf(const QImage& image, const QRect& rect, QColor c)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (image.pixelColor(x, y) != c)
                return false;
    return true;
}

const QColor Silver(0xC0, 0xC0, 0xC0);

} // namespace

class TestPrinting : public QObject {
    Q_OBJECT

private:
    QWidget* control(TForm1& window, const QString& name)
    {
        return qobject_cast<QWidget*>(window.findComponent(name)->object());
    }

    // Where each of the ten controls shows on the panel; the click marker only shows as the
    // strip below cell 1.
    QRect showing(TForm1& window, const QString& name)
    {
        const QRect r = control(window, name)->geometry();
        if (name == QLatin1String("Shape1")) {
            const QRect cell = control(window, QStringLiteral("suiEdit1"))->geometry();
            const QRect below = control(window, QStringLiteral("suiEdit22"))->geometry();
            return QRect(
                QPoint(r.x(), cell.bottom() + 1), QPoint(r.right(), std::min(r.bottom(), below.top() - 1)));
        }
        return r;
    }

private slots:
    void fitOnPage_data()
    {
        QTest::addColumn<QSize>("image");
        QTest::addColumn<QSize>("page");
        QTest::addColumn<QRect>("expected");
        // The window on a landscape letter page at 300 dpi: 814 * 2550 / 629 is exactly the
        // page width, which is not less than it, so the width rule decides.
        QTest::newRow("window on letter") << QSize(814, 629) << QSize(3300, 2550) << QRect(0, 0, 3300, 2550);
        QTest::newRow("window on A4") << QSize(814, 629) << QSize(3508, 2480) << QRect(0, 0, 3209, 2480);
        QTest::newRow("wide image") << QSize(800, 600) << QSize(1000, 1000) << QRect(0, 0, 1000, 750);
        QTest::newRow("tall image") << QSize(100, 400) << QSize(1000, 800) << QRect(0, 0, 200, 800);
        // 3 * 3 / 2 = 4.5 rounds to 5 (truncation would give 4).
        QTest::newRow("half rounds up") << QSize(3, 2) << QSize(10, 3) << QRect(0, 0, 5, 3);
        // 2 * 5 / 3 = 3.33 rounds to 3.
        QTest::newRow("third rounds down") << QSize(2, 3) << QSize(10, 5) << QRect(0, 0, 3, 5);
        // 3 * 3 / 2 = 4.5 -> 5, not less than 5: as wide as the page, 2 * 5 / 3 = 3.33 -> 3.
        QTest::newRow("rounded width equals page") << QSize(3, 2) << QSize(5, 3) << QRect(0, 0, 5, 3);
        QTest::newRow("larger than the page")
            << QSize(2000, 1000) << QSize(400, 300) << QRect(0, 0, 400, 200);
        QTest::newRow("empty image") << QSize(0, 0) << QSize(400, 300) << QRect();
        QTest::newRow("empty page") << QSize(10, 10) << QSize(0, 300) << QRect();
    }

    void fitOnPage()
    {
        QFETCH(QSize, image);
        QFETCH(QSize, page);
        QFETCH(QRect, expected);
        QCOMPARE(window::fitOnPage(image, page), expected);
    }

    // The printed image is the client area without the ten controls; they are hidden and
    // shown again in the layout's orders and are all visible afterwards.
    void printImage()
    {
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage normal = window.Schermo->grab().toImage();

        VisibilityLog log;
        for (const QString& name : window::printHiddenControls()) {
            control(window, name)->setObjectName(name);
            control(window, name)->installEventFilter(&log);
        }
        const QImage printed = window.printImage();

        QCOMPARE(printed.size(), window.Schermo->size());
        for (const QString& name : window::printHiddenControls()) {
            const QRect r = showing(window, name);
            QVERIFY2(!allOf(normal, r, Silver), qPrintable(name));
            QVERIFY2(allOf(printed, r, Silver), qPrintable(name));
            QVERIFY2(control(window, name)->isVisible(), qPrintable(name));
        }
        // What stays: the "---" box and the remaining counter's place, the board.
        QVERIFY(!allOf(printed, window.CheckBox2->geometry(), Silver));
        QCOMPARE(printed.pixelColor(control(window, QStringLiteral("suiEdit1"))->geometry().center()),
            QColor(Qt::white));

        QCOMPARE(log.hidden,
            (QStringList {"Label1", "BitBtn1", "RichiamaLingua1", "RichiamaLingua2", "RichiamaLingua3",
                "StampaCrucintarsio", "CaricaSchemi", "CheckBox1", "Esci", "Shape1"}));
        QCOMPARE(log.shown,
            (QStringList {"StampaCrucintarsio", "CaricaSchemi", "Esci", "Label1", "RichiamaLingua1",
                "RichiamaLingua2", "RichiamaLingua3", "Shape1", "BitBtn1", "CheckBox1"}));
    }

    // The guide lines print when shown.
    void guideLinesArePrinted()
    {
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.CheckBox2->setChecked(true);
        const QImage printed = window.printImage();
        // The middle line of the first horizontal one, clear of the vertical ones.
        const QRect line = window.Panel1->geometry();
        QVERIFY(allOf(printed, QRect(line.x() + 5, line.center().y(), 80, 1), QColor(0xFF, 0, 0)));
    }

    void printToFile()
    {
        QTemporaryDir dir;
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        printer.setPageOrientation(QPageLayout::Portrait);

        window.printTo(printer);

        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(printer.width() > printer.height());
        QFile pdf(dir.filePath(QStringLiteral("page.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF"));
        QCOMPARE(content.count("/Type /Page\n") + content.count("/Type /Page\r"), 1);
        for (const QString& name : window::printHiddenControls())
            QVERIFY2(control(window, name)->isVisible(), qPrintable(name));
    }

    void printFailureShowsTheControlsAgain_data()
    {
        QTest::addColumn<QString>("outputFile");
        QTest::newRow("no printer") << QString();
        QTest::newRow("page cannot start") << QStringLiteral("/nonexistent-folder/page.pdf");
    }

    void printFailureShowsTheControlsAgain()
    {
        QFETCH(QString, outputFile);
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        try {
            window.printTo(printer);
            QFAIL("printing did not fail");
        } catch (const std::runtime_error& e) {
            QVERIFY2(QString::fromUtf8(e.what()).startsWith(QLatin1String("Printing failed: ")), e.what());
        }
        for (const QString& name : window::printHiddenControls())
            QVERIFY2(control(window, name)->isVisible(), qPrintable(name));
    }

    // "STAMPA" itself: without a printer the error goes to the error box, and the window is
    // whole again.
    void stampaWithoutPrinter()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this machine has a default printer; the test would print on it");
        QStringList errors;
        widgets::setErrorReporter([&errors](const QString& message) { errors << message; });
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.StampaCrucintarsio, Qt::LeftButton);
        widgets::setErrorReporter({});
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(QLatin1String("Printing failed: ")), qPrintable(errors.first()));
        for (const QString& name : window::printHiddenControls())
            QVERIFY2(control(window, name)->isVisible(), qPrintable(name));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
