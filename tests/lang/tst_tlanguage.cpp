// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the translation component TLanguage on a small window of its own.
#include "component.h"
#include "languagewindow.h"
#include "tlanguage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using lang::TLanguage;
using widgets::Component;

namespace {

// A non-visual component with properties of kinds the translation never writes, among them
// kinds Qt would happily convert a text or a list into.
class Extra : public QObject, public Component {
    Q_OBJECT
    Q_PROPERTY(double Ratio MEMBER ratio)
    Q_PROPERTY(QVariant Data MEMBER data)
    Q_PROPERTY(QByteArray Bytes MEMBER bytes)

public:
    explicit Extra(Component* owner)
        : Component(this, owner, QStringLiteral("Extra"))
    {
    }

    double ratio = 1.0;
    QVariant data = 7;
    QByteArray bytes = "x";
};

using langtest::italian;

// The language corner of the window, and a component with properties of other kinds.
class SmallWindow : public langtest::LanguageWindow {
public:
    SmallWindow()
    {
        esci->setGeometry(735, 4, 55, 21);
        stampa->setGeometry(648, 4, 79, 21);
        combo->setItems({QStringLiteral("italiano")});
        extra = new Extra(this);
        extra->setParent(this);
        addLanguage();
    }

    Extra* extra;
};

} // namespace

class TestTLanguage : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void construction();
    void separatorAssignment_data();
    void separatorAssignment();
    void propertiesList();

    void translate_data();
    void translate();
    void valueCut();
    void missingFile();
    void toInteger_data();
    void toInteger();
    void integerProperty_data();
    void integerProperty();
    void invalidIntegerEndsPass();
    void stringLists_data();
    void stringLists();
    void otherKindsSkipped_data();
    void otherKindsSkipped();
    void eventsInOrder();
    void handlerChangesNewValue_data();
    void handlerChangesNewValue();
    void beforeRedirectsFile();
    void fileReadOncePerPass();
    void repeatedPasses();
    void applicationProperty();

private:
    QString writeFile(const QString& name, const QByteArray& bytes);
    // The object of the component that a path "Form1.<component>.<property>" names.
    static QObject* objectOf(const QString& path)
    {
        return Component::application()
            .findComponent(u"Form1")
            ->findComponent(path.section(u'.', 1, 1))
            ->object();
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<SmallWindow> window_;
};

void TestTLanguage::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    window_ = std::make_unique<SmallWindow>();
}

void TestTLanguage::cleanup()
{
    window_.reset();
    dir_.reset();
}

QString TestTLanguage::writeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = dir_->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

void TestTLanguage::construction()
{
    Component owner(nullptr);
    QObject parent;
    TLanguage fresh(&owner, &parent);
    QCOMPARE(fresh.separator(), QString());
    QCOMPARE(fresh.languageFile(), QString());
    QVERIFY(fresh.properties().isEmpty());
    QCOMPARE(fresh.owner(), &owner);
    QCOMPARE(fresh.QObject::parent(), &parent);
    QCOMPARE(window_->language->QObject::parent(), window_.get());
    QCOMPARE(window_->findComponent(u"language1"), window_->language);
    // Published under the design's names, so it can itself be reached by name.
    QCOMPARE(fresh.property("Separator").toString(), QString());
    QVERIFY(fresh.setProperty("LanguageFile", QStringLiteral("x.lng")));
    QCOMPARE(fresh.languageFile(), QStringLiteral("x.lng"));
}

void TestTLanguage::separatorAssignment_data()
{
    QTest::addColumn<QString>("assigned");
    QTest::addColumn<QString>("stored");

    QTest::newRow("empty") << ""
                           << ",";
    QTest::newRow("blank") << " "
                           << ",";
    QTest::newRow("control characters") << "\t\r\n"
                                        << ",";
    QTest::newRow("semicolon") << ";"
                               << ";";
    QTest::newRow("blank semicolon blank") << " ; "
                                           << " ; ";
    QTest::newRow("word") << " and "
                          << " and ";
}

