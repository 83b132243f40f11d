// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the language chooser and of the language files that ship with the program.
#include "combobox.h"
#include "component.h"
#include "errors.h"
#include "fonts.h"
#include "inifile.h"
#include "languagechooser.h"
#include "languagewindow.h"
#include "paths.h"
#include "textfile.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using lang::LanguageChooser;
using lang::TLanguage;
using widgets::Component;

namespace {

using langtest::italian;

// The language corner of the window with the chooser wired as the window wires it (errors go to
// the error box).
class ChooserWindow : public langtest::LanguageWindow {
public:
    explicit ChooserWindow(const QString& folder)
    {
        resize(814, 629);
        schermo->setGeometry(0, 0, 814, 629);
        combo->setGeometry(3, 2, 222, 31);
        combo->setText(QStringLiteral("italiano"));
        combo->hide();
        addLanguage();
        chooser = std::make_unique<LanguageChooser>(*combo, *language, [folder] { return folder; });
        QObject::connect(combo, &widgets::ComboBox::changed, combo,
            [this] { widgets::guarded([this] { chooser->choose(); }); });
    }

    std::unique_ptr<LanguageChooser> chooser;
};

QString shippedData()
{
    return QStringLiteral(TESSARIA_SOURCE_DIR "/lang/data/");
}

} // namespace

class TestLanguageChooser : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void languageFilePath_data();
    void languageFilePath();
    void languageFilePathOfExecutable();

    void openFillsList_data();
    void openFillsList();
    void openRereadsFile();
    void openWithoutList_data();
    void openWithoutList();
    void choose_data();
    void choose();
    void chooseErrorKeepsComboShown();
    void pickInRealComboBox();
    void arrowKeyChooses();
    void typingChooses();

    void shippedLanguages();
    void shippedCaptionsFit_data();
    void shippedCaptionsFit();

private:
    void writeFile(const QString& name, const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ChooserWindow> window_;
    QStringList errors_;
};

void TestLanguageChooser::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    window_ = std::make_unique<ChooserWindow>(dir_->path() + u'/');
    errors_.clear();
    widgets::setErrorReporter([this](const QString& message) { errors_ << message; });
}

void TestLanguageChooser::cleanup()
{
    widgets::setErrorReporter({});
    window_.reset();
    dir_.reset();
}

void TestLanguageChooser::writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(dir_->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestLanguageChooser::languageFilePath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");

    QTest::newRow("small letters") << "/opt/t/"
                                   << "english"
                                   << "/opt/t/english.lng";
    QTest::newRow("capitals") << "/opt/t/"
                              << "EnGLiSH"
                              << "/opt/t/english.lng";
    QTest::newRow("folder without separator") << "/opt/t"
                                              << "deutsch"
                                              << "/opt/t/deutsch.lng";
    QTest::newRow("capitals beyond ASCII kept") << "/opt/t/"
                                                << "FRANÇAIS"
                                                << "/opt/t/franÇais.lng";
    QTest::newRow("small beyond ASCII kept") << "/opt/t/"
                                             << "Español"
                                             << "/opt/t/español.lng";
    QTest::newRow("trailing blank kept") << "/opt/t/"
                                         << "english "
                                         << "/opt/t/english .lng";
    QTest::newRow("leading blank kept") << "/opt/t/"
                                        << " english"
                                        << "/opt/t/ english.lng";
    QTest::newRow("empty name") << "/opt/t/"
                                << ""
                                << "/opt/t/.lng";
    // The name is joined as it stands: a leading "/" never leaves the folder.
    QTest::newRow("name starting with a separator") << "/opt/t/"
                                                    << "/etc/x"
                                                    << "/opt/t//etc/x.lng";
    QTest::newRow("no folder") << ""
                               << "English"
                               << "english.lng";
}

void TestLanguageChooser::languageFilePath()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(lang::LanguageFilePath(folder, name), path);
}

void TestLanguageChooser::languageFilePathOfExecutable()
{
    QCOMPARE(widgets::executableFolder(), QCoreApplication::applicationDirPath() + u'/');
    QCOMPARE(lang::LanguageFilePath(QStringLiteral("ITALIANO")),
        QCoreApplication::applicationDirPath() + QStringLiteral("/italiano.lng"));
}

void TestLanguageChooser::openFillsList_data()
{
    QTest::addColumn<QByteArray>("lingue");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty file") << QByteArray() << QStringList {""};
    QTest::newRow("one line end") << QByteArray("\n") << QStringList {""};
    QTest::newRow("final line end") << QByteArray("italiano\nenglish\n")
                                    << QStringList {"italiano", "english"};
    QTest::newRow("no final line end")
        << QByteArray("italiano\nenglish") << QStringList {"italiano", "english"};
    QTest::newRow("CR LF") << QByteArray("italiano\r\nenglish\r\n") << QStringList {"italiano", "english"};
    QTest::newRow("blank line inside")
        << QByteArray("italiano\n\nenglish\n") << QStringList {"italiano", "", "english"};
    QTest::newRow("trailing blank kept") << QByteArray("english \n") << QStringList {"english "};
    QTest::newRow("capitals and duplicates")
        << QByteArray("English\nenglish\n") << QStringList {"English", "english"};
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF"
                                                  "français\nespañol\n")
                                    << QStringList {"français", "español"};
    QTest::newRow("Windows-1252") << QByteArray("fran\xE7"
                                                "ais\r\nespa\xF1ol\r\n")
                                  << QStringList {"français", "español"};
}

