// SPDX-License-Identifier: GPL-3.0-or-later
// Published properties of every control kind, read and written by name as the translation
// component and the scaling panel do.
#include "boardbox.h"
#include "checkbox.h"
#include "combobox.h"
#include "filelistbox.h"
#include "glyphbutton.h"
#include "label.h"
#include "panel.h"
#include "popupmenu.h"
#include "properties.h"
#include "shape.h"
#include "skinbutton.h"
#include "spinbutton.h"
#include "timer.h"

#include <QtTest>

#include <functional>
#include <memory>

using namespace widgets;

using Effect = std::function<QVariant(QObject*)>;
Q_DECLARE_METATYPE(Effect)

namespace {

// One control of each kind, on a shown parent so that geometry and flags behave as on the form.
QObject* make(const QString& kind, QWidget* parent, Component* owner)
{
    const QString name = kind + QStringLiteral("1");
    if (kind == u"BoardBox")
        return new BoardBox(parent, owner, name);
    if (kind == u"SkinButton")
        return new SkinButton(parent, owner, name);
    if (kind == u"GlyphButton")
        return new GlyphButton(parent, owner, name);
    if (kind == u"Label")
        return new Label(parent, owner, name);
    if (kind == u"Shape")
        return new Shape(parent, owner, name);
    if (kind == u"Panel")
        return new Panel(parent, owner, name);
    if (kind == u"CheckBox")
        return new CheckBox(parent, owner, name);
    if (kind == u"FileListBox")
        return new FileListBox(parent, owner, name);
    if (kind == u"ComboBox")
        return new ComboBox(parent, owner, name);
    if (kind == u"SpinButton")
        return new SpinButton(parent, owner, name);
    if (kind == u"Timer")
        return new Timer(parent, owner, name);
    if (kind == u"MenuItem")
        return new MenuItem(parent, owner, name);
    if (kind == u"SkinPopupMenu")
        return new SkinPopupMenu(parent, owner, name);
    return nullptr;
}

const QStringList& visualKinds()
{
    static const QStringList kinds = {QStringLiteral("BoardBox"), QStringLiteral("SkinButton"),
        QStringLiteral("GlyphButton"), QStringLiteral("Label"), QStringLiteral("Shape"),
        QStringLiteral("Panel"), QStringLiteral("CheckBox"), QStringLiteral("FileListBox"),
        QStringLiteral("ComboBox"), QStringLiteral("SpinButton")};
    return kinds;
}

QWidget* widget(QObject* o)
{
    return qobject_cast<QWidget*>(o);
}

} // namespace

class PropertiesTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form_ = std::make_unique<QWidget>();
        owner_ = std::make_unique<Component>(form_.get(), nullptr, QStringLiteral("Form1"));
        form_->resize(400, 300);
        form_->show();
    }
    void cleanup()
    {
        owner_.reset();
        form_.reset();
    }

    void writeByNameTakesEffect_data();
    void writeByNameTakesEffect();
    void commonPropertiesOnEveryKind_data();
    void commonPropertiesOnEveryKind();
    void setPropertyWithExactName_data();
    void setPropertyWithExactName();
    void unknownNameCreatesNothing();
    void flagsAreTheControlsOwn();
    void qtKindsForTheScalingPanel_data();
    void qtKindsForTheScalingPanel();

private:
    std::unique_ptr<QWidget> form_;
    std::unique_ptr<Component> owner_;
};

