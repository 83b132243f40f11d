// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the text-file helpers and the INI reader behind the language files.
#include "asanyuser.h"
#include "inifile.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using lang::IniFile;

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void valueCut_data();
    void valueCut();
    void missingFile();
    void fileEncodings_data();
    void fileEncodings();

    void decodeText_data();
    void decodeText();
    void textLines_data();
    void textLines();
    void trimming_data();
    void trimming();
    void readErrors_data();
    void readErrors();
};

void TestIniFile::values_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString s = QStringLiteral("Translations");
    const QString k = QStringLiteral("Form1.Esci.Caption");
    QTest::newRow("plain") << "[Translations]\nForm1.Esci.Caption=EXIT\n" << s << k << "EXIT";
    QTest::newRow("section case") << "[TRANSLATIONS]\nForm1.Esci.Caption=EXIT\n" << s << k << "EXIT";
    QTest::newRow("section blanks") << "  [ Translations ]  \nForm1.Esci.Caption=EXIT" << s << k << "EXIT";
    QTest::newRow("key case") << "[Translations]\nFORM1.esci.CAPTION=EXIT\n" << s << k << "EXIT";
    QTest::newRow("non-ASCII key case") << "[Translations]\nÉTÉ=summer\n"
                                        << s << "été"
                                        << "summer";
    QTest::newRow("blanks around key in file") << "[Translations]\n\t Form1.Esci.Caption \t=EXIT\n"
                                               << s << k << "EXIT";
    QTest::newRow("blanks around key asked") << "[Translations]\nForm1.Esci.Caption=EXIT\n"
                                             << s << "  Form1.Esci.Caption "
                                             << "EXIT";
    QTest::newRow("blanks inside key count") << "[Translations]\nForm1.Esci.Caption=EXIT\n"
                                             << s << "Form1 . Esci . Caption"
                                             << "";
    QTest::newRow("value trimmed") << "[Translations]\nForm1.Esci.Caption=  \t EXIT  \t\n"
                                   << s << k << "EXIT";
    QTest::newRow("CR LF") << "[Translations]\r\nForm1.Esci.Caption=EXIT\r\nX=1\r\n" << s << k << "EXIT";
    QTest::newRow("double quotes") << "[Translations]\nForm1.Esci.Caption= \"  EX IT \" \n"
                                   << s << k << "  EX IT ";
    QTest::newRow("single quotes") << "[Translations]\nForm1.Esci.Caption='EXIT'\n" << s << k << "EXIT";
    QTest::newRow("one pair only") << "[Translations]\nForm1.Esci.Caption=\"\"EXIT\"\"\n"
                                   << s << k << "\"EXIT\"";
    QTest::newRow("quotes not matching") << "[Translations]\nForm1.Esci.Caption='EXIT\"\n"
                                         << s << k << "'EXIT\"";
    QTest::newRow("quote not enclosing") << "[Translations]\nForm1.Esci.Caption=\"EX\" IT\n"
                                         << s << k << "\"EX\" IT";
    QTest::newRow("single quote char") << "[Translations]\nForm1.Esci.Caption=\"\n" << s << k << "\"";
    QTest::newRow("empty quotes") << "[Translations]\nForm1.Esci.Caption=\"\"\n" << s << k << "";
    QTest::newRow("equals in value") << "[Translations]\nForm1.Esci.Caption=A=B\n" << s << k << "A=B";
    QTest::newRow("semicolon in value") << "[Translations]\nForm1.Esci.Caption=A ; B\n" << s << k << "A ; B";
    QTest::newRow("empty value") << "[Translations]\nForm1.Esci.Caption=\n" << s << k << "";
    QTest::newRow("missing key") << "[Translations]\nForm1.Label2.Caption=X\n" << s << k << "";
    QTest::newRow("missing section") << "[Other]\nForm1.Esci.Caption=EXIT\n" << s << k << "";
    QTest::newRow("key before any section") << "Form1.Esci.Caption=EXIT\n[Translations]\n" << s << k << "";
    QTest::newRow("other section after") << "[Translations]\n[Other]\nForm1.Esci.Caption=EXIT\n"
                                         << s << k << "";
    QTest::newRow("semicolon comment") << "[Translations]\n;Form1.Esci.Caption=EXIT\n" << s << k << "";
    QTest::newRow("hash comment") << "[Translations]\n  #Form1.Esci.Caption=EXIT\n" << s << k << "";
    QTest::newRow("comment before value") << "[Translations]\n; note\n# note\nForm1.Esci.Caption=EXIT\n"
                                          << s << k << "EXIT";
    QTest::newRow("first key wins") << "[Translations]\nForm1.Esci.Caption=ONE\nform1.esci.caption=TWO\n"
                                    << s << k << "ONE";
    QTest::newRow("first key wins when empty")
        << "[Translations]\nForm1.Esci.Caption=\nForm1.Esci.Caption=TWO\n"
        << s << k << "";
    QTest::newRow("repeated section") << "[Translations]\nA=1\n[Other]\nB=2\n[translations]\n"
                                         "Form1.Esci.Caption=EXIT\n"
                                      << s << k << "EXIT";
    QTest::newRow("first wins across sections")
        << "[Translations]\nForm1.Esci.Caption=ONE\n[Other]\n[Translations]\nForm1.Esci.Caption=TWO\n"
        << s << k << "ONE";
    QTest::newRow("line without equals") << "[Translations]\nForm1.Esci.Caption\nForm1.Esci.Caption=EXIT\n"
                                         << s << k << "EXIT";
    QTest::newRow("header without bracket") << "[Translations\nForm1.Esci.Caption=EXIT\n" << s << k << "EXIT";
    QTest::newRow("no line end at the end") << "[Translations]\nForm1.Esci.Caption=EXIT" << s << k << "EXIT";
}

