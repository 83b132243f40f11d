// SPDX-License-Identifier: GPL-3.0-or-later
// The smaller controls: the combo box's change event, the check box's click event, the timer,
// the label's automatic size, the shape's mouse-up, the spin button and the popup menu; and
// the guard that ends a handler with the error box.
#include "bgrcolor.h"
#include "checkbox.h"
#include "colors.h"
#include "combobox.h"
#include "errors.h"
#include "label.h"
#include "popupmenu.h"
#include "shape.h"
#include "skinbutton.h"
#include "spinbutton.h"
#include "timer.h"

#include <QAbstractItemView>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QtMath>
#include <QtTest>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace widgets;
using namespace bgr;

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form_ = std::make_unique<QWidget>();
        owner_ = std::make_unique<Component>(form_.get(), nullptr, QStringLiteral("Form1"));
        form_->resize(500, 400);
    }
    void cleanup()
    {
        owner_.reset();
        form_.reset();
    }

    void comboProgramWritesAreSilent();
    void comboArrowKeysMoveTheSelection();
    void comboTypedEditsReport();
    void comboPickInTheList();
    void comboArrowKeysInTheOpenList();
    void comboListRows();
    void checkBoxReportsEveryChange_data();
    void checkBoxReportsEveryChange();
    void checkBoxClickedByMouse();
    void timerEnabledAndInterval_data();
    void timerEnabledAndInterval();
    void timerTicks();
    void labelAutoSize();
    void shapeMouseUp();
    void spinButtonHalves();
    void skinButtonClickAndFaces();
    void popupMenuLook();
    void popupMenuOpensAndShortCutsWork();
    void guardedEndsOnlyTheHandler_data();
    void guardedEndsOnlyTheHandler();

private:
    void showForm()
    {
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }

    std::unique_ptr<QWidget> form_;
    std::unique_ptr<Component> owner_;
};

void ControlsTest::comboProgramWritesAreSilent()
{
    auto* combo = new ComboBox(form_.get(), owner_.get(), QStringLiteral("SceltaLingua"));
    QSignalSpy changed(combo, &ComboBox::changed);
    combo->setItems({QStringLiteral("italiano"), QStringLiteral("english")});
    combo->setText(QStringLiteral("italiano"));
    QVERIFY(combo->setProperty("Text", QStringLiteral("english")));
    // Emptying and refilling the list, by any of the ways Qt offers, keeps the field's text.
    combo->clearItems();
    QCOMPARE(combo->text(), QStringLiteral("english"));
    combo->addItem(QStringLiteral("deutsch"));
    QCOMPARE(combo->text(), QStringLiteral("english"));
    combo->clear();
    QCOMPARE(combo->text(), QStringLiteral("english"));
    combo->addItems({QStringLiteral("english"), QStringLiteral("italiano")});
    combo->removeItem(0);
    QCOMPARE(combo->text(), QStringLiteral("english"));
    QCOMPARE(combo->items(), QStringList {QStringLiteral("italiano")});
    QCOMPARE(changed.size(), 0);
}

void ControlsTest::comboArrowKeysMoveTheSelection()
{
    auto* combo = new ComboBox(form_.get(), owner_.get(), QStringLiteral("SceltaLingua"));
    combo->setItems({QStringLiteral("italiano"), QStringLiteral("english"), QStringLiteral("deutsch")});
    combo->setText(QStringLiteral("italiano"));
    showForm();
    combo->setFocus();
    QSignalSpy changed(combo, &ComboBox::changed);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(combo->text(), QStringLiteral("italiano"));
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(combo->text(), QStringLiteral("english"));
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(combo->text(), QStringLiteral("italiano"));
    // Nothing above the first entry: the selection stays and nothing is reported.
    QTest::keyClick(combo, Qt::Key_Up);
    QCOMPARE(changed.size(), 3);
}