void PropertiesTest::writeByNameTakesEffect_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("property"); // spelt as a language file might spell it
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<Effect>("effect"); // what Qt's own API reports afterwards
    QTest::addColumn<QVariant>("expected");

    const auto text = [](QObject* o) -> QVariant {
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            return b->text();
        if (auto* l = qobject_cast<QLabel*>(o))
            return l->text();
        if (auto* c = qobject_cast<QComboBox*>(o))
            return c->currentText();
        if (auto* a = qobject_cast<QAction*>(o))
            return a->text();
        if (auto* p = qobject_cast<Panel*>(o))
            return p->caption();
        return {};
    };
    QTest::newRow("SkinButton caption") << "SkinButton"
                                        << "caption" << QVariant("ESCI") << Effect(text) << QVariant("ESCI");
    QTest::newRow("GlyphButton CAPTION") << "GlyphButton"
                                         << "CAPTION" << QVariant("<") << Effect(text) << QVariant("<");
    QTest::newRow("Label Caption") << "Label"
                                   << "Caption" << QVariant("CLICCA") << Effect(text) << QVariant("CLICCA");
    QTest::newRow("CheckBox caption")
        << "CheckBox"
        << "caption" << QVariant("SOS !!!") << Effect(text) << QVariant("SOS !!!");
    QTest::newRow("Panel Caption") << "Panel"
                                   << "Caption" << QVariant("x") << Effect(text) << QVariant("x");
    QTest::newRow("ComboBox text") << "ComboBox"
                                   << "text" << QVariant("italiano") << Effect(text) << QVariant("italiano");
    QTest::newRow("MenuItem caption")
        << "MenuItem"
        << "caption" << QVariant("Zoom +") << Effect(text) << QVariant("Zoom +");
    QTest::newRow("BoardBox text") << "BoardBox"
                                   << "TEXT" << QVariant("12") << Effect([](QObject* o) -> QVariant {
                                          return QString::fromStdString(static_cast<BoardBox*>(o)->text());
                                      })
                                   << QVariant("12");

    QTest::newRow("BoardBox color → engine colour")
        << "BoardBox"
        << "color" << QVariant(QColor(0xA6, 0xCA, 0xF0))
        << Effect([](QObject* o) -> QVariant { return uint(static_cast<BoardBox*>(o)->color()); })
        << QVariant(uint(0xF0CAA6));
    QTest::newRow("BoardBox fontcolor → engine colour")
        << "BoardBox"
        << "fontcolor" << QVariant(QColor(0x80, 0x80, 0x80))
        << Effect([](QObject* o) -> QVariant { return uint(static_cast<BoardBox*>(o)->fontColor()); })
        << QVariant(uint(0x808080));
    QTest::newRow("FileListBox color is the list's base")
        << "FileListBox"
        << "Color" << QVariant(QColor(0xFF, 0xFB, 0xF0))
        << Effect([](QObject* o) -> QVariant { return widget(o)->palette().color(QPalette::Base); })
        << QVariant(QColor(0xFF, 0xFB, 0xF0));
    QTest::newRow("ComboBox fontcolor is the text colour")
        << "ComboBox"
        << "FontColor" << QVariant(QColor(Qt::white))
        << Effect([](QObject* o) -> QVariant { return widget(o)->palette().color(QPalette::Text); })
        << QVariant(QColor(Qt::white));
    QTest::newRow("Shape brushcolor")
        << "Shape"
        << "brushcolor" << QVariant(QColor(Qt::green))
        << Effect([](QObject* o) -> QVariant { return static_cast<Shape*>(o)->brushColor(); })
        << QVariant(QColor(Qt::green));

    const auto pixelSize = [](QObject* o) -> QVariant { return widget(o)->font().pixelSize(); };
    QFont courier19(QStringLiteral("Courier New"));
    courier19.setPixelSize(19);
    QTest::newRow("SkinButton font") << "SkinButton"
                                     << "font" << QVariant(courier19) << Effect(pixelSize) << QVariant(19);
    QTest::newRow("BoardBox FONT") << "BoardBox"
                                   << "FONT" << QVariant(courier19) << Effect(pixelSize) << QVariant(19);

    QTest::newRow("FileListBox itemheight")
        << "FileListBox"
        << "itemheight" << QVariant(23) << Effect([](QObject* o) -> QVariant {
               auto* list = static_cast<FileListBox*>(o);
               list->addItem(QStringLiteral("a"));
               return list->visualItemRect(list->item(0)).height();
           })
        << QVariant(23);
    QTest::newRow("ComboBox dropdowncount")
        << "ComboBox"
        << "dropdowncount" << QVariant(5)
        << Effect([](QObject* o) -> QVariant { return static_cast<QComboBox*>(o)->maxVisibleItems(); })
        << QVariant(5);
    QTest::newRow("ComboBox items") << "ComboBox"
                                    << "ITEMS" << QVariant(QStringList {"italiano", "english"})
                                    << Effect([](QObject* o) -> QVariant {
                                           return static_cast<QComboBox*>(o)->itemText(1);
                                       })
                                    << QVariant("english");
    QTest::newRow("CheckBox checked")
        << "CheckBox"
        << "checked" << QVariant(true)
        << Effect([](QObject* o) -> QVariant { return static_cast<QCheckBox*>(o)->isChecked(); })
        << QVariant(true);
    QTest::newRow("Timer interval") << "Timer"
                                    << "interval" << QVariant(250) << Effect([](QObject* o) -> QVariant {
                                           return static_cast<Timer*>(o)->interval();
                                       })
                                    << QVariant(250);
    QTest::newRow("Timer enabled off stops it")
        << "Timer"
        << "ENABLED" << QVariant(false)
        << Effect([](QObject* o) -> QVariant { return static_cast<Timer*>(o)->isActive(); })
        << QVariant(false);
    QTest::newRow("MenuItem shortcut")
        << "MenuItem"
        << "shortcut" << QVariant(QKeySequence(Qt::Key_F3))
        << Effect([](QObject* o) -> QVariant { return static_cast<QAction*>(o)->shortcut(); })
        << QVariant(QKeySequence(Qt::Key_F3));
    QTest::newRow("Panel beveloutter none")
        << "Panel"
        << "bevelouter" << QVariant::fromValue(Panel::BevelNone)
        << Effect([](QObject* o) -> QVariant { return int(static_cast<Panel*>(o)->bevelOuter()); })
        << QVariant(int(Panel::BevelNone));
    QTest::newRow("FileListBox hint is the tooltip")
        << "FileListBox"
        << "hint" << QVariant("Scegli un esercizio")
        << Effect([](QObject* o) -> QVariant { return widget(o)->toolTip(); })
        << QVariant("Scegli un esercizio");
}