void TestLanguageChooser::openFillsList()
{
    QFETCH(QByteArray, lingue);
    QFETCH(QStringList, items);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    writeFile(QStringLiteral("lingue.txt"), lingue);
    window_->combo->setItems({QStringLiteral("old"), QStringLiteral("older")});
    QSignalSpy changes(window_->combo, &widgets::ComboBox::changed);
    window_->chooser->open();
    QCOMPARE(window_->combo->items(), items);
    QCOMPARE(window_->combo->text(), QStringLiteral("italiano"));
    QVERIFY(window_->combo->isVisible());
    QTRY_VERIFY(window_->combo->view()->isVisible());
    // Filling the list is no choice: nothing was applied.
    QCOMPARE(changes.count(), 0);
    QCOMPARE(window_->language->languageFile(), QString());
}

void TestLanguageChooser::openRereadsFile()
{
    writeFile(QStringLiteral("lingue.txt"), "italiano\n");
    window_->chooser->open();
    QCOMPARE(window_->combo->items(), QStringList {"italiano"});
    writeFile(QStringLiteral("lingue.txt"), "english\ndeutsch\n");
    window_->chooser->open();
    QCOMPARE(window_->combo->items(), (QStringList {"english", "deutsch"}));
}

void TestLanguageChooser::openWithoutList_data()
{
    QTest::addColumn<bool>("shown");
    QTest::newRow("combo box hidden") << false;
    QTest::newRow("combo box shown") << true;
}

void TestLanguageChooser::openWithoutList()
{
    QFETCH(bool, shown);
    window_->show();
    writeFile(QStringLiteral("lingue.txt"), "italiano\nenglish\n");
    if (shown)
        window_->chooser->open();
    QVERIFY(QFile::remove(dir_->filePath(QStringLiteral("lingue.txt"))));
    window_->combo->setText(QStringLiteral("english"));
    try {
        window_->chooser->open();
        QFAIL("no error for a missing lingue.txt");
    } catch (const lang::InOutError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("File not found"));
    }
    QCOMPARE(window_->combo->items(), QStringList());
    QCOMPARE(window_->combo->text(), QStringLiteral("english"));
    QCOMPARE(window_->combo->isVisible(), shown);
}

void TestLanguageChooser::choose_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("captions");

    QTest::newRow("plain") << "english" << QStringList {"EXIT", "CLICK", "PRINT"};
    QTest::newRow("capitals") << "ENGLISH" << QStringList {"EXIT", "CLICK", "PRINT"};
    QTest::newRow("capital beyond ASCII") << "FRANÇAIS" << QStringList {"FIN", italian[1], italian[2]};
    QTest::newRow("trailing blank") << "english " << italian;
    QTest::newRow("no such file") << "klingon" << italian;
    QTest::newRow("empty name") << "" << QStringList {"DOT", italian[1], italian[2]};
}

void TestLanguageChooser::choose()
{
    QFETCH(QString, name);
    QFETCH(QStringList, captions);
    writeFile(QStringLiteral("english.lng"),
        "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.Label2.Caption=CLICK\n"
        "Form1.StampaCrucintarsio.Caption=PRINT\n");
    writeFile(QStringLiteral("franÇais.lng"), "[Translations]\nForm1.Esci.Caption=FIN\n");
    writeFile(QStringLiteral(".lng"), "[Translations]\nForm1.Esci.Caption=DOT\n");
    window_->show();
    window_->combo->show();
    window_->combo->setText(name);
    window_->chooser->choose();
    QCOMPARE(window_->captions(), captions);
    QCOMPARE(window_->language->languageFile(), lang::LanguageFilePath(dir_->path(), name));
    QVERIFY(window_->combo->isHidden());
}

void TestLanguageChooser::chooseErrorKeepsComboShown()
{
    window_->language->properties().append(QStringLiteral("Form1.Esci.Width"));
    writeFile(
        QStringLiteral("english.lng"), "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.Esci.Width=wide\n");
    window_->show();
    window_->combo->show();
    window_->combo->setText(QStringLiteral("english"));
    QVERIFY_THROWS_EXCEPTION(lang::ConversionError, window_->chooser->choose());
    QVERIFY(window_->combo->isVisible());
    QCOMPARE(window_->esci->text(), QStringLiteral("EXIT"));
}

