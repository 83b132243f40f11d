// SPDX-License-Identifier: GPL-3.0-or-later
// The file list: entry order, what is not listed, the pick event by mouse and keys, descent
// into a sub-folder by double click, names that are not UTF-8, and a missing folder.
#include "filelistbox.h"

#include <QtTest>

#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace widgets;

namespace {

void makeTree(const QString& root, const QStringList& folders, const QStringList& files)
{
    QDir dir(root);
    for (const QString& folder : folders)
        QVERIFY(dir.mkpath(folder));
    for (const QString& file : files) {
        QFile f(dir.filePath(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
}

// Entries other than plain folders and files: "fifo <name>" or "link <name> <target>".
void makeSpecial(const QString& root, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QStringList words = entry.split(u' ');
        const QByteArray path = QFile::encodeName(root + u'/' + words.value(1));
        if (words.first() == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else
            QCOMPARE(::symlink(QFile::encodeName(words.value(2)).constData(), path.constData()), 0);
    }
}

QPoint centreOf(FileListBox* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

} // namespace

class FileListBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        temp_ = std::make_unique<QTemporaryDir>();
        QVERIFY(temp_->isValid());
        form_ = std::make_unique<QWidget>();
        owner_ = std::make_unique<Component>(form_.get(), nullptr, QStringLiteral("Form1"));
        form_->resize(300, 600);
        list_ = new FileListBox(form_.get(), owner_.get(), QStringLiteral("CaricaSchemi"));
        list_->setGeometry(8, 82, 141, 521);
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void cleanup()
    {
        owner_.reset();
        form_.reset();
        temp_.reset();
    }

    void order_data();
    void order();
    void missingFolderListsNothing();
    void namesNotInUtf8();
    void keysPickEntries();
    void mousePicksAnEntry();
    void listingPicksNothing();
    void doubleClickOnFolderDescends();
    void doubleClickOnFileStays();
    void rowsHaveTheItemHeight();

private:
    std::unique_ptr<QTemporaryDir> temp_; // a fresh folder for every test
    std::unique_ptr<QWidget> form_;
    std::unique_ptr<Component> owner_;
    FileListBox* list_ = nullptr;
};

void FileListBoxTest::order_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("special"); // for makeSpecial
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("folderCount");

    const QStringList none;
    QTest::newRow("folders first") << QStringList {"zeta"} << QStringList {"a.dis"} << none
                                   << QStringList {"zeta", "a.dis"} << 1;
    QTest::newRow("case ignored in both groups")
        << QStringList {"beta", "Alpha", "Gamma"} << QStringList {"c.txt", "B.dis", "a.dis"} << none
        << QStringList {"Alpha", "beta", "Gamma", "a.dis", "B.dis", "c.txt"} << 3;
    QTest::newRow("digits and letters") << none << QStringList {"Z.dis", "10.dis", "2.dis", "_x.dis"} << none
                                        << QStringList {"10.dis", "2.dis", "_x.dis", "Z.dis"} << 0;
    QTest::newRow("empty folder") << none << none << none << none << 0;
    QTest::newRow("hidden entries left out")
        << QStringList {".git", "facili"} << QStringList {".x.dis", "casa.dis"} << none
        << QStringList {"facili", "casa.dis"} << 1;
    QTest::newRow("long names with blanks")
        << QStringList {"schemi difficili"} << QStringList {"una casa grande.dis"} << none
        << QStringList {"schemi difficili", "una casa grande.dis"} << 1;
    QTest::newRow("a link is what it points to")
        << QStringList {"facili"} << QStringList {"casa.dis"}
        << QStringList {"link scorciatoia facili", "link copia.dis casa.dis", "link zz.dis facili"}
        << QStringList {"facili", "scorciatoia", "zz.dis", "casa.dis", "copia.dis"} << 3;
    QTest::newRow("no devices, FIFOs, broken links or loops of links")
        << none << QStringList {"casa.dis"}
        << QStringList {"fifo tubo.dis", "link zero.dis /dev/zero", "link null /dev/null",
               "link rotto.dis nessuno.dis", "link anello.dis anello.dis"}
        << QStringList {"casa.dis"} << 0;
}

void FileListBoxTest::order()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QStringList, special);
    QFETCH(QStringList, listed);
    QFETCH(int, folderCount);
    const QString root = temp_->filePath(QStringLiteral("schemi"));
    QVERIFY(QDir().mkpath(root));
    makeTree(root, folders, files);
    makeSpecial(root, special);

