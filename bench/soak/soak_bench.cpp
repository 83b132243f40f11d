// SPDX-License-Identifier: GPL-3.0-or-later
// Soak benchmark: a long random session on the real main window (offscreen), printing resident
// memory as it goes; fails when memory keeps growing or an error box appears.
#include "form1.h"
#include "procstatus.h"
#include "screen.h"

#include "boardbox.h"
#include "checkbox.h"
#include "colors.h"
#include "combobox.h"
#include "errors.h"
#include "filelistbox.h"
#include "glyphbutton.h"
#include "label.h"
#include "panel.h"
#include "shape.h"
#include "skinbutton.h"
#include "timer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderAddressSanitizer = true;
#else
constexpr bool UnderAddressSanitizer = false;
#endif

constexpr long DefaultEvents = 100000;
constexpr long ReportEvery = 10000;
// Growth allowed after the first ReportEvery events: caches (glyphs, pixmaps, fonts of every
// scaled size) fill during those and then stay.
constexpr long RssLimitKb = 2048;

// --- Memory ------------------------------------------------------------------------------

// Bytes handed out by malloc and not yet freed, small blocks and mapped ones (glibc's own
// count; an ASan build replaces malloc, so there it means nothing).
long heapInUseKb()
{
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

// One reading of memory. glibc keeps freed memory for reuse: once it has unmapped a large
// block it serves blocks of that size from the heap and keeps up to twice that size of freed
// heap. Offscreen, the window frees an 8 MB image on every resize at 1920 x 1080 and on every
// print, so the plain resident figure wanders by some 15 MB with whatever happened to be freed
// last, while the memory in use stays put. That kept memory is what lets the next window image
// come without fresh pages (handing every large block back to the system at once made a
// rescale with its repaint five times slower offscreen). The figure judged is therefore the
// resident memory after the allocator has handed its free memory back (malloc_trim): a leak,
// or a cache that keeps growing, is memory in use and stays in it.
struct Reading {
    long residentKb = -1;
    long trimmedKb = -1;
    long heapKb = -1;
};

Reading readMemory()
{
    Reading r;
    r.residentKb = bench::statusKb("VmRSS");
    if (!UnderAddressSanitizer) {
        malloc_trim(0);
        r.heapKb = heapInUseKb();
    }
    r.trimmedKb = bench::statusKb("VmRSS");
    return r;
}

// --- The exe folder ----------------------------------------------------------------------

// Copies folder `from` with its sub-folders into `to`; false on any failure.
bool copyTree(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(
        from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        const bool ok = it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target);
        if (!ok)
            return false;
    }
    return true;
}

// The shipped schemes, lingue.txt and the language files, copied into exeFolder.
bool copyShippedData(const QString& exeFolder)
{
    const QString source = QStringLiteral(TESSARIA_SOURCE_DIR);
    if (!copyTree(source + QStringLiteral("/schemi"), exeFolder + QStringLiteral("schemi")))
        return false;
    const QDir languages(source + QStringLiteral("/lang/data"));
    const QStringList files
        = languages.entryList({QStringLiteral("lingue.txt"), QStringLiteral("*.lng")}, QDir::Files);
    for (const QString& name : files) {
        if (!QFile::copy(languages.filePath(name), exeFolder + name))
            return false;
    }
    return files.contains(QStringLiteral("lingue.txt")) && files.size() > 1;
}