void ControlsTest::comboTypedEditsReport()
{
    auto* combo = new ComboBox(form_.get(), owner_.get(), QStringLiteral("SceltaLingua"));
    combo->setItems({QStringLiteral("italiano")});
    showForm();
    combo->setFocus();
    QSignalSpy changed(combo, &ComboBox::changed);
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("xy"));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(combo->text(), QStringLiteral("xy"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(combo->text(), QStringLiteral("x"));
    // Return does not add the typed text to the list.
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    QCOMPARE(combo->count(), 1);

    // A typed entry's name counts once per keystroke; leaving the field adds no pick.
    combo->setText(QString());
    changed.clear();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("italiano"));
    QCOMPARE(combo->text(), QStringLiteral("italiano"));
    QCOMPARE(changed.size(), 8);
    combo->clearFocus();
    QCOMPARE(changed.size(), 8);

    // Return where the keyboard has it, on the combo box, which hands keys to its field
    // itself: the entry the typed text names is not picked.
    combo->setItems({QStringLiteral("italiano"), QStringLiteral("english")});
    combo->setCurrentIndex(1);
    combo->setText(QStringLiteral("italian"));
    combo->setFocus();
    changed.clear();
    QTest::keyClicks(combo, QStringLiteral("o"));
    QCOMPARE(changed.size(), 1);
    QTest::keyClick(combo, Qt::Key_Return);
    QTest::keyClick(combo, Qt::Key_Enter);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(combo->text(), QStringLiteral("italiano"));
}

void ControlsTest::comboPickInTheList()
{
    auto* combo = new ComboBox(form_.get(), owner_.get(), QStringLiteral("SceltaLingua"));
    combo->setGeometry(3, 2, 222, 31);
    combo->setItems({QStringLiteral("italiano"), QStringLiteral("english")});
    showForm();
    QSignalSpy changed(combo, &ComboBox::changed);
    combo->showDropDown();
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(changed.size(), 0);
    const QRect row = combo->view()->visualRect(combo->model()->index(1, 0));
    QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(changed.size(), 1);
    QCOMPARE(combo->text(), QStringLiteral("english"));
}

// In the open list every arrow-key step is a pick that takes the entry into the field.
void ControlsTest::comboArrowKeysInTheOpenList()
{
    auto* combo = new ComboBox(form_.get(), owner_.get(), QStringLiteral("SceltaLingua"));
    combo->setItems({QStringLiteral("italiano"), QStringLiteral("english"), QStringLiteral("deutsch")});
    combo->setText(QStringLiteral("italiano"));
    showForm();
    QSignalSpy changed(combo, &ComboBox::changed);
    combo->showDropDown();
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(changed.size(), 0);
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QCOMPARE(changed.size(), 1);
    const QString first = combo->text();
    QVERIFY(combo->items().contains(first));
    QTest::keyClick(combo->view(), Qt::Key_End);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(combo->text(), QStringLiteral("deutsch"));
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QCOMPARE(changed.size(), 2);
    QTest::keyClick(combo->view(), Qt::Key_Up);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(combo->text(), QStringLiteral("english"));
    combo->hidePopup();
}

void ControlsTest::comboListRows()
{
    auto* combo = new ComboBox(form_.get(), owner_.get(), QStringLiteral("SceltaLingua"));
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QStringLiteral("lingua %1").arg(i);
    combo->setItems(many);
    QCOMPARE(combo->dropDownCount(), 8);
    QVERIFY(combo->setProperty("ItemHeight", 23));
    showForm();
    combo->showDropDown();
    QTRY_VERIFY(combo->view()->isVisible());
    QCOMPARE(combo->view()->visualRect(combo->model()->index(0, 0)).height(), 23);
    // Eight rows show, the rest scroll.
    QCOMPARE(combo->view()->viewport()->height() / 23, 8);
    combo->hidePopup();
}

void ControlsTest::checkBoxReportsEveryChange_data()
{
    QTest::addColumn<bool>("initial");
    QTest::addColumn<bool>("set");
    QTest::addColumn<int>("reports");
    QTest::newRow("tick") << false << true << 1;
    QTest::newRow("untick") << true << false << 1;
    QTest::newRow("already ticked") << true << true << 0;
    QTest::newRow("already clear") << false << false << 0;
}

