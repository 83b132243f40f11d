// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the main window's scaling: maximised to 1920 x 1080 and back, on the real controls.
#include "windowtest.h"

#include "boardbox.h"
#include "combobox.h"
#include "errors.h"
#include "filelistbox.h"
#include "fonts.h"
#include "label.h"
#include "properties.h"
#include "shape.h"
#include "skinbutton.h"

#include <QApplication>
#include <QFile>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>

#include <cmath>
#include <memory>

using namespace engine;

namespace {

// The screen the window maximises on: one 1920 x 1080 screen without window frames, so that
// the maximised client area, and with it Schermo, is exactly 1920 x 1080.
constexpr QSize ScreenSize(1920, 1080);
constexpr QSize DesignSize(TForm1::DesignClientWidth, TForm1::DesignClientHeight);

// A control as the layout made it.
struct Design {
    QWidget* control;
    QString name;
    QRect bounds;
    bool hasFont;
    int fontPixels;
    int fontPoints;
    bool bold;
    QString family;
};

// The design rule, computed here on its own: a proportion is a single-precision quotient, a
// bound the exact product of the new size and that quotient, rounded half to even.
int scaledBound(int value, int reference, int size)
{
    const float ratio = static_cast<float>(value) / static_cast<float>(reference);
    return static_cast<int>(std::nearbyint(static_cast<double>(size) * static_cast<double>(ratio)));
}

QRect scaledRect(const QRect& r, QSize from, QSize to)
{
    return {scaledBound(r.x(), from.width(), to.width()), scaledBound(r.y(), from.height(), to.height()),
        scaledBound(r.width(), from.width(), to.width()),
        scaledBound(r.height(), from.height(), to.height())};
}

// A point size scaled with the smaller proportion of the control's own client size, each
// product in single precision and truncated.
int scaledPoints(int points, QSize from, QSize to)
{
    const float byWidth = static_cast<float>(points) / static_cast<float>(from.width());
    const float byHeight = static_cast<float>(points) / static_cast<float>(from.height());
    const float a = byWidth * static_cast<float>(to.width());
    const float b = byHeight * static_cast<float>(to.height());
    return static_cast<int>(a < b ? a : b);
}

QFont fontOf(QWidget* control)
{
    return widgets::findPublishedProperty(control, u"Font").read(control).value<QFont>();
}

// A scheme of three rows and three columns in the top-left corner:
//   # - #
//   # # #
//   - # -
const QByteArray SmallScheme = "#-#\n###\n-#-\n";

// 125 picture cells: five full rows and one of 20.
const QByteArray LargeScheme = QByteArray(21, '#').append('\n').repeated(5) + QByteArray(20, '#');

} // namespace

class TestForm1Scaling : public WindowTest {
    Q_OBJECT

public:
    // Runs before the application is created: the offscreen platform gets a 1920 x 1080 screen.
    static void initMain()
    {
        static QTemporaryDir configDir;
        const QString path = configDir.filePath(QStringLiteral("screen.json"));
        QFile config(path);
        if (config.open(QIODevice::WriteOnly))
            config.write(R"({"windowFrameMargins": false, "screens": [{"name": "Screen", "x": 0, "y": 0,)"
                         R"( "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96,)"
                         R"( "dpr": 1}]})");
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(path));
    }

