// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the scaling panel: proportional bounds, fonts, collection order and the modes.
#include "scalingfixture.h"

#include "errors.h"
#include "fonts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>

#include <memory>

using namespace scaling;

namespace {

int points(const QWidget* w)
{
    return widgets::fontPointSize(w->font());
}

void setPoints(QWidget* w, int size)
{
    QFont f = w->font();
    widgets::setFontPointSize(f, size);
    w->setFont(f);
}

// A combo box that publishes "Font" but no "ItemHeight": its item-height handler cannot be made.
class BareCombo : public QComboBox, public widgets::Component {
    Q_OBJECT
    Q_PROPERTY(QFont Font READ font WRITE setFont)
public:
    BareCombo(QWidget* parent, widgets::Component* owner)
        : QComboBox(parent)
        , widgets::Component(this, owner, QStringLiteral("Bare"))
    {
    }
};

// A control of the tree owned by the form, like every control of the main window.
class OwnedBox : public QWidget, public widgets::Component {
public:
    OwnedBox(QWidget* parent, widgets::Component* owner)
        : QWidget(parent)
        , widgets::Component(this, owner)
    {
    }
};

} // namespace

class TestResizerPanel : public ScalingTest {
    Q_OBJECT

private slots:
    void bounds_data()
    {
        QTest::addColumn<QSize>("design");
        QTest::addColumn<QRect>("child");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("doubled") << QSize(814, 629) << QRect(100, 50, 20, 21) << QSize(1628, 1258)
                                 << QRect(200, 100, 40, 42);
        QTest::newRow("2.5 goes to 2")
            << QSize(10, 10) << QRect(0, 0, 5, 10) << QSize(5, 10) << QRect(0, 0, 2, 10);
        QTest::newRow("3.5 goes to 4")
            << QSize(10, 10) << QRect(0, 0, 5, 10) << QSize(7, 10) << QRect(0, 0, 4, 10);
        QTest::newRow("halves in every edge")
            << QSize(10, 10) << QRect(5, 5, 5, 5) << QSize(5, 7) << QRect(2, 4, 2, 4);
        QTest::newRow("zero size") << QSize(814, 629) << QRect(100, 50, 20, 21) << QSize(0, 0)
                                   << QRect(0, 0, 0, 0);
    }
    void bounds()
    {
        QFETCH(QSize, design);
        QFETCH(QRect, child);
        QFETCH(QSize, size);
        QFETCH(QRect, expected);
        Fixture f(design.width(), design.height());
        QWidget* w = box(f.panel, child.x(), child.y(), child.width(), child.height());
        QVERIFY(f.show());
        f.resize(size.width(), size.height());
        QCOMPARE(w->geometry(), expected);
        // The fixed mode never re-captures: the design size restores every bound exactly.
        f.resize(design.width(), design.height());
        QCOMPARE(w->geometry(), child);
    }

    void roundTrip_data()
    {
        QTest::addColumn<bool>("allowChanges");
        QTest::newRow("fixed") << false;
        QTest::newRow("changes allowed") << true;
    }
    void roundTrip()
    {
        QFETCH(bool, allowChanges);
        Fixture f(814, 629, allowChanges);
        std::vector<std::pair<QWidget*, QRect>> boxes;
        // The board's pattern: 20 x 20 boxes at odd offsets, and a nested container.
        for (int i = 0; i < 60; ++i) {
            const QRect r(281 + (i % 21) * 24, 144 + (i / 21) * 23, 20, 20);
            boxes.emplace_back(box(f.panel, r.x(), r.y(), r.width(), r.height()), r);
        }
        QWidget* container = box(f.panel, 8, 82, 141, 521);
        boxes.emplace_back(container, container->geometry());
        boxes.emplace_back(box(container, 3, 7, 50, 13), QRect(3, 7, 50, 13));
        QVERIFY(f.show());
        for (const QSize size : {QSize(1920, 1080), QSize(1024, 768), QSize(800, 1000), QSize(814, 629)})
            f.resize(size.width(), size.height());
        for (const auto& [w, design] : boxes)
            QCOMPARE(w->geometry(), design);
    }