void ControlsTest::checkBoxReportsEveryChange()
{
    QFETCH(bool, initial);
    QFETCH(bool, set);
    QFETCH(int, reports);
    auto* check = new CheckBox(form_.get(), owner_.get(), QStringLiteral("CheckBox2"));
    check->setChecked(initial);
    QSignalSpy clicked(check, &CheckBox::stateClicked);
    QVERIFY(check->setProperty("Checked", set));
    QCOMPARE(clicked.size(), reports);
    QCOMPARE(check->isChecked(), set);
}

void ControlsTest::checkBoxClickedByMouse()
{
    auto* check = new CheckBox(form_.get(), owner_.get(), QStringLiteral("CheckBox1"));
    check->setText(QStringLiteral("SOS !!!"));
    check->setGeometry(496, 5, 65, 17);
    form_->resize(600, 100);
    showForm();
    QSignalSpy clicked(check, &CheckBox::stateClicked);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(clicked.size(), 1);
    QVERIFY(check->isChecked());
    check->setEnabled(false);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(clicked.size(), 1);
}

void ControlsTest::timerEnabledAndInterval_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("running");
    QTest::newRow("enabled, 1000") << true << 1000 << true;
    QTest::newRow("disabled, 1000") << false << 1000 << false;
    QTest::newRow("enabled, 0") << true << 0 << false;
    QTest::newRow("disabled, 0") << false << 0 << false;
}

void ControlsTest::timerEnabledAndInterval()
{
    QFETCH(bool, enabled);
    QFETCH(int, interval);
    QFETCH(bool, running);
    Timer timer(nullptr, owner_.get(), QStringLiteral("Timer1"));
    QVERIFY(timer.isEnabled());
    QCOMPARE(timer.interval(), 1000);
    QVERIFY(timer.setProperty("Interval", interval));
    QVERIFY(timer.setProperty("Enabled", enabled));
    QCOMPARE(timer.isActive(), running);
    // Enabled reads back as set, even when a zero interval keeps the timer still.
    QCOMPARE(timer.property("Enabled").toBool(), enabled);
    // Written in the other order the result is the same.
    Timer other(nullptr, owner_.get(), QStringLiteral("Timer2"));
    other.setEnabled(enabled);
    other.setInterval(interval);
    QCOMPARE(other.isActive(), running);
}

void ControlsTest::timerTicks()
{
    Timer timer(nullptr, owner_.get(), QStringLiteral("Timer1"));
    timer.stop();
    QVERIFY(!timer.isEnabled());
    QSignalSpy ticks(&timer, &Timer::timeout);
    timer.setInterval(20);
    QTest::qWait(80);
    QCOMPARE(ticks.size(), 0);
    timer.start();
    QVERIFY(timer.isEnabled());
    QTRY_VERIFY(ticks.size() >= 2);
    timer.setEnabled(false);
    const auto seen = ticks.size();
    QTest::qWait(80);
    QCOMPARE(ticks.size(), seen);
}

void ControlsTest::labelAutoSize()
{
    auto* label = new Label(form_.get(), owner_.get(), QStringLiteral("Label2"));
    label->move(11, 8);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(11);
    font.setBold(true);
    label->setFont(font);
    const QString caption = QStringLiteral("CLICCA SULLE CASELLE");
    QVERIFY(label->setProperty("Caption", caption));
    // The layout's figures: in this font every character is 7 pixels wide and a line 14 high
    // (the instruction line's 52 characters make its 364 pixels).
    QCOMPARE(label->geometry(), QRect(11, 8, 7 * caption.size(), 14));

    // An empty caption measures as one blank: the label keeps a line's height.
    label->setCaption(QString());
    QCOMPARE(label->size(), QSize(7, 14));

    // A larger font enlarges it; the corner stays.
    QFont larger = font;
    larger.setPixelSize(22);
    label->setCaption(caption);
    label->setFont(larger);
    QVERIFY(label->width() >= 13 * caption.size());
    QCOMPARE(label->pos(), QPoint(11, 8));

    // At every size the label holds its caption's real advance, also where the advance of a
    // character is rounded down (7.2 pixels at 12, 13.2 at 22).
    const QString instruction = QStringLiteral("CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO");
    label->setCaption(instruction);
    for (int pixels = 6; pixels <= 48; ++pixels) {
        QFont sized = font;
        sized.setPixelSize(pixels);
        label->setFont(sized);
        const QFontMetricsF metrics(sized);
        QVERIFY2(label->width() >= qCeil(metrics.horizontalAdvance(instruction)),
            qPrintable(QString::number(pixels)));
        QVERIFY2(label->height() >= qCeil(metrics.ascent() + metrics.descent()),
            qPrintable(QString::number(pixels)));
    }
    label->setFont(font);
    QCOMPARE(label->size(), QSize(364, 14));

    // Without AutoSize the bounds stay as set.
    label->setAutoSize(false);
    label->setGeometry(11, 8, 364, 14);
    label->setCaption(QStringLiteral("x"));
    label->setFont(font);
    QCOMPARE(label->geometry(), QRect(11, 8, 364, 14));
    QCOMPARE(label->backgroundColor(), QColor(Qt::transparent));
    QVERIFY(!label->autoFillBackground());
}