void TestTLanguage::separatorAssignment()
{
    QFETCH(QString, assigned);
    QFETCH(QString, stored);
    window_->language->setSeparator(assigned);
    QCOMPARE(window_->language->separator(), stored);
}

void TestTLanguage::propertiesList()
{
    TLanguage& language = *window_->language;
    QStringList mine {QStringLiteral("a"), QStringLiteral("b")};
    language.setProperties(mine);
    mine.append(QStringLiteral("c"));
    QCOMPARE(language.properties(), (QStringList {"a", "b"}));
    // Reading yields the owned list itself.
    language.properties().append(QStringLiteral("d"));
    QCOMPARE(language.properties(), (QStringList {"a", "b", "d"}));
    QCOMPARE(language.property("Properties").toStringList(), (QStringList {"a", "b", "d"}));
}

void TestTLanguage::translate_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");

    const QStringList standard {
        "Form1.Esci.Caption", "Form1.Label2.Caption", "Form1.StampaCrucintarsio.Caption"};
    QTest::newRow("all three") << standard
                               << QByteArray("[Translations]\nForm1.Esci.Caption=EXIT\n"
                                             "Form1.Label2.Caption=CLICK THE SQUARES\n"
                                             "Form1.StampaCrucintarsio.Caption=PRINT\n")
                               << QStringList {"EXIT", "CLICK THE SQUARES", "PRINT"};
    QTest::newRow("key in other case") << standard
                                       << QByteArray("[translations]\nFORM1.ESCI.CAPTION=EXIT\n"
                                                     "form1.stampacrucintarsio.caption=PRINT\n")
                                       << QStringList {"EXIT", italian[1], "PRINT"};
    QTest::newRow("blanks and case in the entry")
        << QStringList {" form1 . ESCI .caption ", "FORM1.label2.CAPTION"}
        << QByteArray("[Translations]\nform1 . ESCI .caption=EXIT\nForm1.Label2.Caption=CLICK\n")
        << QStringList {"EXIT", "CLICK", italian[2]};
    // The key looked up is the entry as written: the plain key does not serve a spaced entry.
    QTest::newRow("spaced entry, plain key")
        << QStringList {"Form1 . Esci . Caption"} << QByteArray("[Translations]\nForm1.Esci.Caption=EXIT\n")
        << italian;
    QTest::newRow("through the visual container")
        << QStringList {"Form1.Schermo.Esci.Caption", "Form1.StampaCrucintarsio.Caption"}
        << QByteArray(
               "[Translations]\nForm1.Schermo.Esci.Caption=EXIT\nForm1.StampaCrucintarsio.Caption=PRINT\n")
        << QStringList {italian[0], italian[1], "PRINT"};
    QTest::newRow("blank entry skipped")
        << QStringList {"Form1.Esci.Caption", "  \t", "", "Form1.Label2.Caption"}
        << QByteArray("[Translations]\nForm1.Esci.Caption=EXIT\n"
                      "Form1.Label2.Caption=CLICK\n")
        << QStringList {"EXIT", "CLICK", italian[2]};
    QTest::newRow("empty and blank values") << standard
                                            << QByteArray("[Translations]\nForm1.Esci.Caption=\n"
                                                          "Form1.Label2.Caption=   \t\n"
                                                          "Form1.StampaCrucintarsio.Caption=PRINT\n")
                                            << QStringList {italian[0], italian[1], "PRINT"};
    QTest::newRow("quoted blanks written")
        << standard << QByteArray("[Translations]\nForm1.Esci.Caption=\" \"\n")
        << QStringList {" ", italian[1], italian[2]};
    QTest::newRow("missing section") << standard << QByteArray("[Other]\nForm1.Esci.Caption=EXIT\n")
                                     << italian;
    QTest::newRow("unknown component and property")
        << QStringList {"Form1.Nessuno.Caption", "Form1.Esci.Titolo", "Nessuno.Esci.Caption",
               "Form1.Label2.Caption"}
        << QByteArray("[Translations]\nForm1.Nessuno.Caption=X\nForm1.Esci.Titolo=X\n"
                      "Nessuno.Esci.Caption=X\nForm1.Label2.Caption=CLICK\n")
        << QStringList {italian[0], "CLICK", italian[2]};
    QTest::newRow("empty segments reach nothing")
        << QStringList {"Form1..Esci.Caption", ".Form1.Esci.Caption", "Form1.Esci."}
        << QByteArray("[Translations]\nForm1..Esci.Caption=A\n.Form1.Esci.Caption=B\nForm1.Esci.=C\n")
        << italian;
    QTest::newRow("UTF-8 text") << standard
                                << QByteArray("[Translations]\nForm1.Esci.Caption=ENDE\n"
                                              "Form1.Label2.Caption=KLICKE AUF DIE KÄSTCHEN\n")
                                << QStringList {"ENDE", "KLICKE AUF DIE KÄSTCHEN", italian[2]};
}