void TestIniFile::values()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(IniFile::fromText(text).value(section, key), expected);
}

void TestIniFile::valueCut_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    const QString a2047(2047, u'a');
    QTest::newRow("2046") << QString(2046, u'a') << QString(2046, u'a');
    QTest::newRow("2047") << a2047 << a2047;
    QTest::newRow("2048") << a2047 + u'b' << a2047;
    QTest::newRow("3000") << a2047 + QString(953, u'b') << a2047;
    // The quotes are removed before the cut, so 2047 characters inside them all stay.
    QTest::newRow("quoted 2047") << u'"' + a2047 + u'"' << a2047;
    // A character outside the BMP is never cut in half.
    const QString clef = QStringLiteral("\U0001D11E");
    QTest::newRow("surrogate pair at the cut") << QString(2046, u'a') + clef << QString(2046, u'a');
    QTest::newRow("surrogate pair before the cut")
        << QString(2045, u'a') + clef + u'b' << QString(2045, u'a') + clef;
}

void TestIniFile::valueCut()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    const IniFile file = IniFile::fromText(QStringLiteral("[Translations]\nKey=") + value + u'\n');
    QCOMPARE(file.value(u"Translations", u"Key"), expected);
}

void TestIniFile::missingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const IniFile file(dir.filePath(QStringLiteral("missing.lng")));
    QCOMPARE(file.value(u"Translations", u"Form1.Esci.Caption"), QString());
    // A folder in place of the file reads as empty too.
    const IniFile folder(dir.path());
    QCOMPARE(folder.value(u"Translations", u"Form1.Esci.Caption"), QString());
}

void TestIniFile::fileEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("UTF-8") << QByteArray("[Translations]\nK=ÉCOLE ÄÖÜ ñ\n") << QStringLiteral("ÉCOLE ÄÖÜ ñ");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[Translations]\nK=FRANÇAIS\n")
                                    << QStringLiteral("FRANÇAIS");
    QTest::newRow("Windows-1252") << QByteArray("[Translations]\nK=FRAN\xC7"
                                                "AIS \x80 \x93X\x94\n")
                                  << QStringLiteral("FRANÇAIS € “X”");
    QTest::newRow("ASCII") << QByteArray("[Translations]\r\nK=EXIT\r\n") << QStringLiteral("EXIT");
}

void TestIniFile::fileEncodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("lingua.lng"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    QCOMPARE(IniFile(path).value(u"translations", u"k"), expected);
}

