// SPDX-License-Identifier: GPL-3.0-or-later
// Times a full rescale of the main window (offscreen) between 814 x 629 and 1920 x 1080.
#include "form1.h"
#include "screen.h"
#include "timing.h"

#include "filelistbox.h"

#include <QApplication>
#include <QFile>
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

// A 21 x 21 drawing with runs in every line, so that all 693 boxes are shown and painted.
QByteArray fullScheme()
{
    QByteArray drawing;
    for (int r = 0; r < 21; ++r) {
        for (int c = 0; c < 21; ++c)
            drawing += ((r + c) % 4 < 2) ? '#' : '-';
        drawing += '\n';
    }
    return drawing;
}

struct Timings {
    std::vector<double> rescaleWall, rescaleCpu, withRepaintWall, withRepaintCpu;
};

} // namespace

int main(int argc, char* argv[])
{
    QTemporaryDir dir;
    if (!bench::useOffscreenScreen(dir.path()))
        return 1;
    QApplication application(argc, argv);

    QDir(dir.path()).mkpath(QStringLiteral("schemi"));
    {
        QFile scheme(dir.filePath(QStringLiteral("schemi/full.dis")));
        if (!scheme.open(QIODevice::WriteOnly))
            return 1;
        scheme.write(fullScheme());
    }
    TForm1 form(dir.path() + QLatin1Char('/'));
    form.show();
    if (!QTest::qWaitForWindowActive(&form))
        return 1;
    form.CaricaSchemi->setCurrentRow(0);
    // From here on the window is resized directly; it starts in the normal state.
    form.showNormal();
    QTest::qWait(50);
    if (form.Schermo->size() != QSize(814, 629)) {
        std::fprintf(stderr, "the window did not return to 814 x 629\n");
        return 1;
    }

    int rescales = 0;
    QObject::connect(form.Schermo, &scaling::TCustomResizerPanel::resized, [&rescales] { ++rescales; });

    const QSize sizes[2] = {QSize(1920, 1080), QSize(814, 629)};
    Timings timings[2];
    constexpr int WarmUp = 3;
    constexpr int RoundTrips = 30;
    for (int trip = 0; trip < WarmUp + RoundTrips; ++trip) {
        for (int direction = 0; direction < 2; ++direction) {
            const int before = rescales;
            const qint64 wall = monotonicNs();
            const qint64 cpu = threadCpuNs();
            // The resize event reaches Schermo at once: collect, capture, apply, fonts included.
            form.resize(sizes[direction]);
            const qint64 rescaledWall = monotonicNs();
            const qint64 rescaledCpu = threadCpuNs();
            // The one repaint that follows, and whatever the resize left queued.
            form.repaint();
            QCoreApplication::processEvents();
            const qint64 paintedWall = monotonicNs();
            const qint64 paintedCpu = threadCpuNs();
            if (form.Schermo->size() != sizes[direction] || rescales != before + 1) {
                std::fprintf(stderr, "round trip %d: Schermo %dx%d after %d rescales\n", trip,
                    form.Schermo->width(), form.Schermo->height(), rescales - before);
                return 1;
            }
            if (trip < WarmUp)
                continue;
            Timings& t = timings[direction];
            t.rescaleWall.push_back((rescaledWall - wall) / 1e6);
            t.rescaleCpu.push_back((rescaledCpu - cpu) / 1e6);
            t.withRepaintWall.push_back((paintedWall - wall) / 1e6);
            t.withRepaintCpu.push_back((paintedCpu - cpu) / 1e6);
        }
    }

    Timings both;
    for (const Timings& t : timings) {
        both.rescaleWall.insert(both.rescaleWall.end(), t.rescaleWall.begin(), t.rescaleWall.end());
        both.rescaleCpu.insert(both.rescaleCpu.end(), t.rescaleCpu.begin(), t.rescaleCpu.end());
        both.withRepaintWall.insert(
            both.withRepaintWall.end(), t.withRepaintWall.begin(), t.withRepaintWall.end());
        both.withRepaintCpu.insert(
            both.withRepaintCpu.end(), t.withRepaintCpu.begin(), t.withRepaintCpu.end());
    }

    std::printf(
        "main window rescale, %d controls with handlers, median of %d round trips 814x629 <-> 1920x1080\n",
        form.Schermo->handlerCount(), RoundTrips);
    const char* names[3] = {"up to 1920x1080", "down to 814x629", "either way     "};
    const Timings* rows[3] = {&timings[0], &timings[1], &both};
    for (int i = 0; i < 3; ++i) {
        std::printf("  %s: rescale %.3f ms wall, %.3f ms CPU; rescale + repaint %.3f ms wall, %.3f ms CPU\n",
            names[i], median(rows[i]->rescaleWall), median(rows[i]->rescaleCpu),
            median(rows[i]->withRepaintWall), median(rows[i]->withRepaintCpu));
    }
    std::vector<double> repaintOnly;
    for (size_t i = 0; i < both.rescaleWall.size(); ++i)
        repaintOnly.push_back(both.withRepaintWall[i] - both.rescaleWall[i]);
    std::printf("  of which the repaint alone: %.3f ms wall\n", median(repaintOnly));
    std::printf("target: < 8 ms per rescale including the repaint\n");
    std::printf("(wall times count whatever else the machine runs; CPU times are this thread's own)\n");
    return 0;
}