void TestTLanguage::translate()
{
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    TLanguage& language = *window_->language;
    language.setProperties(entries);
    language.setLanguageFile(writeFile(QStringLiteral("lingua.lng"), file));
    language.Translate();
    QCOMPARE(window_->captions(), expected);
}

void TestTLanguage::valueCut()
{
    const QByteArray value = QByteArray(2047, 'a') + QByteArray(500, 'b');
    window_->language->setLanguageFile(
        writeFile(QStringLiteral("long.lng"), "[Translations]\nForm1.Label2.Caption=" + value + "\n"));
    window_->language->Translate();
    QCOMPARE(window_->label2->text(), QString(2047, u'a'));
}

void TestTLanguage::missingFile()
{
    TLanguage& language = *window_->language;
    QStringList events;
    language.OnBeforeTranslation = [&](TLanguage& sender) {
        QCOMPARE(&sender, &language);
        events << QStringLiteral("before");
    };
    language.OnAfterTranslation = [&](TLanguage& sender) {
        QCOMPARE(&sender, &language);
        events << QStringLiteral("after");
    };
    language.OnTranslate = [&](TLanguage&, Component*, const QString&, const QString&, QString&) {
        events << QStringLiteral("translate");
    };
    language.setLanguageFile(dir_->filePath(QStringLiteral("missing.lng")));
    language.Translate();
    QCOMPARE(events, (QStringList {"before", "after"}));
    QCOMPARE(window_->captions(), italian);
}

void TestTLanguage::toInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("number");

    QTest::newRow("decimal") << "120" << true << 120;
    QTest::newRow("leading spaces") << "   42" << true << 42;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("minus") << "-5" << true << -5;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("dollar hex") << "$1F" << true << 31;
    QTest::newRow("0x hex") << "0x1f" << true << 31;
    QTest::newRow("0X hex") << "0XFF" << true << 255;
    QTest::newRow("x hex") << "x10" << true << 16;
    QTest::newRow("X hex") << "X10" << true << 16;
    QTest::newRow("hex after spaces") << "  $A" << true << 10;
    QTest::newRow("hex pattern") << "$FFFFFFFF" << true << -1;
    QTest::newRow("hex 80000000") << "$80000000" << true << int(-2147483647 - 1);
    QTest::newRow("hex leading zeros") << "$000000000001" << true << 1;
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("too small") << "-2147483649" << false << 0;
    QTest::newRow("far too large") << "99999999999999999999999" << false << 0;
    QTest::newRow("hex too large") << "$100000000" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("digits then letters") << "12a" << false << 0;
    QTest::newRow("trailing space") << "12 " << false << 0;
    QTest::newRow("inner space") << "1 2" << false << 0;
    QTest::newRow("NUL inside") << QStringLiteral("1") + QChar(u'\0') + QStringLiteral("2") << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("prefix only") << "$" << false << 0;
    QTest::newRow("0x only") << "0x" << false << 0;
    QTest::newRow("sign before hex") << "-$10" << false << 0;
    QTest::newRow("two signs") << "+-1" << false << 0;
    QTest::newRow("space after sign") << "- 1" << false << 0;
    QTest::newRow("tab before") << "\t1" << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
    QTest::newRow("non-ASCII digit") << QStringLiteral("\u0661") << false << 0;
    QTest::newRow("empty") << "" << false << 0;
}