void ControlsTest::shapeMouseUp()
{
    auto* shape = new Shape(form_.get(), owner_.get(), QStringLiteral("RichiamaLingua1"));
    shape->setGeometry(607, 4, 12, 21);
    form_->resize(700, 100);
    showForm();
    QSignalSpy up(shape, &Shape::mouseUp);
    QTest::mouseClick(shape, Qt::RightButton, Qt::ShiftModifier, QPoint(3, 7));
    QCOMPARE(up.size(), 1);
    QCOMPARE(up.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(up.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(up.at(0).at(2).toPoint(), QPoint(3, 7));

    // Filled with the brush colour, outlined with the pen.
    shape->setBrushColor(toQColor(engine::color::Lime));
    const QImage image = shape->grab().toImage();
    QCOMPARE(image.pixelColor(6, 10), QColor(0, 255, 0));
    QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(image.pixelColor(11, 20), QColor(Qt::black));
}

void ControlsTest::spinButtonHalves()
{
    auto* spin = new SpinButton(form_.get(), owner_.get(), QStringLiteral("SpinButton1"));
    spin->setGeometry(575, 5, 20, 31);
    form_->resize(700, 100);
    showForm();
    QSignalSpy up(spin, &SpinButton::upClick);
    QSignalSpy down(spin, &SpinButton::downClick);
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(10, 4));
    QCOMPARE(up.size(), 1);
    QCOMPARE(down.size(), 0);
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(10, 27));
    QCOMPARE(up.size(), 1);
    QCOMPARE(down.size(), 1);
}

void ControlsTest::skinButtonClickAndFaces()
{
    auto* button = new SkinButton(form_.get(), owner_.get(), QStringLiteral("Esci"));
    button->setGeometry(735, 4, 55, 21);
    button->setText(QStringLiteral("ESCI"));
    form_->resize(800, 100);
    showForm();
    QCOMPARE(button->skinName(), QStringLiteral("DeepBlue"));
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 10));
    QCOMPARE(clicked.size(), 1);

    // Up, pressed and disabled faces all differ; the face is blue and the caption white.
    const QImage up = button->grab().toImage();
    button->setDown(true);
    const QImage pressed = button->grab().toImage();
    button->setDown(false);
    button->setEnabled(false);
    const QImage disabled = button->grab().toImage();
    QVERIFY(up != pressed);
    QVERIFY(up != disabled);
    const QColor face = up.pixelColor(4, 16);
    QVERIFY(face.blue() > face.red() + 60);
    int white = 0;
    for (int y = 0; y < up.height(); ++y)
        for (int x = 0; x < up.width(); ++x)
            white += up.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
    QVERIFY(white > 10);
}