int countSchemes(const QString& folder)
{
    int n = 0;
    QDirIterator it(folder, {QStringLiteral("*.dis")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

// Processes events until done() holds or the time is up; returns done().
bool waitFor(const std::function<bool()>& done, int ms = 5000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}

// --- The session -------------------------------------------------------------------------

enum class EventKind {
    CellClick,
    ClueClick,
    Hover,
    SosToggle,
    GuideToggle,
    ListClick,
    ListKey,
    ListDoubleClick,
    Back,
    Language,
    Resize,
    Print,
    Pause,
};

struct EventKindInfo {
    EventKind kind;
    const char* name;
    // Chances in 10,000: while a picture is in play, and while there is none (nothing
    // loaded yet, or the picture is complete).
    int playing;
    int choosing;
};

// A child plays a picture for a while, clicking and hovering over the board, now and then
// switching a box, the language or the window size, or printing; once the picture is complete
// (or given up, rarely) it looks through the scheme list for another.
const EventKindInfo EventKinds[] = {
    {EventKind::CellClick, "cell click", 4300, 300},
    {EventKind::Hover, "hover over a cell", 2800, 300},
    {EventKind::ClueClick, "clue slot click", 1000, 200},
    {EventKind::ListClick, "scheme list click", 6, 4000},
    {EventKind::ListKey, "scheme list key", 2, 1600},
    {EventKind::ListDoubleClick, "scheme list double click", 2, 1600},
    {EventKind::Back, "\"<\"", 2, 1000},
    {EventKind::SosToggle, "\"SOS !!!\" on/off", 400, 200},
    {EventKind::GuideToggle, "\"---\" on/off", 400, 200},
    {EventKind::Language, "language by the flag", 500, 300},
    {EventKind::Resize, "resize", 500, 200},
    {EventKind::Print, "print to PDF", 86, 98},
    {EventKind::Pause, "pause of 1.1 s", 2, 2},
};

// The window sizes the session moves between. 1100 x 720 and 1280 x 720 scale every font
// alike (the height limits them both), so that a resize between them changes bounds only.
const QSize Sizes[] = {{814, 629}, {1024, 768}, {1366, 768}, {1920, 1080}, {1100, 720}, {1280, 720}};
const QSize SameFontsA(1100, 720);
const QSize SameFontsB(1280, 720);

class Session {
public:
    Session(TForm1& form, quint64 seed, QString pdfPath)
        : form_(form)
        , random_(seed)
        , pdfPath_(std::move(pdfPath))
    {
        for (int n = 1; n <= engine::BoxCount; ++n)
            boxes_.push_back(qobject_cast<widgets::BoardBox*>(
                form_.findComponent(QStringLiteral("suiEdit%1").arg(n))->object()));
        QObject::connect(form_.Timer1, &widgets::Timer::timeout, [this] { ++timerTicks; });
        captionsSeen.insert(form_.Esci->text());
    }

    // One event of the kind drawn at random; false when the driver itself failed (a control
    // did not respond the way any player would see it respond), with the reason in failure.
    bool step(long number)
    {
        number_ = number;
        const bool playing = inPlay();
        int draw = pick(10000);
        for (const EventKindInfo& k : EventKinds) {
            const int weight = playing ? k.playing : k.choosing;
            if (draw < weight) {
                ++done[k.kind];
                kindName_ = k.name;
                QElapsedTimer clock;
                clock.start();
                const bool ok = run(k.kind);
                nanoseconds[k.kind] += clock.nsecsElapsed();
                return ok;
            }
            draw -= weight;
        }
        return fail(QStringLiteral("the chances do not add up to 10,000"));
    }

    // Brings the window into the same state before every reading of memory: at the size it
    // opens in, repainted, nothing pending. The backing store alone is 8 MB at 1920 x 1080 and
    // 2 MB at 814 x 629, so a reading taken at whatever size the session left would swing by
    // more than the limit.
    bool settle()
    {
        const QSize size(1920, 1080);
        if (form_.size() != size) {
            form_.resize(size);
            if (!waitFor([this, size] { return form_.Schermo->size() == size; }))
                return fail(QStringLiteral("the window did not take 1920 x 1080 before a reading"));
        }
        QTest::qWait(20);
        return true;
    }

    // The event under way, for the messages that it raises.
    QString current() const
    {
        return QStringLiteral("event %1 (%2)").arg(number_).arg(QLatin1String(kindName_));
    }

    std::map<EventKind, long> done;
    std::map<EventKind, qint64> nanoseconds;
    long timerTicks = 0;
    long cellsChanged = 0;
    long completions = 0;
    long schemesLoaded = 0;
    long foldersEntered = 0;
    long languageChoices = 0;
    long pdfBytes = 0;
    QSet<QString> captionsSeen;
    QString failure;
    // Fonts and bounds of the board at each size, as first seen, compared on every return.
    std::map<std::pair<int, int>, QStringList> layouts;

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return pick(100) < percent; }

    bool fail(const QString& why)
    {
        failure = current() + QStringLiteral(": ") + why;
        return false;
    }

    widgets::BoardBox* box(int n) const { return boxes_[size_t(n - 1)]; }

    // Whether a picture is in play: a live cell holds a mark. Before the first load the cells
    // are empty; a completed picture's cells are disabled.
    bool inPlay() const
    {
        for (int n = 1; n <= engine::CellCount; ++n) {
            const widgets::BoardBox* cell = box(n);
            if (!cell->isHidden() && cell->isEnabled() && !cell->boxText().isEmpty())
                return true;
        }
        return false;
    }

    // The boxes in [first, last] that take clicks; with preferWhite, mostly the white ones,
    // so that pictures come to completion now and then.
    widgets::BoardBox* randomBox(int first, int last, bool preferWhite)
    {
        std::vector<widgets::BoardBox*> live;
        std::vector<widgets::BoardBox*> white;
        for (int n = first; n <= last; ++n) {
            widgets::BoardBox* b = box(n);
            if (!b->isVisible() || !b->isEnabled())
                continue;
            live.push_back(b);
            if (b->color() == engine::color::White)
                white.push_back(b);
        }
        if (preferWhite && !white.empty() && chance(80))
            return white[size_t(pick(int(white.size())))];
        return live.empty() ? nullptr : live[size_t(pick(int(live.size())))];
    }

    // A point inside widget w, away from its border.
    QPoint inside(const QWidget* w)
    {
        const int dx = std::max(1, w->width() / 4);
        const int dy = std::max(1, w->height() / 4);
        return w->rect().center() + QPoint(pick(2 * dx + 1) - dx, pick(2 * dy + 1) - dy) / 2;
    }

    bool run(EventKind kind)
    {
        switch (kind) {
        case EventKind::CellClick:
            return cellEvent(true);
        case EventKind::ClueClick:
            return clueClick();
        case EventKind::Hover:
            return cellEvent(false);
        case EventKind::SosToggle:
            return toggle(form_.CheckBox1);
        case EventKind::GuideToggle:
            return toggle(form_.CheckBox2)
                && (form_.Panel1->isVisible() == form_.CheckBox2->isChecked()
                    || fail(QStringLiteral("the guide lines do not follow \"---\"")));
        case EventKind::ListClick:
            return listClick(false);
        case EventKind::ListDoubleClick:
            return listClick(true);
        case EventKind::ListKey:
            return listKey();
        case EventKind::Back:
            return back();
        case EventKind::Language:
            return language();
        case EventKind::Resize:
            return resize();
        case EventKind::Print:
            return print();
        case EventKind::Pause:
            return pause();
        }
        return false;
    }

    // A click on a live cell, or the mouse moved onto one the way the player moves it (the
    // cursor goes there and the window under it delivers the move). A board without a live
    // cell (the picture is complete) gets a scheme pick instead.
    bool cellEvent(bool click)
    {
        widgets::BoardBox* cell = randomBox(1, engine::CellCount, true);
        if (!cell)
            return listClick(false);
        const engine::Color before = cell->color();
        QPoint where = inside(cell);
        if (click) {
            QTest::mouseClick(cell, Qt::LeftButton, {}, where);
        } else {
            if (cell->mapToGlobal(where) == QCursor::pos())
                where += QPoint(1, 0);
            QTest::mouseMove(cell, where);
        }
        if (cell->color() != before)
            ++cellsChanged;
        // The click that completes the picture turns every found cell, this one too, green.
        if (cell->color() == engine::color::Green)
            ++completions;
        return true;
    }

    bool clueClick()
    {
        widgets::BoardBox* slot = randomBox(engine::FirstRowClueSlot, engine::LastClueSlot, false);
        if (!slot)
            return listClick(false);
        QTest::mouseClick(slot, Qt::LeftButton, {}, inside(slot));
        return true;
    }

    bool toggle(widgets::CheckBox* box)
    {
        const bool before = box->isChecked();
        // The tick box at the left edge, where a child aims.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        if (box->isChecked() == before)
            return fail(QStringLiteral("a click on %1 did not change it").arg(box->text()));
        return true;
    }

    // Clicks (or double-clicks) an entry of the scheme list; a double click on a folder
    // enters it.
    bool listClick(bool twice)
    {
        widgets::FileListBox* list = form_.CaricaSchemi;
        if (list->count() == 0)
            return fail(QStringLiteral("the scheme list is empty in %1").arg(list->directory()));
        const int row = pick(list->count());
        const bool folder = list->isFolder(row);
        const QString entry = list->directory() + QLatin1Char('/') + list->item(row)->text();
        QListWidgetItem* item = list->item(row);
        list->scrollToItem(item);
        const QPoint where = list->visualItemRect(item).center();
        // A double click arrives as press, release, double click, release. (Qt Test's double
        // click on a widget is the third event alone, and leaves the button held.)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
        if (twice) {
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, where);
        }
        if (twice && folder) {
            if (QDir(list->directory()) != QDir(entry))
                return fail(QStringLiteral("a double click on %1 did not enter it").arg(entry));
            ++foldersEntered;
        } else if (list->fileName() != entry) {
            return fail(QStringLiteral("a click on %1 (row %2) did not select it; the selection is \"%3\"")
                            .arg(entry)
                            .arg(row)
                            .arg(list->fileName()));
        } else if (!folder) {
            ++schemesLoaded;
        }
        return true;
    }

    bool listKey()
    {
        static const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown};
        QTest::keyClick(form_.CaricaSchemi, keys[pick(std::size(keys))]);
        return true;
    }

    bool back()
    {
        QTest::mouseClick(form_.BitBtn1, Qt::LeftButton, {}, inside(form_.BitBtn1));
        if (QDir(form_.CaricaSchemi->directory()) != QDir(form_.schemeFolder()))
            return fail(QStringLiteral("\"<\" did not return to the scheme folder"));
        return true;
    }

    // The flag opens the language list (any button, any stripe); the player then chooses by
    // a click, an arrow key or a first letter, or closes the list with Escape.
    bool language()
    {
        widgets::Shape* stripes[] = {form_.RichiamaLingua1, form_.RichiamaLingua2, form_.RichiamaLingua3};
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        widgets::Shape* stripe = stripes[pick(3)];
        const Qt::MouseButton button = buttons[pick(4)];
        const QPoint inWindow = stripe->mapTo(&form_, inside(stripe));
        QTest::mousePress(form_.windowHandle(), button, {}, inWindow);
        QTest::mouseRelease(form_.windowHandle(), button, {}, inWindow);
        widgets::ComboBox* combo = form_.SceltaLingua;
        QAbstractItemView* list = combo->view();
        if (!waitFor([list] { return list->isVisible(); }))
            return fail(QStringLiteral("the flag did not open the language list"));
        if (combo->count() == 0)
            return fail(QStringLiteral("the language list is empty"));

        const int row = pick(combo->count());
        const QString name = combo->itemText(row);
        switch (pick(4)) {
        case 0: {
            const QModelIndex index = list->model()->index(row, 0);
            list->scrollTo(index);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
            break;
        }
        case 1:
            QTest::keyClick(list, chance(50) ? Qt::Key_Down : Qt::Key_Up);
            break;
        case 2:
            // A first letter outside Latin-1 (Arabic, Chinese, Cyrillic) has no key QTest can
            // type: the player then closes the list below.
            if (!name.isEmpty() && name.at(0).toLatin1() != 0)
                QTest::keyClick(list, name.at(0).toLatin1());
            break;
        default:
            QTest::keyClick(list, Qt::Key_Escape);
            break;
        }
        QCoreApplication::processEvents();
        if (!list->isVisible()) {
            // A choice hides the combo box; Escape leaves it shown with its list closed.
            if (!combo->isVisible())
                ++languageChoices;
        } else {
            // A key that chose nothing leaves the list open (a letter typed soon after another
            // one continues the type-ahead search, and rarely matches): the player closes it.
            QTest::keyClick(list, Qt::Key_Escape);
            if (!waitFor([list] { return !list->isVisible(); }))
                return fail(QStringLiteral("Escape did not close the language list"));
        }
        captionsSeen.insert(form_.Esci->text());
        return true;
    }

    // Bounds and fonts that a resize to a size must give every time it reaches that size.
    QStringList layoutSnapshot() const
    {
        QStringList lines;
        auto add = [&lines](const QWidget* w, const char* name) {
            const QRect g = w->geometry();
            lines << QStringLiteral("%1 %2,%3 %4x%5 font %6")
                         .arg(QLatin1String(name))
                         .arg(g.x())
                         .arg(g.y())
                         .arg(g.width())
                         .arg(g.height())
                         .arg(w->font().pixelSize());
        };
        for (int n = 1; n <= engine::BoxCount; n += 23)
            add(box(n), "box");
        add(box(engine::BoxCount), "box");
        add(form_.CaricaSchemi, "CaricaSchemi");
        add(form_.BitBtn1, "BitBtn1");
        add(form_.CheckBox1, "CheckBox1");
        add(form_.CheckBox2, "CheckBox2");
        add(form_.Panel5, "Panel5");
        return lines;
    }

    bool resize()
    {
        QSize size = Sizes[pick(std::size(Sizes))];
        if (size == form_.size())
            size = Sizes[0] == size ? Sizes[1] : Sizes[0];
        if (form_.windowState() & Qt::WindowMaximized) {
            form_.showNormal();
            waitFor([this] { return !(form_.windowState() & Qt::WindowMaximized); });
        }
        form_.resize(size);
        if (!waitFor([this, size] { return form_.Schermo->size() == size; }))
            return fail(
                QStringLiteral("the window did not take %1 x %2").arg(size.width()).arg(size.height()));
        const QStringList now = layoutSnapshot();
        const auto [seen, first] = layouts.try_emplace({size.width(), size.height()}, now);
        if (!first && seen->second != now) {
            QString diff;
            for (qsizetype i = 0; i < now.size() && i < seen->second.size(); ++i)
                if (now[i] != seen->second[i])
                    diff += QStringLiteral("\n  %1 instead of %2").arg(now[i], seen->second[i]);
            return fail(QStringLiteral("the layout at %1 x %2 differs from its first visit:%3")
                            .arg(size.width())
                            .arg(size.height())
                            .arg(diff));
        }
        return true;
    }

    // The player stops for a moment: the timers run, and the seconds display of a picture in
    // play moves on.
    bool pause()
    {
        const bool ticking = form_.Timer1->isActive();
        const long ticksBefore = timerTicks;
        QTest::qWait(1100);
        if (ticking && timerTicks == ticksBefore)
            return fail(QStringLiteral("Timer1 did not tick in 1.1 s"));
        return true;
    }

    // The window's own print path, to a PDF file in the temporary folder: no printer of the
    // machine is involved.
    bool print()
    {
        QFile::remove(pdfPath_);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath_);
        printer.setDocName(QStringLiteral("Tessaria"));
        widgets::guarded([&] { form_.printTo(printer); });
        QFile pdf(pdfPath_);
        if (!pdf.open(QIODevice::ReadOnly) || !pdf.read(5).startsWith("%PDF-"))
            return fail(QStringLiteral("printing wrote no PDF file"));
        pdfBytes = pdf.size();
        return true;
    }

    TForm1& form_;
    std::vector<widgets::BoardBox*> boxes_;
    std::mt19937_64 random_;
    QString pdfPath_;
    long number_ = 0;
    const char* kindName_ = "start-up";
};

