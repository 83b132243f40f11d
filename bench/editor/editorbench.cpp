// SPDX-License-Identifier: GPL-3.0-or-later
// editor_bench: prints the time of the verdict with its open cells after each of 1,000 random
// edits of generated 21 x 21 drawings (median, 95th percentile, worst), the time of the search
// for a suggestion, and, on the real window offscreen, the longest stall of the GUI thread's
// event loop while 1,000 edits are made and checked in the background.
#include "analysis.h"
#include "checkrunner.h"
#include "editordocument.h"
#include "editorwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr int Edits = 1000;

struct Figures {
    double median = 0;
    double p95 = 0;
    double worst = 0;
};

Figures figures(std::vector<double> ms)
{
    if (ms.empty())
        return {};
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back()};
}

void print(const char* what, const std::vector<double>& ms)
{
    const Figures f = figures(ms);
    std::printf("%-44s n=%4zu  median %7.3f ms  95th %7.3f ms  worst %7.3f ms\n", what, ms.size(), f.median,
        f.p95, f.worst);
}

// A generated drawing like a child's picture: a few filled rectangles and ellipses, so that
// most lines keep within five runs and the checker has a puzzle to solve.
editor::CellEdits generated(QRandomGenerator& random)
{
    editor::CellEdits edits {};
    edits.fill('-');
    const int shapes = int(random.bounded(3, 8));
    for (int s = 0; s < shapes; ++s) {
        const int top = int(random.bounded(21));
        const int left = int(random.bounded(21));
        const int height = int(random.bounded(2, 10));
        const int width = int(random.bounded(2, 10));
        const bool ellipse = random.bounded(2) == 1;
        for (int r = top; r < std::min(21, top + height); ++r) {
            for (int c = left; c < std::min(21, left + width); ++c) {
                const double y = (r - top + 0.5) / height * 2 - 1;
                const double x = (c - left + 0.5) / width * 2 - 1;
                if (!ellipse || x * x + y * y <= 1)
                    edits[static_cast<std::size_t>(r * 21 + c)] = '#';
            }
        }
    }
    return edits;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QRandomGenerator random(18);

    // The check and its open cells, off the window, as the worker runs it.
    std::vector<double> check;
    std::array<int, 5> verdicts {};
    std::vector<double> suggestion;
    int suggested = 0;
    const editor::SchemeText text;
    editor::CellEdits edits = generated(random);
    for (int i = 0; i < Edits; ++i) {
        if (i % 50 == 0)
            edits = generated(random);
        const auto cell = static_cast<std::size_t>(random.bounded(441u));
        edits[cell] = edits[cell] == '#' ? '-' : '#';
        QElapsedTimer timer;
        timer.start();
        const editor::Analysis analysis = editor::analyse(text, edits, editor::EditorNodeBudget);
        check.push_back(double(timer.nsecsElapsed()) / 1e6);
        ++verdicts[static_cast<std::size_t>(analysis.check.verdict)];
        if (analysis.wantsSuggestion() && suggestion.size() < 100) {
            timer.restart();
            suggested += editor::suggestCell(text, edits, analysis.open, {}).has_value() ? 1 : 0;
            suggestion.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    print("verdict and open cells after an edit", check);
    std::printf("  verdicts: %d line by line, %d trial, %d not unique, %d undecided, %d error\n", verdicts[0],
        verdicts[1], verdicts[2], verdicts[3], verdicts[4]);
    print("search for a suggestion (first 100 asked)", suggestion);
    std::printf("  a suggestion was found for %d of them\n", suggested);

    // The window: an edit every 4 ms, a 1 ms timer that measures how late the event loop is.
    editor::EditorWindow window;
    window.resize(1000, 700);
    window.show();
    editor::EditorDocument& document = window.document();
    std::vector<double> handler;
    double stall = 0;
    int done = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.nsecsElapsed();
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        stall = std::max(stall, double(now - last) / 1e6);
        last = now;
    });
    QTimer editing;
    editing.setTimerType(Qt::PreciseTimer);
    QObject::connect(&editing, &QTimer::timeout, [&] {
        if (done == Edits) {
            if (!window.checks().busy()) {
                // Quitting closes the window, which would ask about the unsaved changes.
                document.markSaved(QString());
                app.quit();
            }
            return;
        }
        if (done % 50 == 0) {
            // A new generated drawing, as one change.
            const editor::CellEdits next = generated(random);
            std::vector<bool> picture(441);
            for (std::size_t i = 0; i < 441; ++i)
                picture[i] = next[i] == '#';
            document.setPicture(picture, QStringLiteral("bench"));
        }
        QElapsedTimer timer;
        timer.start();
        document.toggleCell(int(random.bounded(441u)));
        handler.push_back(double(timer.nsecsElapsed()) / 1e6);
        ++done;
    });
    probe.start(1);
    editing.start(4);
    QApplication::exec();
    print("GUI thread: one edit (engine load, no check)", handler);
    std::printf("longest event-loop stall during %d edits: %.3f ms (1 ms probe)\n", Edits, stall);
    return 0;
}