void TestTLanguage::toInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, number);
    try {
        const qint32 result = lang::toInteger(text);
        QVERIFY2(valid, "accepted an invalid number");
        QCOMPARE(result, number);
    } catch (const lang::ConversionError& e) {
        QVERIFY2(!valid, e.what());
        // what() is a C string: a NUL of the value is shown as the replacement character.
        QCOMPARE(QString::fromUtf8(e.what()),
            QStringLiteral("'%1' is not a valid integer value")
                .arg(text.replace(QChar(u'\0'), QChar(0xFFFD))));
    }
}

void TestTLanguage::integerProperty_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QVariant>("expected"); // invalid: the conversion error, nothing written

    QTest::newRow("decimal") << "Form1.Esci.Left"
                             << "120" << QVariant(120);
    QTest::newRow("negative") << "Form1.Esci.Left"
                              << "-3" << QVariant(-3);
    QTest::newRow("hexadecimal") << "Form1.Esci.Left"
                                 << "$64" << QVariant(100);
    QTest::newRow("0x") << "Form1.Esci.Left"
                        << "0x20" << QVariant(32);
    // Colours are integers $00BBGGRR: red in the low byte, blue in the high byte.
    QTest::newRow("colour red") << "Form1.Label2.Color"
                                << "$0000FF" << QVariant(QColor(0xFF, 0, 0));
    QTest::newRow("colour bytes in order") << "Form1.Label2.FontColor"
                                           << "$00FF8040" << QVariant(QColor(0x40, 0x80, 0xFF));
    QTest::newRow("colour in decimal") << "Form1.SceltaLingua.Color"
                                       << "65280" << QVariant(QColor(0, 0xFF, 0));
    QTest::newRow("colour 0x after blanks") << "Form1.SceltaLingua.FontColor"
                                            << "  0xFFFFFF" << QVariant(QColor(0xFF, 0xFF, 0xFF));
    QTest::newRow("colour top byte ignored") << "Form1.Label2.Color"
                                             << "$FF800000" << QVariant(QColor(0, 0, 0x80));
    QTest::newRow("colour name") << "Form1.Label2.Color"
                                 << "red" << QVariant();
    QTest::newRow("colour beyond 32 bits") << "Form1.Label2.Color"
                                           << "$100000000" << QVariant();
}

void TestTLanguage::integerProperty()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    QFETCH(QVariant, expected);
    QObject* object = objectOf(path);
    const QByteArray name = path.section(u'.', -1).toLatin1();
    const QVariant before = object->property(name);
    try {
        window_->language->TranslateProperty(path, value);
        QVERIFY2(expected.isValid(), "no conversion error");
    } catch (const lang::ConversionError& e) {
        QVERIFY2(!expected.isValid(), e.what());
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid integer value").arg(value));
    }
    QCOMPARE(object->property(name), expected.isValid() ? expected : before);
    QCOMPARE(window_->esci->width(), 55);
}

void TestTLanguage::invalidIntegerEndsPass()
{
    TLanguage& language = *window_->language;
    language.setProperties(
        {"Form1.Esci.Caption", "Form1.Esci.Left", "Form1.StampaCrucintarsio.Left", "Form1.Label2.Caption"});
    bool after = false;
    language.OnAfterTranslation = [&](TLanguage&) { after = true; };
    language.setLanguageFile(writeFile(QStringLiteral("bad.lng"),
        "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.Esci.Left=$10\n"
        "Form1.StampaCrucintarsio.Left=12 px\nForm1.Label2.Caption=CLICK\n"));
    try {
        language.Translate();
        QFAIL("no conversion error");
    } catch (const std::runtime_error& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'12 px' is not a valid integer value"));
    }
    QVERIFY(!after);
    QCOMPARE(window_->esci->text(), QStringLiteral("EXIT"));
    QCOMPARE(window_->esci->x(), 16);
    QCOMPARE(window_->stampa->x(), 648);
    QCOMPARE(window_->label2->text(), italian[1]);
}