void PropertiesTest::writeByNameTakesEffect()
{
    QFETCH(QString, kind);
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    QFETCH(Effect, effect);
    QFETCH(QVariant, expected);

    QObject* object = make(kind, form_.get(), owner_.get());
    QVERIFY(object);
    const QMetaProperty meta = findPublishedProperty(object, property);
    QVERIFY2(meta.isValid(), qPrintable(kind + u'.' + property));
    QVERIFY(meta.isWritable());
    QVERIFY(meta.write(object, value));
    QCOMPARE(effect(object), expected);
    // Reading back through the same property gives what was written.
    QCOMPARE(meta.read(object), value);
    QVERIFY(object->dynamicPropertyNames().isEmpty());
}

void PropertiesTest::commonPropertiesOnEveryKind_data()
{
    QTest::addColumn<QString>("kind");
    for (const QString& kind : visualKinds())
        QTest::newRow(qPrintable(kind)) << kind;
}

void PropertiesTest::commonPropertiesOnEveryKind()
{
    QFETCH(QString, kind);
    QObject* object = make(kind, form_.get(), owner_.get());
    QWidget* w = widget(object);
    QVERIFY(w);

    const struct {
        const char* name;
        QVariant value;
    } writes[]
        = {{"LEFT", 11}, {"top", 24}, {"width", 55}, {"Height", 31}, {"visible", false}, {"ENABLED", false}};
    for (const auto& write : writes) {
        const QMetaProperty meta = findPublishedProperty(object, QString::fromLatin1(write.name));
        QVERIFY2(meta.isValid() && meta.isWritable(), write.name);
        QVERIFY2(meta.write(object, write.value), write.name);
        QCOMPARE(meta.read(object), write.value);
    }
    QCOMPARE(w->geometry(), QRect(11, 24, 55, 31));
    QVERIFY(w->isHidden());
    QVERIFY(!w->isEnabled());

    QVERIFY(findPublishedProperty(object, u"color").isValid());
    QCOMPARE(findPublishedProperty(object, u"name").read(object).toString(), kind + QStringLiteral("1"));
    QVERIFY(object->dynamicPropertyNames().isEmpty());
}