void TestLanguageChooser::pickInRealComboBox()
{
    writeFile(QStringLiteral("lingue.txt"), "italiano\nenglish\n");
    writeFile(QStringLiteral("english.lng"),
        "[Translations]\nForm1.Esci.Caption=EXIT\nForm1.Label2.Caption=CLICK\n"
        "Form1.StampaCrucintarsio.Caption=PRINT\n");
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->chooser->open();
    QAbstractItemView* list = window_->combo->view();
    QTRY_VERIFY(list->isVisible());
    const QModelIndex english = list->model()->index(1, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(english).center());
    QTRY_VERIFY(window_->combo->isHidden());
    QCOMPARE(window_->combo->text(), QStringLiteral("english"));
    QCOMPARE(window_->captions(), (QStringList {"EXIT", "CLICK", "PRINT"}));
    QCOMPARE(errors_, QStringList());
}

void TestLanguageChooser::arrowKeyChooses()
{
    // The first entry reached with the arrow keys is applied at once.
    writeFile(QStringLiteral("lingue.txt"), "deutsch\nenglish\n");
    writeFile(QStringLiteral("deutsch.lng"), "[Translations]\nForm1.Esci.Caption=ENDE\n");
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->chooser->open();
    window_->combo->hidePopup();
    window_->combo->setFocus();
    QTest::keyClick(window_->combo, Qt::Key_Down);
    QCOMPARE(window_->combo->text(), QStringLiteral("deutsch"));
    QVERIFY(window_->combo->isHidden());
    QCOMPARE(window_->esci->text(), QStringLiteral("ENDE"));
}

void TestLanguageChooser::typingChooses()
{
    // The first typed change is a choice of the text as it then stands.
    writeFile(QStringLiteral("lingue.txt"), "italiano\nenglish\n");
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->chooser->open();
    window_->combo->hidePopup();
    QLineEdit* field = window_->combo->lineEdit();
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_X);
    QVERIFY(window_->combo->isHidden());
    QCOMPARE(window_->language->languageFile(), lang::LanguageFilePath(dir_->path(), window_->combo->text()));
    QCOMPARE(window_->captions(), italian);
}

void TestLanguageChooser::shippedLanguages()
{
    // Every language offered has a complete file; italiano brings the built-in texts back.
    const QStringList names
        = lang::textLines(lang::readTextFile(shippedData() + QStringLiteral("lingue.txt")));
    QCOMPARE(names,
        (QStringList {"italiano", "english", "deutsch", "français", "español", "română", "shqip", "العربية",
            "中文", "українська"}));
    auto window = std::make_unique<ChooserWindow>(shippedData());
    window_.reset();
    window->show();
    for (const QString& name : names) {
        const QString path = lang::LanguageFilePath(shippedData(), name);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        const lang::IniFile file(path);
        QStringList expected;
        for (const QString& entry : window->language->properties()) {
            expected << file.value(u"Translations", entry);
            QVERIFY2(!expected.last().isEmpty(), qPrintable(name + u' ' + entry));
        }
        window->combo->setText(name);
        window->chooser->choose();
        QCOMPARE(window->captions(), expected);
    }
    window->combo->setText(QStringLiteral("italiano"));
    window->chooser->choose();
    QCOMPARE(window->captions(), italian);
}

void TestLanguageChooser::shippedCaptionsFit_data()
{
    QTest::addColumn<QString>("name");
    for (const QString& name :
        lang::textLines(lang::readTextFile(shippedData() + QStringLiteral("lingue.txt"))))
        QTest::newRow(qPrintable(name)) << name;
}

void TestLanguageChooser::shippedCaptionsFit()
{
    // At the design size: the buttons are 55 and 79 pixels wide with "Courier New" of 19 pixels,
    // the instruction label 364 pixels with 11 pixels bold. Two pixels of frame on each side of
    // a button.
    QFETCH(QString, name);
    const lang::IniFile file(lang::LanguageFilePath(shippedData(), name));
    const QFontMetrics buttons(widgets::layoutFont(QStringLiteral("Courier New"), 19));
    const QFontMetrics label(widgets::layoutFont(QStringLiteral("Courier New"), 11, true));
    const QString esci = file.value(u"Translations", u"Form1.Esci.Caption");
    const QString stampa = file.value(u"Translations", u"Form1.StampaCrucintarsio.Caption");
    const QString label2 = file.value(u"Translations", u"Form1.Label2.Caption");
    QVERIFY2(buttons.horizontalAdvance(esci) + 4 <= 55, qPrintable(esci));
    QVERIFY2(buttons.horizontalAdvance(stampa) + 4 <= 79, qPrintable(stampa));
    QVERIFY2(label.horizontalAdvance(label2) <= 364, qPrintable(label2));
    // Capitals, like the built-in texts.
    for (const QString& text : {esci, stampa, label2})
        QCOMPARE(text, text.toUpper());
}

QTEST_MAIN(TestLanguageChooser)
#include "tst_languagechooser.moc"