    list_->setDirectory(root);
    QCOMPARE(list_->items(), listed);
    QCOMPARE(list_->property("Items").toStringList(), listed);
    for (int row = 0; row < list_->count(); ++row) {
        QCOMPARE(list_->isFolder(row), row < folderCount);
        QVERIFY(!list_->item(row)->icon().isNull());
    }
    QVERIFY(!list_->items().contains(QStringLiteral(".")));
    QVERIFY(!list_->items().contains(QStringLiteral("..")));
    QCOMPARE(list_->fileName(), QString());
}

void FileListBoxTest::missingFolderListsNothing()
{
    makeTree(temp_->path(), {}, {QStringLiteral("a.dis")});
    list_->setDirectory(temp_->path());
    QCOMPARE(list_->count(), 1);
    QSignalSpy picks(list_, &FileListBox::pickChanged);
    const QString missing = temp_->filePath(QStringLiteral("schemi"));
    list_->setDirectory(missing);
    QCOMPARE(list_->count(), 0);
    QCOMPARE(list_->directory(), missing);
    QCOMPARE(list_->fileName(), QString());
    QCOMPARE(picks.size(), 0);
    QTest::keyClick(list_, Qt::Key_Down);
    QCOMPARE(picks.size(), 0);
}

// Names written by an older Windows system, in Windows-1252: shown decoded, handed on and
// entered by their own bytes. A name in UTF-8 shows as UTF-8.
void FileListBoxTest::namesNotInUtf8()
{
    const QByteArray root = QFile::encodeName(temp_->path());
    const QByteArray file = root + "/caf\xE9.dis";
    const QByteArray folder = root + "/\xE0 faire";
    const QByteArray inner = folder + "/t\xE9.dis";
    // Qt leaves such names out when it removes the temporary folder: they go by hand.
    const auto removeThem = qScopeGuard([&] {
        ::unlink(inner.constData());
        ::rmdir(folder.constData());
        ::unlink(file.constData());
    });
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    for (const QByteArray& path : {file, inner}) {
        const int fd = ::creat(path.constData(), 0600);
        QVERIFY(fd >= 0);
        ::close(fd);
    }
    makeTree(temp_->path(), {}, {QStringLiteral("perché.dis")});

    list_->setDirectory(temp_->path());
    QCOMPARE(list_->items(),
        (QStringList {QStringLiteral("à faire"), QStringLiteral("café.dis"), QStringLiteral("perché.dis")}));
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 1));
    QCOMPARE(list_->nativeFileName(), file);
    QCOMPARE(list_->fileName(), temp_->path() + QStringLiteral("/café.dis"));
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 2));
    QCOMPARE(list_->nativeFileName(), root + "/perch\xC3\xA9.dis");

    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 0));
    QCOMPARE(list_->nativeDirectory(), folder);
    QCOMPARE(list_->directory(), temp_->path() + QStringLiteral("/à faire"));
    QCOMPARE(list_->items(), QStringList {QStringLiteral("té.dis")});
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 0));
    QCOMPARE(list_->nativeFileName(), inner);
}

void FileListBoxTest::keysPickEntries()
{
    makeTree(temp_->path(), {QStringLiteral("facili")},
        {QStringLiteral("casa.dis"), QStringLiteral("albero.dis")});
    list_->setDirectory(temp_->path());
    QSignalSpy picks(list_, &FileListBox::pickChanged);
    list_->setFocus();

    QTest::keyClick(list_, Qt::Key_Down);
    QCOMPARE(picks.size(), 1);
    QCOMPARE(list_->fileName(), temp_->path() + QStringLiteral("/facili"));
    QTest::keyClick(list_, Qt::Key_Down);
    QCOMPARE(picks.size(), 2);
    QCOMPARE(list_->fileName(), temp_->path() + QStringLiteral("/albero.dis"));
    QTest::keyClick(list_, Qt::Key_End);
    QCOMPARE(picks.size(), 3);
    QCOMPARE(list_->fileName(), temp_->path() + QStringLiteral("/casa.dis"));
    // At the end of the list the selection does not move, and nothing is reported.
    QTest::keyClick(list_, Qt::Key_Down);
    QCOMPARE(picks.size(), 3);
    QTest::keyClick(list_, Qt::Key_Up);
    QCOMPARE(picks.size(), 4);
    QCOMPARE(list_->fileName(), temp_->path() + QStringLiteral("/albero.dis"));
}