    void fonts_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("design");
        QTest::addColumn<QSize>("resized");
        QTest::addColumn<int>("expected");
        QTest::newRow("40 x 30 takes the smaller ratio") << QSize(20, 20) << 8 << QSize(40, 30) << 12;
        QTest::newRow("25 x 25") << QSize(20, 20) << 8 << QSize(25, 25) << 10;
        QTest::newRow("20 x 20 keeps 8") << QSize(20, 20) << 8 << QSize(20, 20) << 8;
        QTest::newRow("41 x 41 loses a point") << QSize(41, 41) << 8 << QSize(41, 41) << 7;
        // The product is rounded to single precision first: 6/19 * 38 is 12.0 there, 11.9999995 exactly.
        QTest::newRow("single-precision product") << QSize(19, 19) << 6 << QSize(38, 38) << 12;
        QTest::newRow("0 x 0 gives 1") << QSize(20, 20) << 8 << QSize(0, 0) << 1;
    }
    void fonts()
    {
        QFETCH(QSize, client);
        QFETCH(int, design);
        QFETCH(QSize, resized);
        QFETCH(int, expected);
        // The child fills a panel of its own size, so the panel's size is the child's.
        Fixture f(client.width(), client.height());
        QWidget* w = box(f.panel, 0, 0, client.width(), client.height());
        setPoints(w, design);
        QVERIFY(f.show());
        f.resize(resized.width(), resized.height());
        QCOMPARE(w->size(), resized);
        QCOMPARE(points(w), expected);
    }

    void zeroSizeAndBack()
    {
        Fixture f(814, 629);
        QWidget* a = box(f.panel, 100, 50, 20, 21);
        QWidget* b = box(f.panel, 281, 144, 20, 20);
        setPoints(a, 12);
        setPoints(b, 10);
        QVERIFY(f.show());
        QCOMPARE(points(a), 12);
        QCOMPARE(points(b), 10);
        f.resize(0, 0);
        QCOMPARE(a->geometry(), QRect());
        QCOMPARE(b->geometry(), QRect());
        QCOMPARE(points(a), 1);
        QCOMPARE(points(b), 1);
        f.resize(814, 629);
        QCOMPARE(a->geometry(), QRect(100, 50, 20, 21));
        QCOMPARE(b->geometry(), QRect(281, 144, 20, 20));
        QCOMPARE(points(a), 12);
        QCOMPARE(points(b), 10);
    }

    void collectionOrder()
    {
        Fixture f(400, 300);
        QWidget* a = box(f.panel, 0, 0, 10, 10);
        QWidget* b = box(f.panel, 20, 0, 100, 100);
        QWidget* b1 = box(b, 1, 1, 10, 10);
        QWidget* b2 = box(b, 20, 1, 10, 10);
        auto* nested = new TNoBDEResizerPanel(f.panel, &f.form, QStringLiteral("Nested"));
        nested->setGeometry(200, 0, 100, 100);
        QWidget* inside = box(nested, 10, 10, 20, 20);
        QWidget* c = box(f.panel, 0, 200, 10, 10);
        QVERIFY(f.show());
        using List = std::vector<QWidget*>;
        QCOMPARE(f.panel->handledControls(), (List {a, b, b1, b2, nested, c}));
        QVERIFY(!f.panel->handlerOf(inside));
        // A control found later goes to the end, after its container; the others keep their place.
        QWidget* b3 = box(b, 40, 1, 10, 10);
        b1->raise(); // Qt reorders its children; the list does not follow
        f.resize(800, 600);
        QCOMPARE(f.panel->handledControls(), (List {a, b, b1, b2, nested, c, b3}));
    }

    void nestedPanel()
    {
        Fixture f(800, 600);
        auto* nested = new TNoBDEResizerPanel(f.panel, &f.form, QStringLiteral("Nested"));
        nested->setGeometry(0, 0, 400, 300);
        QWidget* inside = box(nested, 40, 30, 100, 50);
        QVERIFY(f.show());
        f.resize(1600, 1200);
        QCOMPARE(nested->geometry(), QRect(0, 0, 800, 600));
        QCOMPARE(inside->geometry(), QRect(80, 60, 200, 100));
        QCOMPARE(nested->RefWidth(), 800);
        f.resize(800, 600);
        QCOMPARE(inside->geometry(), QRect(40, 30, 100, 50));
    }

    void controlCreatedAfterFirstResize()
    {
        Fixture f(814, 629);
        QVERIFY(f.show());
        QWidget* late = box(f.panel, 100, 50, 20, 21);
        QVERIFY(!f.panel->handlerOf(late));
        // Captured at the next resize against the size from before it.
        f.resize(1628, 1258);
        QCOMPARE(late->geometry(), QRect(200, 100, 40, 42));
        f.resize(814, 629);
        QCOMPARE(late->geometry(), QRect(100, 50, 20, 21));
    }

    void destroyedControl_data()
    {
        QTest::addColumn<bool>("ownedByForm");
        QTest::newRow("owned by the form") << true;
        QTest::newRow("owned by nobody") << false;
    }
    void destroyedControl()
    {
        QFETCH(bool, ownedByForm);
        Fixture f(814, 629);
        QWidget* container = box(f.panel, 10, 10, 200, 200);
        QWidget* gone = ownedByForm ? new OwnedBox(container, &f.form) : new QWidget(container);
        gone->setGeometry(5, 5, 20, 20);
        QWidget* kept = box(f.panel, 300, 10, 20, 20);
        QVERIFY(f.show());
        QCOMPARE(f.panel->handlerCount(), 3);
        delete gone;
        QCOMPARE(f.panel->handlerCount(), 2);
        delete container;
        QCOMPARE(f.panel->handlerCount(), 1);
        f.resize(1628, 1258);
        QCOMPARE(kept->geometry(), QRect(600, 20, 40, 40));
        QCOMPARE(f.panel->handledControls(), std::vector<QWidget*> {kept});
    }

    void removedFromOwner()
    {
        Fixture f(814, 629);
        auto* owned = new OwnedBox(f.panel, &f.form);
        owned->setGeometry(100, 50, 20, 21);
        QVERIFY(f.show());
        QVERIFY(f.panel->handlerOf(owned));
        f.form.removeComponent(owned);
        QVERIFY(!f.panel->handlerOf(owned));
        // Still on the panel: collected afresh at the next resize, from its present bounds.
        f.resize(1628, 1258);
        QCOMPARE(owned->geometry(), QRect(200, 100, 40, 42));
    }

    void controlLeavingTheTree()
    {
        Fixture f(814, 629);
        QWidget* w = box(f.panel, 100, 50, 20, 21);
        QVERIFY(f.show());
        auto orphan = std::unique_ptr<QWidget>(w);
        w->setParent(nullptr);
        w->setGeometry(100, 50, 20, 21);
        f.resize(1628, 1258);
        QCOMPARE(w->geometry(), QRect(100, 50, 20, 21));
        QVERIFY(!f.panel->handlerOf(w));
    }

    void activeOffAndOn()
    {
        Fixture f(814, 629);
        QWidget* w = box(f.panel, 100, 50, 20, 21);
        QVERIFY(f.show());
        f.panel->SetActive(false);
        QCOMPARE(f.panel->handlerCount(), 0);
        f.resize(1628, 1258);
        QCOMPARE(w->geometry(), QRect(100, 50, 20, 21));
        QCOMPARE(f.panel->RefWidth(), 1628);
        QCOMPARE(f.panel->RefHeight(), 1258);
        f.panel->SetActive(true);
        QCOMPARE(f.panel->handlerCount(), 0);
        // The layout of this moment gives the proportions: 21/1258 * 629 is just under 10.5.
        f.resize(814, 629);
        QCOMPARE(w->geometry(), QRect(50, 25, 10, 10));
        QCOMPARE(f.panel->handlerCount(), 1);
    }

    void programChanges_data()
    {
        QTest::addColumn<bool>("allowChanges");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("fixed: back to the captured proportions") << false << QRect(100, 50, 20, 21);
        QTest::newRow("changes allowed: the move carries over") << true << QRect(150, 50, 20, 21);
    }
    void programChanges()
    {
        QFETCH(bool, allowChanges);
        QFETCH(QRect, expected);
        Fixture f(814, 629, allowChanges);
        QWidget* w = box(f.panel, 100, 50, 20, 21);
        setPoints(w, 8);
        QVERIFY(f.show());
        f.resize(1628, 1258);
        QCOMPARE(w->geometry(), QRect(200, 100, 40, 42));
        w->move(300, 100);
        f.resize(814, 629);
        QCOMPARE(w->geometry(), expected);
    }

    void programFontChange_data()
    {
        QTest::addColumn<bool>("allowChanges");
        QTest::addColumn<int>("expected");
        QTest::newRow("fixed: replaced") << false << 8;
        QTest::newRow("changes allowed: carried over") << true << 6;
    }
    void programFontChange()
    {
        QFETCH(bool, allowChanges);
        QFETCH(int, expected);
        Fixture f(100, 100, allowChanges);
        QWidget* w = box(f.panel, 0, 0, 100, 100);
        setPoints(w, 8);
        QVERIFY(f.show());
        f.resize(200, 200);
        QCOMPARE(points(w), 16);
        setPoints(w, 12);
        f.resize(100, 100);
        QCOMPARE(points(w), expected);
    }

    void panelFontCapturedOnce()
    {
        Fixture f(100, 100);
        setPoints(f.panel, 8);
        QVERIFY(f.show());
        f.resize(200, 150);
        QCOMPARE(points(f.panel), 12);
        f.resize(100, 100);
        QCOMPARE(points(f.panel), 8);
    }

    void focusStaysDuringRescale()
    {
        Fixture f(814, 629);
        auto* edit = new QLineEdit(f.panel);
        edit->setGeometry(100, 50, 120, 21);
        QVERIFY(f.show());
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        f.resize(1628, 1258);
        QVERIFY(edit->hasFocus());
        QVERIFY(f.panel->updatesEnabled());
        QVERIFY(f.panel->isVisible());
    }

    void missingProperty_data()
    {
        QTest::addColumn<bool>("allowChanges");
        QTest::addColumn<QRect>("afterResize");
        QTest::newRow("fixed: never captured, never scaled") << false << QRect(100, 50, 20, 21);
        QTest::newRow("changes allowed: captured by the next resize") << true << QRect(200, 100, 40, 42);
    }
    void missingProperty()
    {
        QFETCH(bool, allowChanges);
        QFETCH(QRect, afterResize);
        Fixture f(814, 629, allowChanges);
        QWidget* before = box(f.panel, 10, 10, 20, 20);
        auto* bare = new BareCombo(f.panel, &f.form);
        bare->setGeometry(100, 50, 20, 21);
        QWidget* after = box(f.panel, 300, 10, 20, 20);
        QSignalSpy resized(f.panel, &TCustomResizerPanel::resized);
        QVERIFY(f.show());
        QCOMPARE(errors_, QStringList {QStringLiteral("No ItemHeight property")});
        QCOMPARE(resized.count(), 0);
        // The failing control keeps its handler with the font handler made before the failure.
        TMRControlHandler* handler = f.panel->handlerOf(bare);
        QVERIFY(handler);
        QCOMPARE(handler->PropertyHandlers.size(), size_t(1));
        QVERIFY(f.panel->handlerOf(before));
        QVERIFY(!f.panel->handlerOf(after));

        // Never found new again: no second failure; the controls after it are collected now.
        f.resize(1628, 1258);
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(resized.count(), 1);
        QCOMPARE(before->geometry(), QRect(20, 20, 40, 40));
        QCOMPARE(after->geometry(), QRect(600, 20, 40, 40));
        QCOMPARE(bare->geometry(), afterResize);
    }

    void missingPropertyKeepsReferenceSize()
    {
        Fixture f(814, 629);
        QVERIFY(f.show());
        new BareCombo(f.panel, &f.form);
        f.resize(1628, 1258);
        QCOMPARE(errors_.size(), 1);
        QCOMPARE(f.panel->RefWidth(), 814);
        QCOMPARE(f.panel->RefHeight(), 629);
    }

    void loadingScalesNothing()
    {
        Fixture f(814, 629);
        QWidget* w = box(f.panel, 100, 50, 20, 21);
        QVERIFY(f.show());
        f.panel->BeginLoading();
        f.resize(1628, 1258);
        QCOMPARE(w->geometry(), QRect(100, 50, 20, 21));
        QCOMPARE(f.panel->RefWidth(), 1628);
        QCOMPARE(f.panel->RefHeight(), 1258);
        f.panel->Loaded();
        f.resize(3256, 2516);
        QCOMPARE(w->geometry(), QRect(400, 200, 80, 84));
    }

    void firstResizeGivesTheReferenceSize()
    {
        // An owner that never calls Loaded(): the size at the first resize is the design size.
        TestForm form;
        auto* panel = new TNoBDEResizerPanel(&form, &form, QStringLiteral("Schermo"));
        panel->setGeometry(0, 0, 814, 629);
        QWidget* w = box(panel, 100, 50, 20, 21);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(panel->RefWidth(), 814);
        panel->resize(1628, 1258);
        QCOMPARE(w->geometry(), QRect(200, 100, 40, 42));
    }

    void findProperty()
    {
        QWidget w;
        QCOMPARE(
            QString::fromLatin1(FindProperty(&w, QStringLiteral("Font")).name()), QStringLiteral("font"));
        try {
            FindProperty(&w, QStringLiteral("Margin"));
            QFAIL("no failure");
        } catch (const ScalingError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("No Margin property"));
        }
    }
};

QTEST_MAIN(TestResizerPanel)
#include "tst_resizerpanel.moc"