void TestIniFile::decodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("only BOM") << QByteArray("\xEF\xBB\xBF") << QString();
    QTest::newRow("UTF-8") << QByteArray("espa\xC3\xB1ol") << QStringLiteral("español");
    QTest::newRow("UTF-8 four bytes") << QByteArray("\xF0\x9F\x99\x82") << QStringLiteral("\U0001F642");
    QTest::newRow("BOM skipped") << QByteArray("\xEF\xBB\xBF"
                                               "abc")
                                 << QStringLiteral("abc");
    QTest::newRow("BOM only at the start") << QByteArray("a\xEF\xBB\xBF") << QStringLiteral("a\uFEFF");
    QTest::newRow("second BOM kept") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                                   "a")
                                     << QStringLiteral("\uFEFFa");
    QTest::newRow("Latin-1 range") << QByteArray("espa\xF1ol") << QStringLiteral("español");
    QTest::newRow("Windows-1252 range") << QByteArray("\x80\x8A\x9C\x9F") << QStringLiteral("€ŠœŸ");
    QTest::newRow("undefined bytes") << QByteArray("\x81\x8D\x8F\x90\x9D")
                                     << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
    // One invalid byte makes the whole file Windows-1252, valid UTF-8 sequences included.
    QTest::newRow("mixed") << QByteArray("\xC3\xA9\xE9") << QStringLiteral("Ã©é");
    QTest::newRow("truncated at the end") << QByteArray("ok\xC3") << QStringLiteral("okÃ");
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QStringLiteral("À¯");
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QStringLiteral("í\u00A0€");
    QTest::newRow("BOM then invalid") << QByteArray("\xEF\xBB\xBF\xE9t\xE9") << QStringLiteral("été");
}

void TestIniFile::decodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(lang::decodeText(bytes), expected);
}

void TestIniFile::textLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty text") << "" << QStringList {""};
    QTest::newRow("one line end") << "\n" << QStringList {""};
    QTest::newRow("two line ends") << "\n\n" << QStringList {"", ""};
    QTest::newRow("no final line end") << "a\nb" << QStringList {"a", "b"};
    QTest::newRow("final line end") << "a\nb\n" << QStringList {"a", "b"};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList {"a", "b"};
    QTest::newRow("mixed line ends") << "a\r\nb\nc" << QStringList {"a", "b", "c"};
    QTest::newRow("blank line inside") << "a\n\nb\n" << QStringList {"a", "", "b"};
    QTest::newRow("empty CR LF line") << "a\r\n\r\nb" << QStringList {"a", "", "b"};
    QTest::newRow("blanks kept") << " a \n\tb\t\n" << QStringList {" a ", "\tb\t"};
    QTest::newRow("lone CR kept") << "a\rb\nc\r" << QStringList {"a\rb", "c\r"};
    QTest::newRow("duplicates kept") << "a\na\n" << QStringList {"a", "a"};
}

void TestIniFile::textLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(lang::textLines(text), expected);
}

void TestIniFile::trimming_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks") << " \t\r\n"
                            << "";
    QTest::newRow("control characters") << QStringLiteral("\x01\x1F"
                                                          "a b\x7F\x1F")
                                        << QStringLiteral("a b\x7F");
    QTest::newRow("no-break space kept")
        << QStringLiteral(" \u00A0a\u00A0 ") << QStringLiteral("\u00A0a\u00A0");
    QTest::newRow("inside kept") << "  a  b  "
                                 << "a  b";
}

void TestIniFile::trimming()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(lang::trimmed(text), expected);
    QCOMPARE(lang::isBlank(text), expected.isEmpty());
}

void TestIniFile::readErrors_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing file") << "missing.txt" << ENOENT << "File not found";
    QTest::newRow("missing folder") << "nowhere/lingue.txt" << ENOENT << "File not found";
    QTest::newRow("file used as folder") << "file.txt/lingue.txt" << ENOTDIR << "File not found";
    QTest::newRow("folder") << "folder" << EISDIR << QStringLiteral("I/O error %1").arg(EISDIR);
    QTest::newRow("file without read permission") << "locked.txt" << EACCES << "File access denied";
}

void TestIniFile::readErrors()
{
    QFETCH(QString, relativePath);
    QFETCH(int, code);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QFile file(dir.filePath(QStringLiteral("file.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QFile locked(dir.filePath(QStringLiteral("locked.txt")));
    QVERIFY(locked.open(QIODevice::WriteOnly));
    locked.close();
    QVERIFY(locked.setPermissions({}));
    const enginetest::WithoutReadOverride asAnyUser;
    try {
        lang::readTextFile(dir.filePath(relativePath));
        QFAIL("no error raised");
    } catch (const lang::InOutError& e) {
        QCOMPARE(e.code(), code);
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