void FileListBoxTest::mousePicksAnEntry()
{
    makeTree(temp_->path(), {}, {QStringLiteral("a.dis"), QStringLiteral("b.dis")});
    list_->setDirectory(temp_->path() + u'/');
    // The loader reads fileName() while the signal is being delivered: it must already name
    // the clicked entry then, not only after the click.
    QStringList seen;
    connect(list_, &FileListBox::pickChanged, list_, [&] { seen.append(list_->fileName()); });
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 1));
    // A trailing separator on the folder gives no doubled one in the path.
    QCOMPARE(seen, QStringList {temp_->path() + QStringLiteral("/b.dis")});
    QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 0));
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.last(), temp_->path() + QStringLiteral("/a.dis"));
}

void FileListBoxTest::listingPicksNothing()
{
    makeTree(temp_->path(), {}, {QStringLiteral("a.dis")});
    list_->setDirectory(temp_->path());
    list_->setCurrentRow(0);
    QCOMPARE(list_->fileName(), temp_->path() + QStringLiteral("/a.dis"));
    QSignalSpy picks(list_, &FileListBox::pickChanged);
    // Listing the same folder again starts afresh: nothing selected, nothing reported.
    list_->setDirectory(temp_->path());
    QCOMPARE(list_->count(), 1);
    QCOMPARE(list_->fileName(), QString());
    QCOMPARE(picks.size(), 0);
    // A file added meanwhile shows up on the next listing.
    makeTree(temp_->path(), {}, {QStringLiteral("b.dis")});
    QVERIFY(QMetaProperty(list_->metaObject()->property(list_->metaObject()->indexOfProperty("Directory")))
                .write(list_, temp_->path()));
    QCOMPARE(list_->items(), (QStringList {"a.dis", "b.dis"}));
    QCOMPARE(picks.size(), 0);
}

void FileListBoxTest::doubleClickOnFolderDescends()
{
    makeTree(temp_->path(), {QStringLiteral("facili"), QStringLiteral("facili/vuota")},
        {QStringLiteral("z.dis"), QStringLiteral("facili/casa.dis")});
    list_->setDirectory(temp_->path());
    QCOMPARE(list_->items(), (QStringList {"facili", "z.dis"}));
    QSignalSpy picks(list_, &FileListBox::pickChanged);

    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 0));
    QCOMPARE(list_->directory(), temp_->path() + QStringLiteral("/facili"));
    QCOMPARE(list_->items(), (QStringList {"vuota", "casa.dis"}));
    QCOMPARE(list_->fileName(), QString());
    // The double click's own click picked the folder once; entering it reported nothing more.
    QCOMPARE(picks.size(), 1);

    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 0));
    QCOMPARE(list_->directory(), temp_->path() + QStringLiteral("/facili/vuota"));
    QCOMPARE(list_->count(), 0);
}

void FileListBoxTest::doubleClickOnFileStays()
{
    makeTree(temp_->path(), {QStringLiteral("facili")}, {QStringLiteral("z.dis")});
    list_->setDirectory(temp_->path());
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, centreOf(list_, 1));
    QCOMPARE(list_->directory(), temp_->path());
    QCOMPARE(list_->fileName(), temp_->path() + QStringLiteral("/z.dis"));
}

void FileListBoxTest::rowsHaveTheItemHeight()
{
    makeTree(temp_->path(), {}, {QStringLiteral("a.dis"), QStringLiteral("b.dis")});
    list_->setDirectory(temp_->path());
    QCOMPARE(list_->itemHeight(), 18);
    QCOMPARE(list_->visualItemRect(list_->item(1)).height(), 18);
    QCOMPARE(list_->visualItemRect(list_->item(1)).top(), 18);
    QVERIFY(list_->setProperty("ItemHeight", 27));
    QCOMPARE(list_->visualItemRect(list_->item(1)).top(), 27);
}

QTEST_MAIN(FileListBoxTest)
#include "tst_filelistbox.moc"