void TestTLanguage::stringLists_data()
{
    QTest::addColumn<bool>("assign");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("never assigned") << false << ""
                                    << " a, b ,c " << QStringList {"a, b ,c"};
    QTest::newRow("never assigned, blank") << false << ""
                                           << "   " << QStringList {};
    QTest::newRow("comma") << true << ","
                           << "a, b ,c" << QStringList {"a", "b", "c"};
    QTest::newRow("blank assigned is comma") << true << " "
                                             << "a,b" << QStringList {"a", "b"};
    QTest::newRow("empty item inside") << true << ","
                                       << "a,,b" << QStringList {"a", "", "b"};
    QTest::newRow("blank item inside") << true << ","
                                       << "a, \t ,b" << QStringList {"a", "", "b"};
    QTest::newRow("empty item first") << true << ","
                                      << ",a" << QStringList {"", "a"};
    QTest::newRow("empty item last") << true << ","
                                     << "a,b," << QStringList {"a", "b"};
    QTest::newRow("blank item last") << true << ","
                                     << "a,b,  " << QStringList {"a", "b"};
    QTest::newRow("only separator") << true << ","
                                    << "," << QStringList {""};
    QTest::newRow("blank semicolon blank")
        << true << " ; "
        << "uno ; due;tre ; quattro" << QStringList {"uno", "due;tre", "quattro"};
    QTest::newRow("semicolon without blanks") << true << " ; "
                                              << "uno;due" << QStringList {"uno;due"};
    QTest::newRow("long separator overlapping") << true << "--"
                                                << "a---b" << QStringList {"a", "-b"};
}

void TestTLanguage::stringLists()
{
    QFETCH(bool, assign);
    QFETCH(QString, separator);
    QFETCH(QString, value);
    QFETCH(QStringList, items);
    if (assign)
        window_->language->setSeparator(separator);
    window_->language->TranslateProperty(QStringLiteral("Form1.SceltaLingua.Items"), value);
    QCOMPARE(window_->combo->items(), items);
}

void TestTLanguage::otherKindsSkipped_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");

    QTest::newRow("boolean") << "Form1.Esci.Visible"
                             << "0";
    QTest::newRow("font") << "Form1.Esci.Font"
                          << "Arial";
    QTest::newRow("enumeration") << "Form1.Schermo.BevelOuter"
                                 << "0";
    QTest::newRow("floating point") << "Form1.Extra.Ratio"
                                    << "0.5";
    QTest::newRow("variant") << "Form1.Extra.Data"
                             << "a,b";
    QTest::newRow("byte array") << "Form1.Extra.Bytes"
                                << "y";
}

void TestTLanguage::otherKindsSkipped()
{
    QFETCH(QString, path);
    QFETCH(QString, value);
    // The panel is owned by the window, so "Form1.Schermo" reaches it as a component.
    const QString name = path.section(u'.', -1);
    QObject* object = objectOf(path);
    const QVariant before = object->property(name.toLatin1());
    QVERIFY(before.isValid());
    QString oldSeen = QStringLiteral("unset");
    window_->language->OnTranslate = [&](TLanguage&, Component*, const QString&, const QString& oldValue,
                                         QString&) { oldSeen = oldValue; };
    window_->language->setSeparator(QStringLiteral(","));
    window_->language->TranslateProperty(path, value);
    QCOMPARE(object->property(name.toLatin1()), before);
    QCOMPARE(oldSeen, QString());
    QVERIFY(object->dynamicPropertyNames().isEmpty());
}

