// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the handlers by control kind: which handlers each Qt kind gets, each property handler's capture
// and apply, the combo-box rule and the page rules.
#include "scalingfixture.h"

#include "errors.h"
#include "fonts.h"
#include "scalablekinds.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeView>

#include <functional>

using namespace scaling;

namespace {

using Maker = std::function<QWidget*(QWidget* parent)>;

QStringList handlerKinds(const PropertyHandlerList& list)
{
    QStringList kinds;
    for (const auto& h : list) {
        const TMRPropertyHandler& handler = *h;
        QString kind = QString::fromLatin1(handler.kind());
        if (auto* font = dynamic_cast<const TMRFont*>(&handler))
            kind += QLatin1Char(':') + font->PropName;
        kinds << kind;
    }
    return kinds;
}

// A control of the widget set that publishes no "Font" (a shape): bounds only.
class ShapeLike : public QWidget, public widgets::Component {
    Q_OBJECT
public:
    explicit ShapeLike(QWidget* parent)
        : QWidget(parent)
        , widgets::Component(this, nullptr)
    {
    }
};

// A label that publishes AutoSize, as the widget set's label does.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize MEMBER autoSize)
public:
    bool autoSize = false;
};

} // namespace

Q_DECLARE_METATYPE(Maker)

class TestScalingHandlers : public ScalingTest {
    Q_OBJECT

private slots:
    void kindTable_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<QStringList>("kinds");
        auto row
            = [](const char* name, Maker make, QStringList kinds) { QTest::newRow(name) << make << kinds; };
        row("plain widget: Qt's font", [](QWidget* p) { return new QWidget(p); }, {"TMRFont:Font"});
        row("widget-set shape: none", [](QWidget* p) { return new ShapeLike(p); }, {});
        row("list box", [](QWidget* p) { return new ListBox(p, nullptr, "L"); },
            {"TMRFont:Font", "TMRItemHeight"});
        row("combo box", [](QWidget* p) { return new FontHeightComboBox(p, nullptr, "C"); },
            {"TMRFont:Font", "TMRItemHeight"});
        row("scroll box", [](QWidget* p) { return new ScrollBox(p, nullptr, "S"); },
            {"TMRFont:Font", "TMRScrollBox"});
        row("grid", [](QWidget* p) { return new DrawGrid(p, nullptr, "G", 2, 2); },
            {"TMRFont:Font", "TMRDrawGrid"});
        row("tab set", [](QWidget* p) { return new TabSet(p, nullptr, "T"); }, {"TMRFont:Font", "TMRTabSet"});
        row("speed button", [](QWidget* p) { return new SpeedButton(p, nullptr, "B"); },
            {"TMRFont:Font", "TMRMarginSpacing"});
        row("page control", [](QWidget* p) { return new PageControl(p, nullptr, "P"); },
            {"TMRFont:Font", "TMRTab"});
        row("tabbed notebook", [](QWidget* p) { return new TabbedNotebook(p, nullptr, "N"); },
            {"TMRFont:Font", "TMRFont:TabFont", "TMRTab"});
        row("image", [](QWidget* p) { return new Image(p, nullptr, "I"); }, {"TMRStretch"});
        row("label", [](QWidget* p) { return new QLabel(p); }, {"TMRFont:Font", "TMRAutoSize"});
        row("status bar", [](QWidget* p) { return new StatusBar(p, nullptr, "S"); },
            {"TMRFont:Font", "TMRStatusBar"});
        row("header", [](QWidget* p) { return new HeaderControl(p, nullptr, "H"); },
            {"TMRFont:Font", "TMRHeaderControl"});
        row("list view", [](QWidget* p) { return new ListView(p, nullptr, "V"); },
            {"TMRFont:Font", "TMRListView"});
        row("tree view", [](QWidget* p) { return new TreeView(p, nullptr, "R"); },
            {"TMRFont:Font", "TMRTreeView"});
        row("notebook: page rules only", [](QWidget* p) { return new QStackedWidget(p); }, {"TMRFont:Font"});
    }
    void kindTable()
    {
        QFETCH(Maker, make);
        QFETCH(QStringList, kinds);
        TNoBDEResizerPanel panel(nullptr, nullptr, QStringLiteral("P"));
        QWidget* control = make(&panel);
        PropertyHandlerList list;
        panel.CreatePropertyHandlers(control, list);
        QCOMPARE(handlerKinds(list), kinds);
    }

    void noProperty_data()
    {
        QTest::addColumn<Maker>("make");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("madeBefore");
        auto row = [](const char* name, Maker make, const char* message) {
            QTest::newRow(name) << make << QString::fromLatin1(message) << 1;
        };
        row(
            "combo box", [](QWidget* p) { return new QComboBox(p); }, "No ItemHeight property");
        row(
            "list widget", [](QWidget* p) { return new QListWidget(p); }, "No ItemHeight property");
        row(
            "scroll area", [](QWidget* p) { return new QScrollArea(p); }, "No HorzScrollBar property");
        row(
            "table", [](QWidget* p) { return new QTableWidget(p); }, "No DefaultColWidth property");
        row(
            "tab bar", [](QWidget* p) { return new QTabBar(p); }, "No TabHeight property");
        row(
            "tab widget", [](QWidget* p) { return new QTabWidget(p); }, "No TabWidth property");
        row(
            "status bar", [](QWidget* p) { return new QStatusBar(p); }, "No Panels property");
        row(
            "header", [](QWidget* p) { return new QHeaderView(Qt::Horizontal, p); }, "No Sections property");
        row(
            "list view", [](QWidget* p) { return new QListView(p); }, "No Columns property");
        row(
            "tree view", [](QWidget* p) { return new QTreeView(p); }, "No Indent property");
    }
    void noProperty()
    {
        QFETCH(Maker, make);
        QFETCH(QString, message);
        QFETCH(int, madeBefore);
        TNoBDEResizerPanel panel(nullptr, nullptr, QStringLiteral("P"));
        QWidget* control = make(&panel);
        PropertyHandlerList list;
        QString thrown;
        try {
            panel.CreatePropertyHandlers(control, list);
        } catch (const ScalingError& e) {
            thrown = QString::fromUtf8(e.what());
        }
        QCOMPARE(thrown, message);
        QCOMPARE(int(list.size()), madeBefore);
    }

    void comboBoxRule_data()
    {
        QTest::addColumn<int>("fontHeight");
        QTest::addColumn<int>("expected");
        QTest::newRow("cell height 21") << 21 << 30;
        QTest::newRow("character height 21 (16 points)") << -21 << 30;
        QTest::newRow("cell height 25") << 25 << 34;
    }
    void comboBoxRule()
    {
        QFETCH(int, fontHeight);
        QFETCH(int, expected);
        // Wanted 40 high: 31 of 310, on a parent that becomes 400 high.
        QWidget parent;
        parent.resize(300, 310);
        FontHeightComboBox combo(&parent, nullptr, QStringLiteral("SceltaLingua"));
        combo.setGeometry(3, 0, 222, 31);
        combo.setFontHeight(fontHeight);
        TMRControlHandlerVCL handler(&combo);
        handler.Capture(300, 310);
        parent.resize(300, 400);
        QRect bounds;
        handler.ApplyBounds(bounds);
        QCOMPARE(bounds.height(), 40);
        QCOMPARE(combo.height(), 40);
        QCOMPARE(combo.fontHeight(), expected);
    }

    // The search for the largest pixel size whose cell fits starts from the font's present
    // ratio; starting fonts far from the answer make it step up or down a long way.
    void fontCellHeightSearch_data()
    {
        QTest::addColumn<int>("startPixels");
        QTest::addColumn<int>("cellHeight");
        QTest::newRow("from a tiny font to a tall cell") << 1 << 40;
        QTest::newRow("from a large font to a short cell") << 90 << 12;
        QTest::newRow("the combo box's font, a maximised window") << 21 << 38;
        QTest::newRow("a cell of 1 pixel") << 21 << 1;
        QTest::newRow("no font size fits but 1") << 21 << 0;
    }
    void fontCellHeightSearch()
    {
        QFETCH(int, startPixels);
        QFETCH(int, cellHeight);
        QFont font = widgets::layoutFont(QStringLiteral("Courier New"), startPixels, true);
        setFontCellHeight(font, cellHeight);
        const int found = font.pixelSize();
        auto cellOf = [](int pixels) {
            QFont f = widgets::layoutFont(QStringLiteral("Courier New"), pixels, true);
            return fontCellHeight(f);
        };
        QVERIFY(found >= 1);
        QVERIFY2(found == 1 || cellOf(found) <= cellHeight, qPrintable(QString::number(found)));
        // No larger size up to the cell height fits.
        for (int larger = found + 1; larger <= cellHeight; ++larger)
            QVERIFY2(cellOf(larger) > cellHeight, qPrintable(QStringLiteral("%1 fits too").arg(larger)));
    }

    void comboBoxFontHandlerRunsAfter()
    {
        Fixture f(300, 310);
        auto* combo = new FontHeightComboBox(f.panel, &f.form, QStringLiteral("SceltaLingua"));
        combo->setGeometry(3, 0, 222, 31);
        combo->setFontHeight(-21);
        QVERIFY(f.show());
        f.resize(300, 400);
        QCOMPARE(combo->height(), 40);
        // The font handler has the last word: 16 points * min(222/222, 40/31), truncated.
        QCOMPARE(widgets::fontPointSize(combo->font()), 16);
        QCOMPARE(combo->fontHeight(), -21);
    }

    void tabSizes_data()
    {
        QTest::addColumn<int>("tabWidth");
        QTest::addColumn<int>("tabHeight");
        QTest::addColumn<int>("newHeight");
        QTest::addColumn<int>("expectedWidth");
        QTest::addColumn<int>("expectedHeight");
        QTest::newRow("automatic stays 0") << 0 << 0 << 40 << 0 << 0;
        QTest::newRow("2 becomes 1, not 0") << 0 << 2 << 40 << 0 << 1;
        QTest::newRow("fixed width scales") << 50 << 20 << 200 << 50 << 40;
    }
    void tabSizes()
    {
        QFETCH(int, tabWidth);
        QFETCH(int, tabHeight);
        QFETCH(int, newHeight);
        QFETCH(int, expectedWidth);
        QFETCH(int, expectedHeight);
        Fixture f(100, 100);
        auto* pages = new PageControl(f.panel, &f.form, QStringLiteral("Pages"));
        pages->addTab(new QWidget, QStringLiteral("Uno"));
        pages->setGeometry(0, 0, 100, 100);
        pages->setTabWidth(tabWidth);
        pages->setTabHeight(tabHeight);
        QVERIFY(f.show());
        f.resize(100, newHeight);
        QCOMPARE(pages->size(), QSize(100, newHeight));
        QCOMPARE(pages->tabWidth(), expectedWidth);
        QCOMPARE(pages->tabHeight(), expectedHeight);
    }

    void marginSpacing()
    {
        Fixture f(100, 100, true);
        auto* button = new SpeedButton(f.panel, &f.form, QStringLiteral("BitBtn1"));
        button->setGeometry(0, 0, 40, 20);
        QVERIFY(f.show());
        f.resize(200, 100);
        QCOMPARE(button->width(), 80);
        QCOMPARE(button->margin(), -1);
        QCOMPARE(button->spacing(), 4);
        // Once the program sets a margin, the next capture records it and resizes scale both.
        button->setMargin(4);
        f.resize(300, 100);
        QCOMPARE(button->width(), 120);
        QCOMPARE(button->margin(), 6);
        QCOMPARE(button->spacing(), 6);
        f.resize(100, 100);
        QCOMPARE(button->margin(), 2);
        QCOMPARE(button->spacing(), 2);
    }

    void marginAutomaticInFixedMode()
    {
        Fixture f(100, 100);
        auto* button = new SpeedButton(f.panel, &f.form, QStringLiteral("BitBtn1"));
        button->setGeometry(0, 0, 40, 20);
        QVERIFY(f.show());
        button->setMargin(4);
        f.resize(300, 100);
        QCOMPARE(button->margin(), 4);
        QCOMPARE(button->spacing(), 4);
    }

    // A side of 0 that a handler's ratios are taken against gives no ratio and leaves the
    // handler Invalid; a side of 0 that it does not use does not.
    void emptyClientSide_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("marginsInvalid"); // margin and spacing: against the width
        QTest::addColumn<bool>("tabSetInvalid"); // tab height against the height, margins the width
        QTest::newRow("neither side 0") << QSize(40, 20) << false << false;
        QTest::newRow("height 0") << QSize(40, 0) << false << true;
        QTest::newRow("width 0") << QSize(0, 20) << true << true;
    }

    void emptyClientSide()
    {
        QFETCH(QSize, size);
        QFETCH(bool, marginsInvalid);
        QFETCH(bool, tabSetInvalid);
        QWidget parent;
        auto* button = new SpeedButton(&parent, nullptr, QStringLiteral("B"));
        button->setMargin(4);
        button->resize(size);
        auto* tabs = new TabSet(&parent, nullptr, QStringLiteral("T"));
        tabs->resize(size);
        TMRMarginSpacing margins(button);
        margins.Capture();
        QCOMPARE(margins.Invalid, marginsInvalid);
        TMRTabSet tabSet(tabs);
        tabSet.Capture();
        QCOMPARE(tabSet.Invalid, tabSetInvalid);
    }

    void gridLineWidthAtLeastOne()
    {
        Fixture f(100, 100);
        auto* grid = new DrawGrid(f.panel, &f.form, QStringLiteral("Grid"), 2, 2);
        grid->setFrameShape(QFrame::NoFrame);
        grid->setGeometry(0, 0, 100, 100);
        grid->setDefaultColWidth(20);
        grid->setDefaultRowHeight(10);
        grid->setColumnWidth(1, 30);
        QVERIFY(f.show());
        f.resize(40, 40);
        QCOMPARE(grid->gridLineWidth(), 1);
        QCOMPARE(grid->defaultColWidth(), 8);
        QCOMPARE(grid->defaultRowHeight(), 4);
        QCOMPARE(grid->columnWidth(0), 8);
        QCOMPARE(grid->columnWidth(1), 12);
        // 1/100 in single precision is a little under 0.01: 200 wide gives 1.9999 -> 1.
        f.resize(250, 250);
        QCOMPARE(grid->gridLineWidth(), 2);
        QCOMPARE(grid->columnWidth(1), 75);
    }

    void gridNewColumnRecaptures()
    {
        Fixture f(100, 100, true);
        auto* grid = new DrawGrid(f.panel, &f.form, QStringLiteral("Grid"), 2, 2);
        grid->setFrameShape(QFrame::NoFrame);
        grid->setGeometry(0, 0, 100, 100);
        grid->setDefaultColWidth(20);
        grid->setDefaultRowHeight(10);
        QVERIFY(f.show());
        f.resize(200, 200);
        QCOMPARE(grid->columnWidth(0), 40);
        grid->setRowHeight(0, 30); // program's change, kept in proportion only with a re-capture
        grid->insertColumn(2);
        grid->setColumnWidth(2, 50);
        f.resize(100, 100);
        QCOMPARE(grid->columnWidth(0), 20);
        QCOMPARE(grid->columnWidth(2), 25);
        QCOMPARE(grid->rowHeight(0), 15);
        QCOMPARE(grid->rowHeight(1), 10);
    }

    void statusBarRecapture()
    {
        Fixture f(200, 100, true);
        auto* bar = new StatusBar(f.panel, &f.form, QStringLiteral("Bar"));
        bar->setGeometry(0, 80, 200, 20);
        bar->addPanel(50);
        bar->addPanel(30);
        QVERIFY(f.show());
        f.resize(400, 100);
        QCOMPARE(bar->width(), 400);
        QCOMPARE(bar->panels()->width(0), 100);
        QCOMPARE(bar->panels()->width(1), 60);
        bar->addPanel(20);
        f.resize(200, 100);
        QCOMPARE(bar->panels()->width(0), 50);
        QCOMPARE(bar->panels()->width(1), 30);
        QCOMPARE(bar->panels()->width(2), 10);
    }

    void listViewRecapture()
    {
        Fixture f(200, 100, true);
        auto* view = new ListView(f.panel, &f.form, QStringLiteral("View"));
        view->setFrameShape(QFrame::NoFrame);
        view->setGeometry(0, 0, 200, 100);
        view->addColumn(50);
        QVERIFY(f.show());
        f.resize(400, 100);
        QCOMPARE(view->columns()->width(0), 100);
        view->columns()->setWidth(0, 80);
        f.resize(200, 100);
        QCOMPARE(view->columns()->width(0), 40);
    }

    void headerRecapture()
    {
        Fixture f(200, 100, true);
        auto* header = new HeaderControl(f.panel, &f.form, QStringLiteral("Header"));
        header->setFrameShape(QFrame::NoFrame);
        header->setGeometry(0, 0, 200, 20);
        header->addSection(QStringLiteral("A"), 50, 10, 100);
        QVERIFY(f.show());
        HeaderSections* s = header->sections();
        f.resize(400, 100);
        QCOMPARE(s->width(0), 100);
        QCOMPARE(s->minWidth(0), 20);
        QCOMPARE(s->maxWidth(0), 200);
        // Only the width changed: only the width ratio is recorded afresh (60 of 400).
        s->setWidth(0, 60);
        f.resize(200, 100);
        QCOMPARE(s->width(0), 30);
        QCOMPARE(s->minWidth(0), 10);
        QCOMPARE(s->maxWidth(0), 100);
        // Min and max keep their old ratios even when the width was re-recorded alone.
        s->setWidth(0, 40);
        f.resize(100, 100);
        QCOMPARE(s->width(0), 20);
        QCOMPARE(s->minWidth(0), 5);
        QCOMPARE(s->maxWidth(0), 50);
        // A changed minimum re-records all three.
        s->setMinWidth(0, 10);
        s->setMaxWidth(0, 80);
        f.resize(200, 100);
        QCOMPARE(s->minWidth(0), 20);
        QCOMPARE(s->maxWidth(0), 160);
        QCOMPARE(s->width(0), 40);
    }

    void scrollBoxBackAtOrigin_data()
    {
        QTest::addColumn<bool>("allowChanges");
        QTest::newRow("changes allowed") << true;
    }
    void scrollBoxBackAtOrigin()
    {
        Fixture f(200, 200, true);
        auto* box = new ScrollBox(f.panel, &f.form, QStringLiteral("Box"));
        box->setFrameShape(QFrame::NoFrame);
        box->setGeometry(0, 0, 100, 100);
        box->horzScrollBar()->setRange(300);
        box->vertScrollBar()->setRange(400);
        QWidget* inside = ::box(box->content(), 10, 10, 30, 30);
        QVERIFY(f.show());
        f.resize(400, 400);
        QCOMPARE(box->horzScrollBar()->range(), 600);
        QCOMPARE(box->vertScrollBar()->range(), 800);
        QCOMPARE(inside->geometry(), QRect(20, 20, 60, 60));
        box->horzScrollBar()->setPosition(30);
        box->vertScrollBar()->setPosition(40);
        QCOMPARE(box->horzScrollBar()->position(), 30);
        // Nothing else changed, and still the capture scrolls back.
        f.resize(400, 401);
        QCOMPARE(box->horzScrollBar()->position(), 0);
        QCOMPARE(box->vertScrollBar()->position(), 0);
        f.resize(200, 200);
        QCOMPARE(box->horzScrollBar()->range(), 300);
        QCOMPARE(inside->geometry(), QRect(10, 10, 30, 30));
    }

    void notebookPageIndexKept_data()
    {
        QTest::addColumn<int>("current");
        QTest::newRow("first") << 0;
        QTest::newRow("middle") << 1;
        QTest::newRow("last") << 2;
    }
    void notebookPageIndexKept()
    {
        QFETCH(int, current);
        Fixture f(200, 200, true);
        auto* notebook = new QStackedWidget(f.panel);
        notebook->setGeometry(0, 0, 100, 100);
        for (int i = 0; i < 3; ++i)
            notebook->addWidget(new QWidget);
        notebook->setCurrentIndex(current);
        QVERIFY(f.show());
        QSignalSpy shown(notebook, &QStackedWidget::currentChanged);
        f.resize(400, 400);
        QCOMPARE(notebook->currentIndex(), current);
        // Every page was shown once during the capture.
        QVERIFY(shown.count() >= 2);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(notebook->widget(i)->size(), QSize(200, 200));
    }

    void pageControlPagesFollow()
    {
        Fixture f(200, 200);
        QVERIFY(f.show());
        // Made after the first resize, so its layout has settled when the next one captures it.
        auto* pages = new PageControl(f.panel, &f.form, QStringLiteral("Pages"));
        pages->setGeometry(0, 0, 200, 200);
        QWidget* first = new QWidget;
        QWidget* second = new QWidget;
        pages->addTab(first, QStringLiteral("Uno"));
        pages->addTab(second, QStringLiteral("Due"));
        QWidget* onSecond = ::box(second, 10, 10, 20, 20);
        pages->show();
        QCoreApplication::processEvents();
        const int before = first->width();
        f.resize(400, 400);
        QCOMPARE(second->geometry(), first->geometry());
        const double scale = double(first->width()) / before;
        QVERIFY(scale > 1.9);
        QVERIFY(qAbs(onSecond->width() - 20 * scale) <= 1.0);
        QVERIFY(qAbs(onSecond->x() - 10 * scale) <= 1.0);
    }

    void tabbedNotebookTabFont()
    {
        Fixture f(200, 200);
        auto* notebook = new TabbedNotebook(f.panel, &f.form, QStringLiteral("Notebook"));
        notebook->setGeometry(0, 0, 200, 200);
        notebook->addTab(new QWidget, QStringLiteral("Uno"));
        QFont font = notebook->tabFont();
        widgets::setFontPointSize(font, 8);
        notebook->setTabFont(font);
        QVERIFY(f.show());
        f.resize(400, 400);
        QCOMPARE(widgets::fontPointSize(notebook->tabFont()), 16);
        QCOMPARE(notebook->currentWidget()->geometry().topLeft(), QPoint(0, 0));
        QVERIFY(!notebook->currentWidget()->geometry().isEmpty());
    }

    void itemHeight_data()
    {
        QTest::addColumn<int>("designHeight");
        QTest::addColumn<int>("itemHeight");
        QTest::addColumn<int>("newHeight");
        QTest::addColumn<int>("expected");
        QTest::newRow("doubled") << 521 << 18 << 1042 << 36;
        QTest::newRow("truncated") << 521 << 18 << 100 << 3;
        // Unlike the font, the product is exact: 6/19 * 38 is 11.9999995, truncated to 11.
        QTest::newRow("exact product") << 19 << 6 << 38 << 11;
    }
    void itemHeight()
    {
        QFETCH(int, designHeight);
        QFETCH(int, itemHeight);
        QFETCH(int, newHeight);
        QFETCH(int, expected);
        Fixture f(200, designHeight);
        auto* list = new ListBox(f.panel, &f.form, QStringLiteral("CaricaSchemi"));
        list->setFrameShape(QFrame::NoFrame);
        list->setGeometry(8, 0, 141, designHeight);
        list->setItemHeight(itemHeight);
        QVERIFY(f.show());
        f.resize(200, newHeight);
        QCOMPARE(list->height(), newHeight);
        QCOMPARE(list->itemHeight(), expected);
    }

    void treeIndent()
    {
        Fixture f(200, 200);
        auto* tree = new TreeView(f.panel, &f.form, QStringLiteral("Tree"));
        tree->setFrameShape(QFrame::NoFrame);
        tree->setGeometry(0, 0, 200, 200);
        tree->setIndentation(20);
        QVERIFY(f.show());
        f.resize(300, 200);
        QCOMPARE(tree->indentation(), 30);
    }

    void diagnose_data()
    {
        QTest::addColumn<bool>("flag");
        QTest::addColumn<QString>("stretchAdvice");
        QTest::addColumn<QString>("autoSizeAdvice");
        QTest::newRow("on") << true << QString() << QStringLiteral("Set AutoSize to False");
        QTest::newRow("off") << false << QStringLiteral("Set Stretch to True") << QString();
    }
    void diagnose()
    {
        QFETCH(bool, flag);
        QFETCH(QString, stretchAdvice);
        QFETCH(QString, autoSizeAdvice);
        Image image(nullptr, nullptr, QStringLiteral("Image1"));
        image.setScaledContents(flag);
        QCOMPARE(TMRStretch(&image).Diagnose(), stretchAdvice);
        AutoSizeLabel label;
        label.autoSize = flag;
        QCOMPARE(TMRAutoSize(&label).Diagnose(), autoSizeAdvice);
    }

    // A rescale that leaves the font as it was gives an auto-sized label its caption's size
    // back, however narrow the proportional bounds; without AutoSize the bounds stay.
    void autoSizeAfterRescale_data()
    {
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<QSize>("size");
        QTest::newRow("on: the caption's size") << true << QSize();
        QTest::newRow("off: the scaled bounds") << false << QSize(7, 14);
    }
    void autoSizeAfterRescale()
    {
        QFETCH(bool, autoSize);
        QFETCH(QSize, size);
        Fixture f(400, 300);
        auto* label = new AutoSizeLabel;
        label->setParent(f.panel);
        label->autoSize = autoSize;
        QFont font = label->font();
        widgets::setFontPointSize(font, 8);
        label->setFont(font);
        label->setText(QStringLiteral("0"));
        label->setGeometry(10, 10, 7, 14);
        QVERIFY(f.show());
        label->setText(QStringLiteral("125"));
        f.resize(402, 301);
        QCOMPARE(widgets::fontPointSize(label->font()), 8);
        QCOMPARE(label->pos(), QPoint(10, 10));
        if (size.isValid()) {
            QCOMPARE(label->size(), size);
        } else {
            QCOMPARE(label->size(), label->sizeHint());
            QVERIFY(label->width() > 14);
        }
    }

    void diagnoseMissingProperty()
    {
        // Asked of a plain QLabel, which publishes no AutoSize.
        QLabel plain;
        try {
            TMRAutoSize(&plain).Diagnose();
            QFAIL("no failure");
        } catch (const ScalingError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("No AutoSize property"));
        }
    }

    void fontDiagnose()
    {
        QWidget w;
        w.setFont(QFont(QStringLiteral("Liberation Mono")));
        QCOMPARE(TMRFont(&w).Diagnose(), QString());
    }

    void valueList()
    {
        TMRLValues values;
        QCOMPARE(values.count(), 0);
        QCOMPARE(values.value(0), 0);
        QCOMPARE(values.ratio(0), 0.0f);
        values.setValue(0, 5);
        QCOMPARE(values.count(), 0);
        values.append(7, 0.5f);
        values.setValue(0, 9);
        values.setValue(1, 3);
        QCOMPARE(values.count(), 1);
        QCOMPARE(values.value(0), 9);
        QCOMPARE(values.ratio(0), 0.5f);
        QCOMPARE(values.value(-1), 0);
        values.clear();
        QCOMPARE(values.count(), 0);
    }
};

QTEST_MAIN(TestScalingHandlers)
#include "tst_handlers.moc"
