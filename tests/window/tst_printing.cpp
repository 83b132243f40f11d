// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of "STAMPA": the fit rule, the image of the window it prints, and the page.
#include "form1.h"
#include "printing.h"
#include "privatecups.h"
#include "schemefolder.h"

#include "checkbox.h"
#include "errors.h"
#include "filelistbox.h"
#include "label.h"
#include "panel.h"
#include "skinbutton.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
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

// Whether two colours differ by at most tolerance in each channel.
bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// The mean colour of a square of 5 x 5 pixels around p.
QColor meanAround(const QImage& image, QPoint p)
{
    int r = 0, g = 0, b = 0;
    for (int y = p.y() - 2; y <= p.y() + 2; ++y)
        for (int x = p.x() - 2; x <= p.x() + 2; ++x) {
            const QColor c = image.pixelColor(x, y);
            r += c.red();
            g += c.green();
            b += c.blue();
        }
    return QColor(r / 25, g / 25, b / 25);
}

// Runs a program to its end and returns what it printed; empty when it failed.
QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

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

    // Whether a landscape page shows the window's printed image: the silver of its panel from
    // the top-left corner (within the printer's margins), as tall as the printable page, cells
    // 1 to 4 (found, marked blank, untouched, hidden) in their colours where the board lies, and
    // no "ESCI". What was seen is added to seen.
    bool showsWindow(const QImage& page, TForm1& window, QStringList& seen)
    {
        QRect image;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (near(page.pixelColor(x, y), Silver, 12))
                    image |= QRect(x, y, 1, 1);
        const double scale = double(image.height()) / TForm1::DesignClientHeight;
        auto at = [&](const QString& name) {
            const QPointF c = QRectF(control(window, name)->geometry()).center();
            return meanAround(page, image.topLeft() + QPoint(qRound(c.x() * scale), qRound(c.y() * scale)));
        };
        const QList<QColor> expected {
            QColor(0xFF, 0xFF, 0), QColor(0xA6, 0xCA, 0xF0), QColor(Qt::white), Silver, Silver};
        const QList<QColor> found {at(QStringLiteral("suiEdit1")), at(QStringLiteral("suiEdit2")),
            at(QStringLiteral("suiEdit3")), at(QStringLiteral("suiEdit4")), at(QStringLiteral("Esci"))};
        QString line;
        QDebug(&line) << "page" << page.size() << "image" << image << "cells 1-4, ESCI" << found;
        seen << line;
        const int margin = 30; // 0.3 inch at 100 dpi
        if (page.width() <= page.height() || image.left() > margin || image.top() > margin
            || page.height() - image.bottom() > 2 * margin
            || std::abs(image.width() - qRound(TForm1::DesignClientWidth * scale)) > 2)
            return false;
        for (qsizetype i = 0; i < expected.size(); ++i)
            if (!near(found[i], expected[i], 16))
                return false;
        return true;
    }

    // The CUPS setup of this process: until a test starts its spooler, no printer at all.
    std::unique_ptr<PrivateCups> cups_;

private slots:
    void initTestCase()
    {
        cups_ = std::make_unique<PrivateCups>();
        QVERIFY(cups_->isValid());
    }

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
    void printedImage()
    {
        TForm1 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage normal = window.Schermo->grab().toImage();

        VisibilityLog log;
        // The log records the controls by their objectName, which is their Name.
        for (const QString& name : window::printHiddenControls())
            control(window, name)->installEventFilter(&log);
        const QImage printed = window.printedImage();

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
        const QImage printed = window.printedImage();
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
        // A PDF printer without a file has nowhere to print to. (An empty file name set on a
        // printer would turn it into the native printer of the machine.)
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        if (!outputFile.isEmpty())
            printer.setOutputFileName(outputFile);
        QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
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
        // Qt falls back to the first printer when there is no default one.
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is in reach of this test; pressing STAMPA would print on it");
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

    // "STAMPA" on a real spooler: a cupsd of the test's own whose default queue is a cups-pdf
    // printer. The queue writes one sheet; turned with its long side across, it shows the
    // window from its top-left corner as tall as the page, the marked cells in their colours.
    void stampaOnSpooler()
    {
        if (!cups_->start())
            QSKIP(qPrintable(QStringLiteral("CUPS cannot be started here: ") + cups_->reason()));
        const auto stop = qScopeGuard([this] { cups_->stop(); });
        QVERIFY2(cups_->addDefaultPdfQueue(), qPrintable(cups_->reason()));
        // Press nothing unless the default printer is the private queue.
        QCOMPARE(QPrinterInfo::defaultPrinterName(), PrivateCups::Queue);

        SchemeFolder folder;
        folder.write(QStringLiteral("small.dis"), "#-#\n###\n-#-\n");
        QStringList errors;
        widgets::setErrorReporter([&errors](const QString& message) { errors << message; });
        const auto noReporter = qScopeGuard([] { widgets::setErrorReporter({}); });
        TForm1 window(folder.exeFolder());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // At the layout's size the window is wider than tall, so a sheet printed upright would
        // not hold it as tall as the page.
        window.setWindowState(Qt::WindowNoState);
        window.resize(TForm1::DesignClientWidth, TForm1::DesignClientHeight);
        QTRY_COMPARE(window.Schermo->size(), QSize(TForm1::DesignClientWidth, TForm1::DesignClientHeight));
        // The scheme picked, a picture cell found (yellow), a blank one marked (sky blue).
        QTest::mouseClick(window.CaricaSchemi->viewport(), Qt::LeftButton, {},
            window.CaricaSchemi->visualItemRect(window.CaricaSchemi->item(0)).center());
        QTest::mouseClick(control(window, QStringLiteral("suiEdit1")), Qt::LeftButton);
        QTest::mouseClick(control(window, QStringLiteral("suiEdit2")), Qt::LeftButton);
        QCOMPARE(window.Label4->text(), QStringLiteral("5"));

        QTest::mouseClick(window.StampaCrucintarsio, Qt::LeftButton);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QTRY_VERIFY2_WITH_TIMEOUT(
            !cups_->pdfs().isEmpty() && cups_->idle(), qPrintable(cups_->errorLog()), 120000);
        QCOMPARE(cups_->pdfs().size(), 1);
        const QString pdf = cups_->pdfs().first();
        const QString info = output(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(!info.isEmpty(), "pdfinfo failed (scripts/deps.sh installs poppler-utils)");
        QVERIFY2(info.contains(
                     QRegularExpression(QStringLiteral("^Pages: +1$"), QRegularExpression::MultilineOption)),
            qPrintable(info));

        QTemporaryDir rendered;
        output(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                QStringLiteral("-singlefile"), pdf, rendered.filePath(QStringLiteral("sheet"))});
        const QImage sheet(rendered.filePath(QStringLiteral("sheet.png")));
        QVERIFY2(!sheet.isNull(), "pdftoppm failed");
        // A printer turns a landscape page onto its paper; either way round, the turned sheet
        // must show the window upright.
        QList<QImage> turned {sheet};
        if (sheet.height() > sheet.width())
            turned
                = {sheet.transformed(QTransform().rotate(90)), sheet.transformed(QTransform().rotate(-90))};
        QStringList seen;
        const bool shown = std::any_of(turned.begin(), turned.end(),
            [&](const QImage& page) { return showsWindow(page, window, seen); });
        QVERIFY2(shown, qPrintable(seen.join(u'\n')));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