private:
    QList<Design> design;

    // The window on a scheme folder holding small.dis, its controls recorded as the layout made
    // them; then shown, so that its first activation maximises it.
    void openWindow()
    {
        folder = std::make_unique<SchemeFolder>();
        QVERIFY(folder->isValid());
        folder->write(QStringLiteral("small.dis"), SmallScheme);
        folder->write(QStringLiteral("large.dis"), LargeScheme);
        createWindow();
        recordDesign();
        showWindow();
        QTRY_COMPARE(form->Schermo->size(), ScreenSize);
    }

    // Every control the window owns: all of them are children of Schermo.
    void recordDesign()
    {
        design.clear();
        for (int i = 0; i < form->componentCount(); ++i) {
            auto* control = qobject_cast<QWidget*>(form->component(i)->object());
            if (!control || control->parentWidget() != form->Schermo)
                continue;
            const bool hasFont = widgets::findPublishedProperty(control, u"Font").isValid();
            const QFont font = hasFont ? fontOf(control) : QFont();
            design.append({control, form->component(i)->name(), control->geometry(), hasFont,
                font.pixelSize(), widgets::fontPointSize(font), font.bold(), font.family()});
        }
    }

    QRect designBounds(const QString& name) const
    {
        for (const Design& d : design)
            if (d.name == name)
                return d.bounds;
        return {};
    }

    QWidget* control(const QString& name)
    {
        widgets::Component* c = form->findComponent(name);
        return c ? qobject_cast<QWidget*>(c->object()) : nullptr;
    }

    void restore()
    {
        form->showNormal();
        QTRY_COMPARE(form->Schermo->size(), DesignSize);
    }

    // Activation moves to another window of the program and back: FormActivate runs again.
    void reactivate()
    {
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void pick(const QString& entry)
    {
        const QList<QListWidgetItem*> found = form->CaricaSchemi->findItems(entry, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QRect r = form->CaricaSchemi->visualItemRect(found.first());
        QTest::mouseClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {}, r.center());
    }

    // Bounds, font size and item height of every control, one line each.
    QStringList snapshot() const
    {
        QStringList lines;
        for (const Design& d : design) {
            const QRect g = d.control->geometry();
            QString line = QStringLiteral("%1 %2,%3 %4x%5")
                               .arg(d.name)
                               .arg(g.x())
                               .arg(g.y())
                               .arg(g.width())
                               .arg(g.height());
            if (d.hasFont)
                line += QStringLiteral(" font %1").arg(fontOf(d.control).pixelSize());
            const QMetaProperty itemHeight = widgets::findPublishedProperty(d.control, u"ItemHeight");
            if (itemHeight.isValid())
                line += QStringLiteral(" items %1").arg(itemHeight.read(d.control).toInt());
            lines << line;
        }
        return lines;
    }

    // Every control at its design bounds and with its design font; all differences listed.
    void verifyDesignLayout()
    {
        QStringList wrong;
        for (const Design& d : design) {
            const QRect g = d.control->geometry();
            if (g != d.bounds)
                wrong << QStringLiteral("%1 at %2,%3 %4x%5")
                             .arg(d.name)
                             .arg(g.x())
                             .arg(g.y())
                             .arg(g.width())
                             .arg(g.height());
            if (!d.hasFont)
                continue;
            const QFont font = fontOf(d.control);
            if (font.pixelSize() != d.fontPixels || widgets::fontPointSize(font) != d.fontPoints
                || font.bold() != d.bold || font.family() != d.family)
                wrong << QStringLiteral("%1 font %2 px %3 pt")
                             .arg(d.name)
                             .arg(font.pixelSize())
                             .arg(widgets::fontPointSize(font));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    }

private slots:
    // The first activation maximises the window: Schermo fills the whole screen.
    void maximisedFillsTheScreen()
    {
        openWindow();
        QCOMPARE(design.size(), 716);
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        QCOMPARE(form->size(), ScreenSize);
        QCOMPARE(form->Schermo->geometry(), QRect(QPoint(0, 0), ScreenSize));
        QCOMPARE(form->Schermo->RefWidth(), ScreenSize.width());
        QCOMPARE(form->Schermo->RefHeight(), ScreenSize.height());
        QVERIFY(errors.isEmpty());
    }

    // Bounds at 1920 x 1080, worked out by hand from the design bounds in 814 x 629.
    void scaledBounds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("bounds");
        QTest::newRow("cell 1") << "suiEdit1" << QRect(675, 247, 47, 34);
        QTest::newRow("cell 221") << "suiEdit221" << QRect(1217, 625, 47, 34);
        QTest::newRow("cell 441") << "suiEdit441" << QRect(1760, 1003, 47, 34);
        QTest::newRow("box 693") << "suiEdit693" << QRect(1760, 1042, 47, 34);
        QTest::newRow("scheme list") << "CaricaSchemi" << QRect(19, 141, 333, 895);
        QTest::newRow("exit button") << "Esci" << QRect(1734, 7, 130, 36);
        QTest::newRow("click marker") << "Shape1" << QRect(675, 247, 47, 39);
        QTest::newRow("flag stripe") << "RichiamaLingua2" << QRect(1458, 7, 28, 36);
        QTest::newRow("print button") << "StampaCrucintarsio" << QRect(1528, 7, 186, 36);
        QTest::newRow("back button") << "BitBtn1" << QRect(24, 108, 330, 34);
        QTest::newRow("language combo box") << "SceltaLingua" << QRect(7, 3, 524, 53);
        QTest::newRow("spin button") << "SpinButton1" << QRect(1356, 9, 47, 53);
        QTest::newRow("check box") << "CheckBox1" << QRect(1170, 9, 153, 29);
        QTest::newRow("row guide line") << "Panel1" << QRect(663, 433, 1210, 5);
        QTest::newRow("column guide line") << "Panel5" << QRect(939, 239, 7, 840);
    }

    void scaledBounds()
    {
        QFETCH(QString, name);
        QFETCH(QRect, bounds);
        openWindow();
        QWidget* scaled = control(name);
        QVERIFY(scaled);
        QCOMPARE(scaled->geometry(), bounds);
        QCOMPARE(scaledRect(designBounds(name), DesignSize, ScreenSize), bounds);
    }

    // Every control that does not size itself (labels follow their text) lies where the rule
    // puts it. The rows above pin the rule with literal rectangles for each kind of control;
    // this sweep holds the remaining boxes to the same rule, restated here.
    void everyControlFollowsTheRule()
    {
        openWindow();
        for (const Design& d : design) {
            if (d.control->inherits("QLabel"))
                continue;
            const QRect expected = scaledRect(d.bounds, DesignSize, ScreenSize);
            QVERIFY2(d.control->geometry() == expected, qPrintable(d.name));
        }
    }

    // Every caption is shown whole at every size: each label is at least as wide as its text's
    // real advance and as high as its line. Fonts are whole points, so neighbouring sizes give
    // the same fonts (1024 x 768 and 1021 x 767: 9 points for the labels); the labels must
    // hold their captions there too, not only where the font changed.
    void captionsWhole_data()
    {
        QTest::addColumn<QString>("language"); // empty: the built-in Italian captions
        QTest::addColumn<QList<QSize>>("sizes");
        QTest::newRow("1024 x 768") << QString() << QList<QSize> {{1024, 768}};
        QTest::newRow("1366 x 768") << QString() << QList<QSize> {{1366, 768}};
        QTest::newRow("1920 x 1080") << QString() << QList<QSize> {{1920, 1080}};
        QTest::newRow("1280 x 1024") << QString() << QList<QSize> {{1280, 1024}};
        QTest::newRow("640 x 480") << QString() << QList<QSize> {{640, 480}};
        QTest::newRow("1024 x 768, then 1021 x 767: same fonts")
            << QString() << QList<QSize> {{1024, 768}, {1021, 767}};
        QTest::newRow("1366 x 768, then 1360 x 766: same fonts")
            << QString() << QList<QSize> {{1366, 768}, {1360, 766}};
        QTest::newRow("1920 x 1080, then 1900 x 1070, then 1921 x 1081")
            << QString() << QList<QSize> {{1920, 1080}, {1900, 1070}, {1921, 1081}};
        QTest::newRow("the design size, then one pixel less")
            << QString() << QList<QSize> {{814, 629}, {813, 628}};
        // Every shipped language, at the two sizes of the classroom's screens.
        QFile list(QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/lingue.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        for (const QByteArray& line : list.readAll().split('\n')) {
            const QString name = QString::fromUtf8(line).remove(QLatin1Char('\r'));
            if (name.isEmpty())
                continue;
            QTest::addRow("%s at 1024 x 768", line.constData()) << name << QList<QSize> {{1024, 768}};
            QTest::addRow("%s at 1920 x 1080", line.constData()) << name << QList<QSize> {{1920, 1080}};
        }
    }

    void captionsWhole()
    {
        QFETCH(QString, language);
        QFETCH(QList<QSize>, sizes);
        openWindow();
        pick(QStringLiteral("large.dis"));
        QCOMPARE(form->Label4->text(), QStringLiteral("125"));
        if (!language.isEmpty()) {
            const QString file = language + QStringLiteral(".lng");
            QVERIFY(QFile::copy(
                QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/") + file, folder->exeFolder() + file));
            form->SceltaLingua->setText(language);
            form->SceltaLinguaChange();
            QVERIFY(form->Esci->text() != QStringLiteral("ESCI") || language == QStringLiteral("italiano"));
        }
        restore();
        const QList<widgets::Label*> labels {form->Label1, form->Label2, form->Label4};
        // The text's real extent, fallback fonts included (Arabic and Chinese come from fonts of
        // their own): its advance, and the height of its line (a label) or of its ink (a button,
        // whose face is lower than its font's line and shows capitals).
        auto extent = [](const QFont& font, const QString& text, bool ink) {
            const QFontMetricsF metrics(font);
            const qreal line = std::max(metrics.ascent() + metrics.descent(),
                metrics.boundingRect(QRectF(), Qt::AlignLeft | Qt::TextSingleLine, text).height());
            return QSize(qCeil(metrics.horizontalAdvance(text)),
                qCeil(ink ? metrics.tightBoundingRect(text).height() : line));
        };
        for (const QSize size : sizes) {
            form->resize(size);
            QTRY_COMPARE(form->Schermo->size(), size);
            for (widgets::Label* label : labels) {
                const QSize needed = extent(label->font(), label->text(), false);
                QVERIFY2(label->width() >= needed.width() && label->height() >= needed.height(),
                    qPrintable(QStringLiteral("%1 \"%2\" at %3 x %4: %5 x %6 for %7 x %8")
                                   .arg(label->name(), label->text())
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(label->width())
                                   .arg(label->height())
                                   .arg(needed.width())
                                   .arg(needed.height())));
            }
            // The instruction line ends before the seconds begin.
            QVERIFY2(form->Label2->geometry().right() < form->Label1->x(), qPrintable(form->Label2->text()));
            // The buttons draw their captions inside a rectangle two pixels in from each side.
            for (widgets::SkinButton* button : {form->Esci, form->StampaCrucintarsio}) {
                const QSize needed = extent(button->font(), button->text(), true);
                QVERIFY2(button->width() - 4 >= needed.width() && button->height() - 2 >= needed.height(),
                    qPrintable(QStringLiteral("%1 \"%2\" at %3 x %4: %5 x %6 for %7 x %8")
                                   .arg(button->name(), button->text())
                                   .arg(size.width())
                                   .arg(size.height())
                                   .arg(button->width() - 4)
                                   .arg(button->height() - 2)
                                   .arg(needed.width())
                                   .arg(needed.height())));
            }
        }
        QCOMPARE(form->Label4->text(), QStringLiteral("125"));
        QVERIFY(errors.isEmpty());
    }

    // The boxes' fonts grow with the smaller proportion of their own client size: 47 x 34
    // from 20 x 20, so 12 points become 20 (0.6 * 34 = 20.4) and the line labels' 10 points
    // become 17 (0.5 * 34).
    void boxFontsGrow_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("pixels");
        QTest::newRow("cell 1") << 1 << 20 << 27;
        QTest::newRow("cell 441") << 441 << 20 << 27;
        QTest::newRow("row clue slot") << rowClueSlot(1, 1) << 20 << 27;
        QTest::newRow("column clue slot") << columnClueSlot(21, 5) << 20 << 27;
        QTest::newRow("row label") << rowLabel(1) << 17 << 23;
        QTest::newRow("column label 21 (box 693)") << columnLabel(21) << 17 << 23;
    }

    void boxFontsGrow()
    {
        QFETCH(int, n);
        QFETCH(int, points);
        QFETCH(int, pixels);
        openWindow();
        const int designPoints = n >= FirstRowLabel ? 10 : 12;
        QCOMPARE(scaledPoints(designPoints, QSize(20, 20), box(n)->size()), points);
        QCOMPARE(widgets::fontPointSize(box(n)->font()), points);
        QCOMPARE(box(n)->font().pixelSize(), pixels);
        QVERIFY(box(n)->font().bold());
    }

    // The other fonts follow the same rule on their own client sizes (point sizes worked out by
    // hand from the design fonts and client sizes).
    void otherFontsGrow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("points");
        QTest::newRow("exit button") << "Esci" << 24;
        QTest::newRow("print button") << "StampaCrucintarsio" << 24;
        QTest::newRow("scheme list") << "CaricaSchemi" << 13;
        QTest::newRow("back button") << "BitBtn1" << 20;
        QTest::newRow("check box") << "CheckBox1" << 13;
        QTest::newRow("guide line") << "Panel1" << 13;
    }

    void otherFontsGrow()
    {
        QFETCH(QString, name);
        QFETCH(int, points);
        openWindow();
        QWidget* scaled = control(name);
        const QRect designRect = designBounds(name);
        // The frame around the client area stays the same at any size.
        const QMargins frame = scaled->contentsMargins();
        const QSize designClient = designRect.size().shrunkBy(frame);
        int designPoints = 0;
        for (const Design& d : design)
            if (d.name == name)
                designPoints = d.fontPoints;
        const int expected = scaledPoints(designPoints, designClient, scaled->contentsRect().size());
        QVERIFY2(expected > designPoints, qPrintable(QString::number(expected)));
        QCOMPARE(expected, points);
        QCOMPARE(widgets::fontPointSize(fontOf(scaled)), points);
    }

    // Restored to the design size, every control returns to its design bounds and font exactly,
    // whatever the trip through 1920 x 1080 rounded.
    void backToDesignSize()
    {
        openWindow();
        QVERIFY(form->Esci->x() > 1000);
        restore();
        QVERIFY(!(form->windowState() & Qt::WindowMaximized));
        QCOMPARE(form->Schermo->geometry(), QRect(QPoint(0, 0), DesignSize));
        verifyDesignLayout();
        QVERIFY(errors.isEmpty());
    }

    // The row heights of the two lists grow with them and come back to the layout's heights.
    // The scheme list's client is 519 high: 18 / 519 in single precision times 519 is
    // 17.9999996 when the product is taken in double precision, so it truncates to 17; the
    // single-precision product, as for fonts, gives 18.
    void itemHeightsBackToDesign_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("restoredHeight"); // after one round trip
        // Item heights truncate the exact product of the client height and the single-precision
        // ratio: 519 x float(18 / 519) is 17.9999996, so the list comes back one pixel lower.
        QTest::newRow("scheme list") << "CaricaSchemi" << 17;
        QTest::newRow("language combo box") << "SceltaLingua" << 23;
    }

    void itemHeightsBackToDesign()
    {
        QFETCH(QString, name);
        QFETCH(int, restoredHeight);
        openWindow();
        QWidget* list = control(name);
        const QMetaProperty itemHeight = widgets::findPublishedProperty(list, u"ItemHeight");
        QVERIFY(itemHeight.isValid());
        QVERIFY(itemHeight.read(list).toInt() > restoredHeight);
        restore();
        QCOMPARE(itemHeight.read(list).toInt(), restoredHeight);
    }

    // Several round trips add no drift: each trip ends where the first one did, at both sizes,
    // item heights included.
    void repeatedRoundTrips()
    {
        openWindow();
        const QStringList scaled = snapshot();
        restore();
        const QStringList restored = snapshot();
        for (int trip = 0; trip < 3; ++trip) {
            form->showMaximized();
            QTRY_COMPARE(form->Schermo->size(), ScreenSize);
            QCOMPARE(snapshot(), scaled);
            restore();
            QCOMPARE(snapshot(), restored);
        }
        QVERIFY(errors.isEmpty());
    }

    // At the scaled size a real click on a cell puts the click marker under that cell: on it,
    // three pixels taller.
    void clickMarkerAtScaledSize_data()
    {
        QTest::addColumn<bool>("loadScheme");
        QTest::addColumn<int>("n");
        QTest::addColumn<QRect>("cellBounds");
        QTest::newRow("before any scheme, middle cell") << false << 221 << QRect(1217, 625, 47, 34);
        QTest::newRow("before any scheme, last cell") << false << 441 << QRect(1760, 1003, 47, 34);
        QTest::newRow("picture cell") << true << cell(2, 2) << QRect(729, 285, 47, 34);
        QTest::newRow("blank cell") << true << cell(1, 2) << QRect(729, 247, 47, 34);
    }

    void clickMarkerAtScaledSize()
    {
        QFETCH(bool, loadScheme);
        QFETCH(int, n);
        QFETCH(QRect, cellBounds);
        openWindow();
        if (loadScheme) {
            pick(QStringLiteral("small.dis"));
            QCOMPARE(form->Label4->text(), QStringLiteral("6"));
        }
        QCOMPARE(box(n)->geometry(), cellBounds);
        QTest::mouseClick(
            box(n), Qt::LeftButton, {}, QPoint(cellBounds.width() / 2, cellBounds.height() / 2));
        const QRect marker = form->Shape1->geometry();
        QCOMPARE(marker.left(), cellBounds.left());
        QCOMPARE(marker.top(), cellBounds.top());
        QCOMPARE(marker.width(), cellBounds.width());
        QCOMPARE(marker.height(), cellBounds.height() + 3);
        if (loadScheme)
            QCOMPARE(form->Label4->text(), n == cell(2, 2) ? QStringLiteral("5") : QStringLiteral("6"));
        QVERIFY(errors.isEmpty());
    }

    // In the fixed mode the proportions are captured once: the marker that the program moved
    // between resizes goes back to its captured place at the next resize, in both directions.
    void movedMarkerReturnsToCapturedProportions()
    {
        openWindow();
        QTest::mouseClick(box(221), Qt::LeftButton, {}, QPoint(20, 15));
        QCOMPARE(form->Shape1->geometry(), QRect(1217, 625, 47, 37));

        restore();
        QCOMPARE(form->Shape1->geometry(), QRect(286, 144, 20, 23));

        QTest::mouseClick(box(441), Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(form->Shape1->geometry(), QRect(746, 584, 20, 23));
        form->showMaximized();
        QTRY_COMPARE(form->Schermo->size(), ScreenSize);
        QCOMPARE(form->Shape1->geometry(), QRect(675, 247, 47, 39));
        QVERIFY(errors.isEmpty());
    }

    // Restoring the window to a smaller size rescales every control; the next activation
    // maximises it again and scales everything up once more.
    void restoreThenNextActivationMaximises()
    {
        openWindow();
        restore();
        QCOMPARE(box(1)->geometry(), designBounds(QStringLiteral("suiEdit1")));
        QCOMPARE(form->Esci->geometry(), designBounds(QStringLiteral("Esci")));
        QCOMPARE(box(1)->font().pixelSize(), 16);
        reactivate();
        QTRY_VERIFY(form->windowState() & Qt::WindowMaximized);
        QTRY_COMPARE(form->Schermo->size(), ScreenSize);
        QCOMPARE(box(1)->geometry(), QRect(675, 247, 47, 34));
        QCOMPARE(box(693)->geometry(), QRect(1760, 1042, 47, 34));
        QCOMPARE(form->CaricaSchemi->geometry(), QRect(19, 141, 333, 895));
        QCOMPARE(box(1)->font().pixelSize(), 27);
        QVERIFY(errors.isEmpty());
    }
};

QTEST_MAIN(TestForm1Scaling)
#include "tst_form1scaling.moc"
