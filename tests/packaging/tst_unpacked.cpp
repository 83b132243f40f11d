// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on the files of the unpacked Debian package: it finds the shipped schemes and
// languages, and the administrator's scheme folder appears in the list through its link.
// package.sh runs it with TESSARIA_UNPACKED_ROOT set to the folder the package was unpacked in.
#include "windowtest.h"

#include "combobox.h"
#include "filelistbox.h"
#include "glyphbutton.h"
#include "label.h"
#include "shape.h"
#include "skinbutton.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

const QString SourceDir = QStringLiteral(TESSARIA_SOURCE_DIR);

QString unpackedRoot()
{
    return qEnvironmentVariable("TESSARIA_UNPACKED_ROOT");
}

// Where the package puts the program and its data, and where the administrator's schemes go.
QString programFolder()
{
    return unpackedRoot() + QStringLiteral("/usr/lib/tessaria/");
}

QString siteSchemes()
{
    return unpackedRoot() + QStringLiteral("/usr/local/share/tessaria/schemi");
}

QStringList sorted(QStringList names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// The lines of the source tree's lingue.txt.
QStringList sourceLanguages()
{
    QFile file(SourceDir + QStringLiteral("/lang/data/lingue.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList names = QString::fromUtf8(file.readAll()).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    if (names.last().isEmpty())
        names.removeLast();
    return names;
}

} // namespace

class TestUnpacked : public WindowTest {
    Q_OBJECT

private:
    void openWindow()
    {
        form = std::make_unique<TForm1>(programFolder());
        showWindow();
    }

    // The folder entries, or else the file entries, of the scheme list, in name order.
    QStringList listed(bool folders) const
    {
        QStringList names;
        for (int row = 0; row < form->CaricaSchemi->count(); ++row)
            if (form->CaricaSchemi->isFolder(row) == folders)
                names << form->CaricaSchemi->item(row)->text();
        return sorted(names);
    }

    // The captions after applying two languages in turn, on a window of its own: the language
    // pass finds its window by name, so only one window may exist at a time.
    static QStringList captionsAfter(const QString& exeFolder, const QString& first, const QString& second)
    {
        TForm1 window(exeFolder);
        for (const QString& language : {first, second}) {
            window.SceltaLingua->setText(language);
            window.SceltaLinguaChange();
        }
        return {window.Esci->text(), window.Label2->text(), window.StampaCrucintarsio->text()};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!unpackedRoot().isEmpty(), "run by package.sh, with TESSARIA_UNPACKED_ROOT set");
        QVERIFY2(QFileInfo(programFolder() + QStringLiteral("tessaria")).isExecutable(),
            qPrintable(programFolder()));
    }

    // The list shows what the source tree's schemi/ holds at its top; the link to the
    // administrator's folder, dangling while that folder is missing, is left out.
    void shippedSchemes()
    {
        openWindow();
        const QDir source(SourceDir + QStringLiteral("/schemi"));
        QCOMPARE(listed(true), sorted(source.entryList(QDir::Dirs | QDir::NoDotAndDotDot)));
        QCOMPARE(listed(false), sorted(source.entryList(QDir::Files)));
        QVERIFY(!listed(false).isEmpty());
        QVERIFY(errors.isEmpty());
    }

    // Once the administrator's folder exists, "<" lists it as the folder "scuola"; its schemes
    // open and load like the shipped ones.
    void administratorSchemes()
    {
        QVERIFY(!QFileInfo::exists(siteSchemes()));
        openWindow();
        QVERIFY(!listed(true).contains(QStringLiteral("scuola")));

        QVERIFY(QDir().mkpath(siteSchemes()));
        QFile scheme(siteSchemes() + QStringLiteral("/prova.dis"));
        QVERIFY(scheme.open(QIODevice::WriteOnly));
        scheme.write("#-#\n-#-\n#--\n");
        scheme.close();

        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
        QVERIFY(listed(true).contains(QStringLiteral("scuola")));
        const QList<QListWidgetItem*> found
            = form->CaricaSchemi->findItems(QStringLiteral("scuola"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        QTest::mouseDClick(form->CaricaSchemi->viewport(), Qt::LeftButton, {},
            form->CaricaSchemi->visualItemRect(found.first()).center());
        QCOMPARE(form->CaricaSchemi->items(), QStringList {"prova.dis"});

        form->CaricaSchemi->setCurrentRow(0);
        QCOMPARE(form->Label4->text(), QStringLiteral("4"));
        QVERIFY(errors.isEmpty());
        QVERIFY(QDir(unpackedRoot() + QStringLiteral("/usr/local")).removeRecursively());
    }

    // The flag lists the languages of the source tree, and each applies as it does from the
    // source tree's own files. Another language goes first, so that applying one shows a change.
    void shippedLanguages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("before");
        const QStringList names = sourceLanguages();
        QVERIFY(names.size() > 1);
        for (qsizetype i = 0; i < names.size(); ++i)
            QTest::newRow(names[i].toUtf8().constData()) << names[i] << names[(i + 1) % names.size()];
    }

    void shippedLanguages()
    {
        QFETCH(QString, name);
        QFETCH(QString, before);
        openWindow();
        QTest::mouseClick(form->RichiamaLingua2, Qt::LeftButton);
        QCOMPARE(form->SceltaLingua->items(), sourceLanguages());
        form.reset();

        const QStringList packaged = captionsAfter(programFolder(), before, name);
        QCOMPARE(packaged, captionsAfter(SourceDir + QStringLiteral("/lang/data/"), before, name));
        QVERIFY(errors.isEmpty());
    }
};

QTEST_MAIN(TestUnpacked)
#include "tst_unpacked.moc"