void ControlsTest::popupMenuLook()
{
    auto* menu = new SkinPopupMenu(form_.get(), owner_.get(), QStringLiteral("suiPopupMenu1"));
    auto* zoomIn = new MenuItem(menu, owner_.get(), QStringLiteral("IngrandisciSchema"));
    zoomIn->setText(QStringLiteral("Zoom +"));
    zoomIn->setShortcut(Qt::Key_F3);
    auto* zoomOut = new MenuItem(menu, owner_.get(), QStringLiteral("VerticaleF31"));
    zoomOut->setText(QStringLiteral("Zoom -"));
    menu->addItem(zoomIn);
    QAction* separator = menu->addSeparator();
    menu->addItem(zoomOut);
    showForm();
    menu->popup(form_->mapToGlobal(QPoint(10, 10)));
    QTRY_VERIFY(menu->isVisible());

    QCOMPARE(menu->actionGeometry(zoomIn).height(), 21);
    QCOMPARE(menu->actionGeometry(separator).height(), 5);
    QCOMPARE(menu->actionGeometry(zoomOut).height(), 21);

    menu->setActiveAction(zoomOut);
    const QImage image = menu->grab().toImage();
    const QRect first = menu->actionGeometry(zoomIn);
    const QRect last = menu->actionGeometry(zoomOut);
    QCOMPARE(image.pixelColor(0, 0), toQColor(0x000000)); // border
    QCOMPARE(image.pixelColor(13, first.center().y()), toQColor(0xCED3D6)); // side bar
    QCOMPARE(image.pixelColor(first.right() - 2, first.center().y()), toQColor(0xFFFFFF)); // background
    QCOMPARE(image.pixelColor(last.right() - 3, last.center().y()), toQColor(0xA04A44)); // selected
    QCOMPARE(image.pixelColor(40, menu->actionGeometry(separator).center().y()), toQColor(0x848284));
    menu->hide();
}

void ControlsTest::popupMenuOpensAndShortCutsWork()
{
    auto* panel = new QWidget(form_.get());
    panel->setGeometry(0, 0, 500, 400);
    auto* menu = new SkinPopupMenu(form_.get(), owner_.get(), QStringLiteral("suiPopupMenu1"));
    menu->attachTo(panel);
    // Items added after attaching take part as well.
    auto* zoomIn = new MenuItem(menu, owner_.get(), QStringLiteral("IngrandisciSchema"));
    zoomIn->setText(QStringLiteral("Zoom +"));
    zoomIn->setShortcut(Qt::Key_F3);
    menu->addItem(zoomIn);
    showForm();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));

    QSignalSpy triggered(zoomIn, &QAction::triggered);
    QTest::keyClick(form_.get(), Qt::Key_F3);
    QCOMPARE(triggered.size(), 1);
    QTest::keyClick(form_.get(), Qt::Key_F4);
    QCOMPARE(triggered.size(), 1);

    QContextMenuEvent rightClick(
        QContextMenuEvent::Mouse, QPoint(30, 40), panel->mapToGlobal(QPoint(30, 40)));
    QApplication::sendEvent(panel, &rightClick);
    QTRY_VERIFY(menu->isVisible());
    menu->hide();

    // The widget may go before the menu: the menu forgets it, and adding or removing items
    // afterwards touches nothing of it.
    delete panel;
    QCOMPARE(menu->attachedTo(), nullptr);
    menu->addItem(new MenuItem(menu, owner_.get(), QStringLiteral("VerticaleF31")));
    menu->removeAction(zoomIn);
    QCOMPARE(menu->actions().size(), 1);
}

// Whatever a handler throws ends that handler alone and is reported once; nothing after the
// throw runs, and the next handler runs as usual.
void ControlsTest::guardedEndsOnlyTheHandler_data()
{
    QTest::addColumn<std::function<void()>>("thrower");
    QTest::addColumn<QString>("message");
    QTest::newRow("a standard exception")
        << std::function<void()>([] { throw std::runtime_error("File not found"); }) << "File not found";
    QTest::newRow("a UTF-8 message") << std::function<void()>([] { throw std::runtime_error("Città"); })
                                     << "Città";
    QTest::newRow("anything else") << std::function<void()>([] { throw 42; }) << "Unknown error";
}

void ControlsTest::guardedEndsOnlyTheHandler()
{
    QFETCH(std::function<void()>, thrower);
    QFETCH(QString, message);
    QStringList reported;
    const ErrorReporter previous = setErrorReporter([&reported](const QString& m) { reported << m; });
    bool after = false;
    guarded([&] {
        thrower();
        after = true;
    });
    bool next = false;
    guarded([&] { next = true; });
    setErrorReporter(previous);
    QCOMPARE(reported, QStringList {message});
    QVERIFY(!after);
    QVERIFY(next);
}

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