void PropertiesTest::setPropertyWithExactName_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("SkinButton Caption") << "SkinButton" << QByteArray("Caption") << QVariant("STAMPA");
    QTest::newRow("Label Caption") << "Label" << QByteArray("Caption") << QVariant("0");
    QTest::newRow("BoardBox Text") << "BoardBox" << QByteArray("Text") << QVariant("q");
    QTest::newRow("BoardBox Visible") << "BoardBox" << QByteArray("Visible") << QVariant(false);
    QTest::newRow("Label AutoSize") << "Label" << QByteArray("AutoSize") << QVariant(false);
    QTest::newRow("GlyphButton Margin") << "GlyphButton" << QByteArray("Margin") << QVariant(3);
}

void PropertiesTest::setPropertyWithExactName()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QObject* object = make(kind, form_.get(), owner_.get());
    QVERIFY(object->setProperty(property.constData(), value));
    QCOMPARE(object->property(property.constData()), value);
    QVERIFY(object->dynamicPropertyNames().isEmpty());
}

void PropertiesTest::unknownNameCreatesNothing()
{
    QObject* object = make(QStringLiteral("Label"), form_.get(), owner_.get());
    QVERIFY(!findPublishedProperty(object, u"Capton").isValid());
    QVERIFY(!findPublishedProperty(object, u"Caption ").isValid());
    QVERIFY(object->dynamicPropertyNames().isEmpty());
}

// Visible and Enabled are the control's own flags, as the engine reads them, not the effective
// ones Qt derives from a hidden or disabled container; Qt's lower-case names must not win.
void PropertiesTest::flagsAreTheControlsOwn()
{
    QWidget container(form_.get());
    auto* box = new BoardBox(&container, owner_.get(), QStringLiteral("suiEdit1"));
    container.hide();
    container.setEnabled(false);
    QVERIFY(!box->isVisible());
    QVERIFY(!box->isEnabled());

    const QMetaProperty visible = findPublishedProperty(box, u"visible");
    const QMetaProperty enabled = findPublishedProperty(box, u"enabled");
    QCOMPARE(QByteArray(visible.name()), QByteArray("Visible"));
    QCOMPARE(QByteArray(enabled.name()), QByteArray("Enabled"));
    QCOMPARE(visible.read(box), QVariant(true));
    QCOMPARE(enabled.read(box), QVariant(true));
    QVERIFY(box->visibleFlag());
    QVERIFY(box->enabledFlag());
    box->setEnabledFlag(false);
    container.setEnabled(true);
    QVERIFY(!box->enabledFlag());
    QVERIFY(!box->isEnabled());
}

// The scaling panel chooses its handlers by Qt class names (QObject::inherits).
void PropertiesTest::qtKindsForTheScalingPanel_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("qtClass");
    QTest::addColumn<bool>("itemHeight"); // a list or combo kind, which scales its rows
    QTest::newRow("BoardBox") << "BoardBox" << QByteArray("QWidget") << false;
    QTest::newRow("SkinButton") << "SkinButton" << QByteArray("QPushButton") << false;
    QTest::newRow("GlyphButton") << "GlyphButton" << QByteArray("widgets::GlyphButton") << false;
    QTest::newRow("Label") << "Label" << QByteArray("QLabel") << false;
    QTest::newRow("Panel") << "Panel" << QByteArray("QFrame") << false;
    QTest::newRow("CheckBox") << "CheckBox" << QByteArray("QCheckBox") << false;
    QTest::newRow("FileListBox") << "FileListBox" << QByteArray("QListWidget") << true;
    QTest::newRow("ComboBox") << "ComboBox" << QByteArray("QComboBox") << true;
}

void PropertiesTest::qtKindsForTheScalingPanel()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, qtClass);
    QFETCH(bool, itemHeight);
    QObject* object = make(kind, form_.get(), owner_.get());
    QVERIFY(object->inherits(qtClass.constData()));
    QCOMPARE(object->inherits("QComboBox") || object->inherits("QListWidget"), itemHeight);
    QCOMPARE(findPublishedProperty(object, u"ItemHeight").isValid(), itemHeight);
    // Only the glyph button answers to the glyph-button kind test, by its full class name.
    QCOMPARE(object->inherits("widgets::GlyphButton"), kind == u"GlyphButton");
    QCOMPARE(object->inherits("QLabel"), kind == u"Label");
}

QTEST_MAIN(PropertiesTest)
#include "tst_properties.moc"
