// SPDX-License-Identifier: GPL-3.0-or-later
// Times the main window (offscreen): start-up to first paint, a cell click, a scheme pick; and
// the time and peak memory of entering a folder of 2,000 schemes and picking from it.
#include "form1.h"
#include "procstatus.h"
#include "timing.h"

#include "boardbox.h"
#include "colors.h"
#include "filelistbox.h"
#include "label.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

using bench::median;
using bench::monotonicNs;
using bench::threadCpuNs;

namespace {

// The window's box n, which a click reaches.
widgets::BoardBox* boxOf(TForm1& form, int n)
{
    return dynamic_cast<widgets::BoardBox*>(&form.box(n));
}

// The window, noting the monotonic time at which its first complete paint (every control
// drawn and the frame flushed) has finished.
class TimedForm : public TForm1 {
public:
    using TForm1::TForm1;
    qint64 firstPaintNs = -1;

protected:
    bool event(QEvent* event) override
    {
        const bool result = TForm1::event(event);
        if (event->type() == QEvent::UpdateRequest && firstPaintNs < 0)
            firstPaintNs = monotonicNs();
        return result;
    }
};

// Child mode: create the application and the window as main() does, show it, and report
// when the application was created and when the first paint ended (monotonic ns).
int startupChild(int argc, char* argv[])
{
    const qint64 start = monotonicNs();
    QApplication application(argc, argv);
    TimedForm form;
    form.show();
    while (form.firstPaintNs < 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("%lld %lld\n", static_cast<long long>(start), static_cast<long long>(form.firstPaintNs));
    std::fflush(stdout);
    // Leave without tearing the window down: the figure is about starting.
    std::_Exit(0);
}

// A drawing of rows x columns with runs in most lines. At 21 x 21 every cell, clue slot and
// label is in use; a small one hides most of the board.
QByteArray scheme(int rows, int columns, int shift)
{
    QByteArray drawing;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            drawing += ((r + c + shift) % 4 < 2) ? '#' : '-';
        drawing += '\n';
    }
    return drawing;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--startup-child") == 0)
        return startupChild(argc, argv);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    constexpr int Runs = 15;

    // 1. Process start to first painted window: spawn a fresh process each run.
    std::vector<double> wholeMs;
    std::vector<double> inProcessMs;
    for (int i = 0; i < Runs; ++i) {
        QProcess child;
        const qint64 spawned = monotonicNs();
        child.start(QString::fromLocal8Bit(argv[0]), {QStringLiteral("--startup-child")});
        child.waitForFinished(30000);
        const QList<QByteArray> times = child.readAllStandardOutput().trimmed().split(' ');
        if (times.size() != 2) {
            std::fprintf(stderr, "start-up run failed: %s\n", child.readAllStandardError().constData());
            return 1;
        }
        const qint64 created = times[0].toLongLong();
        const qint64 painted = times[1].toLongLong();
        wholeMs.push_back((painted - spawned) / 1e6);
        inProcessMs.push_back((painted - created) / 1e6);
    }
    std::printf("start-up, process spawned -> first painted window: median %.1f ms (target < 150 ms)\n",
        median(wholeMs));
    std::printf(
        "  of which application created -> first painted window: median %.1f ms\n", median(inProcessMs));

    QApplication application(argc, argv);
    QTemporaryDir exeFolder;
    QDir(exeFolder.path()).mkpath(QStringLiteral("schemi"));
    // Listed by name: diagonal (21 x 21, filled only on the diagonal: all 441 cells shown, 21
    // clicks complete it), full0 and full1 (21 x 21), small (8 x 10).
    QByteArray diagonal = scheme(21, 21, 0);
    diagonal.replace('#', '-');
    for (int r = 0; r < 21; ++r)
        diagonal[r * 22 + r] = '#';
    const std::pair<const char*, QByteArray> schemes[] = {{"diagonal", diagonal},
        {"full0", scheme(21, 21, 0)}, {"full1", scheme(21, 21, 1)}, {"small", scheme(10, 8, 0)}};
    for (const auto& [name, drawing] : schemes) {
        QFile file(exeFolder.filePath(QStringLiteral("schemi/%1.dis").arg(QLatin1String(name))));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(drawing);
    }
    TForm1 form(exeFolder.path() + QLatin1Char('/'));
    form.show();
    if (!QTest::qWaitForWindowActive(&form))
        return 1;
    QCoreApplication::processEvents();

    // 3. A pick in the scheme list: load, clue derivation and the repaint that follows. Between
    // two full schemes most boxes change; to and from the small one, most are hidden or shown.
    auto timePicks = [&form](int otherRow, std::vector<double>& wallMs, std::vector<double>& cpuMs) {
        for (int i = 0; i < 200; ++i) {
            const qint64 wall = monotonicNs();
            const qint64 cpu = threadCpuNs();
            form.CaricaSchemi->setCurrentRow(i % 2 ? otherRow : 1);
            QCoreApplication::processEvents();
            cpuMs.push_back((threadCpuNs() - cpu) / 1e6);
            wallMs.push_back((monotonicNs() - wall) / 1e6);
        }
    };
    std::vector<double> pickMs, pickCpuMs, resizingPickMs, resizingPickCpuMs;
    timePicks(2, pickMs, pickCpuMs);
    timePicks(3, resizingPickMs, resizingPickCpuMs);
    form.CaricaSchemi->setCurrentRow(1); // a full scheme again, for the clicks
    QCoreApplication::processEvents();

    // 2. A click on a cell: the mark, the counter, the click marker and the repaint.
    std::vector<double> clickMs;
    std::vector<double> clickCpuMs;
    auto* cell = boxOf(form, 221);
    for (int i = 0; i < 400; ++i) {
        const qint64 wall = monotonicNs();
        const qint64 cpu = threadCpuNs();
        QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
        clickCpuMs.push_back((threadCpuNs() - cpu) / 1e6);
        clickMs.push_back((monotonicNs() - wall) / 1e6);
    }

    // 4. The click that completes the picture: every cell turns green or plain, and disabled.
    std::vector<double> completeMs;
    std::vector<double> completeCpuMs;
    auto diagonalCell = [&form](int r) { return boxOf(form, engine::cell(r + 1, r + 1)); };
    for (int i = 0; i < 100; ++i) {
        form.CaricaSchemi->setCurrentRow(1);
        form.CaricaSchemi->setCurrentRow(0);
        for (int r = 0; r < 20; ++r)
            QTest::mouseClick(diagonalCell(r), Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
        const qint64 wall = monotonicNs();
        const qint64 cpu = threadCpuNs();
        QTest::mouseClick(diagonalCell(20), Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
        completeCpuMs.push_back((threadCpuNs() - cpu) / 1e6);
        completeMs.push_back((monotonicNs() - wall) / 1e6);
        if (diagonalCell(20)->color() != engine::color::Green) {
            std::fprintf(stderr, "the clicks did not complete the picture\n");
            return 1;
        }
    }

    // 5. A folder of 2,000 schemes (21 x 21 each): entering it as a double click does, and a
    // pick of its last entry. Peak memory is counted from a reset of the high-water mark.
    constexpr int ManySchemes = 2000;
    const QString many = exeFolder.filePath(QStringLiteral("schemi/molti"));
    QDir().mkpath(many);
    for (int i = 0; i < ManySchemes; ++i) {
        QFile file(many + QStringLiteral("/schema %1.dis").arg(i, 4, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(scheme(21, 21, i));
    }
    const long residentBefore = bench::statusKb("VmRSS");
    const bool peakReset = bench::resetPeak();
    const qint64 enterStart = monotonicNs();
    form.CaricaSchemi->setDirectory(many);
    QCoreApplication::processEvents();
    const double enterMs = (monotonicNs() - enterStart) / 1e6;
    const qint64 pickStart = monotonicNs();
    form.CaricaSchemi->setCurrentRow(ManySchemes - 1);
    QCoreApplication::processEvents();
    const double manyPickMs = (monotonicNs() - pickStart) / 1e6;
    const long peak = bench::statusKb("VmHWM");
    if (form.CaricaSchemi->count() != ManySchemes
        || !form.CaricaSchemi->fileName().endsWith(QStringLiteral("schema 1999.dis"))
        || form.Label4->text() != QString::number(scheme(21, 21, ManySchemes - 1).count('#'))) {
        std::fprintf(stderr, "the folder of 2,000 schemes was not listed and picked from\n");
        return 1;
    }

    std::printf("cell click handled and repainted: median %.3f ms wall, %.3f ms CPU (target < 2 ms)\n",
        median(clickMs), median(clickCpuMs));
    std::printf("scheme pick (load, clues, repaint): median %.3f ms wall, %.3f ms CPU (target < 5 ms)\n",
        median(pickMs), median(pickCpuMs));
    std::printf("  between 21x21 and 8x10 (most boxes hidden or shown): median %.3f ms wall, %.3f ms CPU\n",
        median(resizingPickMs), median(resizingPickCpuMs));
    std::printf("the click that completes a 21x21 picture, repainted: median %.3f ms wall, %.3f ms CPU\n",
        median(completeMs), median(completeCpuMs));
    std::printf("a folder of %d schemes: entered and listed in %.1f ms, its last scheme picked in %.1f ms\n",
        ManySchemes, enterMs, manyPickMs);
    if (peakReset)
        std::printf("  peak resident memory %.1f MB (%.1f MB above the resident size before)\n",
            peak / 1024.0, (peak - residentBefore) / 1024.0);
    std::printf("(wall times count whatever else the machine runs; CPU times are this thread's own)\n");
    return 0;
}