void TestTLanguage::eventsInOrder()
{
    TLanguage& language = *window_->language;
    language.setProperties({"Form1.Esci.Caption", "Form1.Nessuno.Caption", "Form1.Esci.Titolo",
        "Form1.Label2.Caption", "form1 . stampacrucintarsio . CAPTION"});
    QStringList events;
    language.OnBeforeTranslation = [&](TLanguage&) { events << QStringLiteral("before"); };
    language.OnAfterTranslation = [&](TLanguage&) { events << QStringLiteral("after"); };
    language.OnTranslate = [&](TLanguage& sender, Component* component, const QString& propertyName,
                               const QString& oldValue, QString& newValue) {
        QCOMPARE(&sender, &language);
        events << QStringLiteral("%1.%2:%3->%4").arg(component->name(), propertyName, oldValue, newValue);
    };
    language.setLanguageFile(writeFile(QStringLiteral("events.lng"),
        "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.Nessuno.Caption=X\nForm1.Esci.Titolo=T\n"
        "Form1.Label2.Caption=\nform1 . stampacrucintarsio . CAPTION=PRINT\n"));
    language.Translate();
    QCOMPARE(events,
        (QStringList {"before", "Esci.Caption:ESCI->EXIT", "Esci.Titolo:->T",
            "StampaCrucintarsio.CAPTION:STAMPA->PRINT", "after"}));
}

void TestTLanguage::handlerChangesNewValue_data()
{
    QTest::addColumn<QString>("replacement");

    QTest::newRow("other text") << "CHANGED";
    QTest::newRow("empty text") << "";
    QTest::newRow("blank") << " ";
}

void TestTLanguage::handlerChangesNewValue()
{
    QFETCH(QString, replacement);
    TLanguage& language = *window_->language;
    language.OnTranslate
        = [&](TLanguage&, Component* component, const QString&, const QString&, QString& newValue) {
              if (component == window_->esci)
                  newValue = replacement;
          };
    language.setLanguageFile(writeFile(
        QStringLiteral("h.lng"), "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.Label2.Caption=CLICK\n"));
    language.Translate();
    QCOMPARE(window_->captions(), (QStringList {replacement, "CLICK", italian[2]}));
}

void TestTLanguage::beforeRedirectsFile()
{
    TLanguage& language = *window_->language;
    const QString real = writeFile(QStringLiteral("real.lng"), "[Translations]\nForm1.Esci.Caption=EXIT\n");
    language.setLanguageFile(dir_->filePath(QStringLiteral("missing.lng")));
    language.OnBeforeTranslation = [&](TLanguage& sender) { sender.setLanguageFile(real); };
    language.Translate();
    QCOMPARE(window_->esci->text(), QStringLiteral("EXIT"));
}

void TestTLanguage::fileReadOncePerPass()
{
    // A handler that rewrites the file during the pass does not change the values read after it.
    TLanguage& language = *window_->language;
    const QString path = writeFile(QStringLiteral("once.lng"),
        "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.StampaCrucintarsio.Caption=PRINT\n");
    language.setLanguageFile(path);
    language.OnTranslate = [&](TLanguage&, Component*, const QString&, const QString&, QString&) {
        writeFile(QStringLiteral("once.lng"), "[Translations]\nForm1.StampaCrucintarsio.Caption=OTHER\n");
    };
    language.Translate();
    QCOMPARE(window_->captions(), (QStringList {"EXIT", italian[1], "PRINT"}));
}

void TestTLanguage::repeatedPasses()
{
    TLanguage& language = *window_->language;
    language.setLanguageFile(writeFile(QStringLiteral("english.lng"),
        "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.StampaCrucintarsio.Caption=PRINT\n"));
    language.Translate();
    language.setLanguageFile(
        writeFile(QStringLiteral("deutsch.lng"), "[Translations]\nForm1.Esci.Caption=ENDE\n"));
    language.Translate();
    // Untranslated texts keep the last pass's text, not the built-in one.
    QCOMPARE(window_->captions(), (QStringList {"ENDE", italian[1], "PRINT"}));
}

void TestTLanguage::applicationProperty()
{
    // A path without "." names a property of the application itself.
    const QString before = QCoreApplication::applicationName();
    window_->language->TranslateProperty(QStringLiteral(" APPLICATIONNAME "), QStringLiteral("Tessera"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Tessera"));
    QCoreApplication::setApplicationName(before);
}

QTEST_MAIN(TestTLanguage)
#include "tst_tlanguage.moc"