// Qt's warnings by text, with how often each came: they say when a driven event went astray.
std::map<QString, long> qtWarnings;

void noteMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        ++qtWarnings[message];
}

int usage(const char* program)
{
    std::fprintf(stderr,
        "usage: %s [EVENTS [SEED]]\n  EVENTS: how many events (default %ld); SEED: repeats a run\n", program,
        DefaultEvents);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    long events = DefaultEvents;
    quint64 seed = std::random_device {}();
    seed = (seed << 32) ^ std::random_device {}();
    if (argc > 3)
        return usage(argv[0]);
    if (argc > 1) {
        char* end = nullptr;
        events = std::strtol(argv[1], &end, 10);
        if (*end || events <= 0)
            return usage(argv[0]);
    }
    if (argc > 2) {
        char* end = nullptr;
        seed = std::strtoull(argv[2], &end, 10);
        if (*end)
            return usage(argv[0]);
    }

    QTemporaryDir temp;
    if (!bench::useOffscreenScreen(temp.path()))
        return 1;
    // The print path asks the CUPS client for the default printer before it is set to PDF:
    // point it at a socket that nothing listens on, so that no printer of the machine is asked.
    qputenv("CUPS_SERVER", QFile::encodeName(temp.filePath(QStringLiteral("no-cups.sock"))));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(temp.path()));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    QApplication application(argc, argv);
    qInstallMessageHandler(noteMessage);

    const QString exeFolder = temp.path() + QStringLiteral("/exe/");
    if (!copyShippedData(exeFolder)) {
        std::fprintf(
            stderr, "could not copy the shipped schemes and languages to %s\n", qPrintable(exeFolder));
        return 1;
    }
    std::printf("soak: %ld events, seed %llu (repeat: soak_bench %ld %llu)\n", events,
        static_cast<unsigned long long>(seed), events, static_cast<unsigned long long>(seed));
    std::printf("  %d shipped schemes, languages of %s\n", countSchemes(exeFolder + QStringLiteral("schemi")),
        qPrintable(exeFolder + QStringLiteral("lingue.txt")));
    if (UnderAddressSanitizer)
        std::printf("  AddressSanitizer build: resident memory is printed but not judged (freed memory "
                    "is held in quarantine); LeakSanitizer reports leaks at exit\n");

    // No event of the session calls for an error box: each one it shows is noted here, with
    // the event that raised it.
    QStringList errors;
    const Session* session = nullptr;
    widgets::setErrorReporter([&errors, &session](const QString& message) {
        errors << (session ? session->current() : QStringLiteral("start-up")) + QStringLiteral(": ")
                + message;
    });

    int status = 0;
    {
        TForm1 form(exeFolder);
        form.show();
        if (!QTest::qWaitForWindowActive(&form)) {
            std::fprintf(stderr, "the window did not become active\n");
            return 1;
        }
        Session driven(form, seed, temp.filePath(QStringLiteral("soak.pdf")));
        session = &driven;

        // One event per turn of the event loop, so that repaints, deferred deletions and
        // Timer1's ticks run between events as they do in the program.
        long done = 0;
        long baselineKb = -1;
        // The highest reading after the baseline, and when it was taken.
        long worstGrowthKb = 0;
        long worstAt = -1;
        bool running = false;
        QElapsedTimer clock;
        clock.start();
        std::printf("%10s %12s %12s %12s %10s\n", "events", "RSS MB", "trimmed MB", "in use MB", "seconds");
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (running)
                return;
            running = true;
            const bool ok = driven.step(done + 1);
            running = false;
            ++done;
            if (!ok) {
                status = 1;
                application.quit();
                return;
            }
            if (done % ReportEvery == 0 || done == events) {
                if (!driven.settle()) {
                    status = 1;
                    application.quit();
                    return;
                }
                const Reading now = readMemory();
                const QByteArray heap
                    = now.heapKb < 0 ? QByteArray("-") : QByteArray::number(now.heapKb / 1024.0, 'f', 1);
                std::printf("%10ld %12.1f %12.1f %12s %10.1f\n", done, now.residentKb / 1024.0,
                    now.trimmedKb / 1024.0, heap.constData(), clock.elapsed() / 1000.0);
                std::fflush(stdout);
                const long rss = now.trimmedKb;
                if (done == ReportEvery)
                    baselineKb = rss;
                else if (baselineKb >= 0 && (worstAt < 0 || rss - baselineKb > worstGrowthKb)) {
                    worstGrowthKb = rss - baselineKb;
                    worstAt = done;
                }
            }
            if (done == events)
                application.quit();
        });
        driver.start(0);
        application.exec();
        driver.stop();
        const double seconds = clock.elapsed() / 1000.0;

        if (!driven.failure.isEmpty())
            std::printf("FAIL: the session could not go on: %s\n", qPrintable(driven.failure));
        std::printf("run time %.1f s for %ld events (%.0f events/s)\n", seconds, done, done / seconds);
        std::printf("events by kind, and the time each took with its own event processing:\n");
        for (const EventKindInfo& k : EventKinds)
            std::printf("  %-26s %8ld   %8.3f ms each\n", k.name, driven.done[k.kind],
                driven.done[k.kind] ? driven.nanoseconds[k.kind] / 1e6 / double(driven.done[k.kind]) : 0.0);
        std::printf(
            "effects: %ld cells changed, %ld pictures completed, %ld scheme loads, %ld folders entered,\n"
            "  %ld languages chosen (the exit button showed %lld captions), %ld Timer1 ticks, last PDF %ld "
            "bytes,\n"
            "  %zu window sizes visited\n",
            driven.cellsChanged, driven.completions, driven.schemesLoaded, driven.foldersEntered,
            driven.languageChoices, static_cast<long long>(driven.captionsSeen.size()), driven.timerTicks,
            driven.pdfBytes, driven.layouts.size());
        std::printf("Qt warnings:%s\n", qtWarnings.empty() ? " none" : "");
        for (const auto& [message, count] : qtWarnings)
            std::printf("  %6ld x %s\n", count, qPrintable(message));

        // The two sizes meant to share their fonts must do so, or the pair tests nothing.
        const auto a = driven.layouts.find({SameFontsA.width(), SameFontsA.height()});
        const auto b = driven.layouts.find({SameFontsB.width(), SameFontsB.height()});
        if (a != driven.layouts.end() && b != driven.layouts.end()) {
            auto fonts = [](const QStringList& lines) {
                QStringList f;
                for (const QString& line : lines)
                    f << line.section(QLatin1Char(' '), -2);
                return f;
            };
            if (fonts(a->second) != fonts(b->second)) {
                std::printf("FAIL: 1100 x 720 and 1280 x 720 were meant to give the same fonts\n");
                status = 1;
            }
        }
        // Clicks and language choices must have done what a player sees them do, or the run
        // soaked nothing. (Picks, folders, "<", the boxes and resizes are checked as they happen.)
        const long clicks = driven.done[EventKind::CellClick] + driven.done[EventKind::Hover];
        if ((clicks >= 100 && driven.cellsChanged == 0)
            || (driven.languageChoices >= 20 && driven.captionsSeen.size() < 2)) {
            std::printf("FAIL: the clicks on the board or the language choices had no effect\n");
            status = 1;
        }

        std::printf("error boxes: %lld\n", static_cast<long long>(errors.size()));
        for (qsizetype i = 0; i < errors.size() && i < 20; ++i)
            std::printf("  %s\n", qPrintable(errors[i]));
        if (!errors.isEmpty()) {
            std::printf("FAIL: error boxes appeared that no event called for\n");
            status = 1;
        }

        if (UnderAddressSanitizer) {
            std::printf("resident memory not judged under AddressSanitizer\n");
        } else if (worstAt < 0) {
            std::printf("resident memory not judged: that needs more than %ld events\n", ReportEvery);
        } else {
            std::printf(
                "resident memory (trimmed) after the first %ld events, highest reading against the one "
                "at %ld: %+.2f MB (at event %ld; limit %+.1f MB)\n",
                ReportEvery, ReportEvery, worstGrowthKb / 1024.0, worstAt, RssLimitKb / 1024.0);
            if (worstGrowthKb > RssLimitKb) {
                std::printf("FAIL: resident memory grew by more than %.1f MB\n", RssLimitKb / 1024.0);
                status = 1;
            }
        }
    }
    widgets::setErrorReporter({});
    session = nullptr;
    if (status == 0)
        std::printf("PASS\n");
    else
        std::printf("FAILED (repeat: soak_bench %ld %llu)\n", events, static_cast<unsigned long long>(seed));
    return status;
}
