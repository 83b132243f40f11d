// SPDX-License-Identifier: GPL-3.0-or-later
// Times full rescales of a scaling panel carrying the main window's mix of ~720 controls.
#include "boardbox.h"
#include "checkbox.h"
#include "combobox.h"
#include "component.h"
#include "filelistbox.h"
#include "fonts.h"
#include "glyphbutton.h"
#include "label.h"
#include "layout.h"
#include "nobderp.h"
#include "panel.h"
#include "shape.h"
#include "skinbutton.h"
#include "spinbutton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace {

class Form : public QWidget, public widgets::Component {
public:
    Form()
        : widgets::Component(this, nullptr, QStringLiteral("Form1"))
    {
    }
};

// The main window's controls, with `copies` times its 693 boxes.
std::unique_ptr<Form> buildForm(int copies, scaling::TNoBDEResizerPanel*& panel)
{
    auto form = std::make_unique<Form>();
    form->resize(1920, 1080);
    panel = new scaling::TNoBDEResizerPanel(form.get(), form.get(), QStringLiteral("Schermo"));
    panel->SetBounds(0, 0, 814, 629);
    panel->setColor(QColor(0xC0, 0xC0, 0xC0));
    for (int i = 0; i < 3; ++i) {
        auto* stripe = new widgets::Shape(panel, form.get(), QStringLiteral("RichiamaLingua%1").arg(i + 1));
        stripe->setGeometry(607 + 11 * i, 4, 12, 21);
    }
    const QRect labels[] = {{394, 8, 7, 14}, {11, 8, 364, 14}, {11, 24, 7, 14}};
    for (int i = 0; i < 3; ++i) {
        auto* label = new widgets::Label(panel, form.get(), QStringLiteral("Label%1").arg(i + 1));
        label->setAutoSize(false);
        label->setGeometry(labels[i]);
        label->setFont(widgets::layoutFont(QStringLiteral("Courier New"), 11, true));
        label->setCaption(i == 1 ? QStringLiteral("CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO")
                                 : QStringLiteral("0"));
    }
    (new widgets::Shape(panel, form.get(), QStringLiteral("Shape1")))
        ->setGeometry(engine::layout::GridLeft, engine::layout::GridTop, engine::layout::BoxSize,
            engine::layout::BoxSize + 3);
    auto* esci = new widgets::SkinButton(panel, form.get(), QStringLiteral("Esci"));
    esci->setGeometry(735, 4, 55, 21);
    esci->setText(QStringLiteral("ESCI"));
    auto* stampa = new widgets::SkinButton(panel, form.get(), QStringLiteral("StampaCrucintarsio"));
    stampa->setGeometry(648, 4, 79, 21);
    stampa->setText(QStringLiteral("STAMPA"));
    auto* list = new widgets::FileListBox(panel, form.get(), QStringLiteral("CaricaSchemi"));
    list->setGeometry(8, 82, 141, 521);
    auto* combo = new widgets::ComboBox(panel, form.get(), QStringLiteral("SceltaLingua"));
    combo->setGeometry(3, 2, 222, 31);
    combo->setFont(widgets::layoutFont(QStringLiteral("Courier New"), 21, true));
    combo->hide();
    auto* glyph = new widgets::GlyphButton(panel, form.get(), QStringLiteral("BitBtn1"));
    glyph->setGeometry(10, 63, 140, 20);
    glyph->setText(QStringLiteral("<"));
    (new widgets::SpinButton(panel, form.get(), QStringLiteral("SpinButton1")))->setGeometry(575, 5, 20, 31);
    auto* sos = new widgets::CheckBox(panel, form.get(), QStringLiteral("CheckBox1"));
    sos->setGeometry(496, 5, 65, 17);
    // The boxes at their places on the board. Further copies share each box's place, stacked
    // one below the other in boxes made lower, so that no two boxes overlap.
    const int boxHeight = engine::layout::BoxSize / copies;
    int i = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (int n = 1; n <= engine::BoxCount; ++n, ++i) {
            const engine::Bounds place = engine::layout::designBounds(n);
            auto* b = new widgets::BoardBox(
                panel, form.get(), QString::fromLatin1(engine::boxName(copy * engine::BoxCount + n)));
            b->setBoxText(QString(QChar(u'0' + i % 10)));
            b->setGeometry(place.left, place.top + copy * boxHeight, place.width, boxHeight);
        }
    }
    for (int i = 0; i < 8; ++i) {
        auto* p = new widgets::Panel(panel, form.get(), QStringLiteral("Panel%1").arg(i + 1));
        p->setGeometry(281, 252 + i * 40, 513, 3);
        p->hide();
    }
    auto* guides = new widgets::CheckBox(panel, form.get(), QStringLiteral("CheckBox2"));
    guides->setGeometry(424, 5, 65, 17);
    panel->Loaded();
    return form;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Figures {
    int controls;
    double rescale; // collect + apply, ms
    double withPaint; // and the repaint that follows, ms
    double best; // the fastest rescale with its repaint, ms (the floor on an idle machine)
    double paintOnly; // every box recoloured, no rescale: the repaint of the whole board alone, ms
    double paintBatched; // the same recolouring inside a BoardRepaintBatch, as a scheme pick does, ms
};

Figures measure(int copies, int rounds)
{
    scaling::TNoBDEResizerPanel* panel = nullptr;
    std::unique_ptr<Form> form = buildForm(copies, panel);
    form->show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    std::vector<double> bare, painted;
    QElapsedTimer t;
    const QSize sizes[] = {QSize(1920, 1080), QSize(814, 629)};
    for (int r = 0; r < rounds; ++r) {
        for (const QSize& s : sizes) {
            t.start();
            panel->resize(s);
            const qint64 afterRescale = t.nsecsElapsed();
            QApplication::processEvents(); // the one repaint the rescale scheduled
            const qint64 afterPaint = t.nsecsElapsed();
            if (r > 0) { // the first round pays for font caches
                bare.push_back(afterRescale / 1e6);
                painted.push_back(afterPaint / 1e6);
            }
        }
    }
    // Every box changes colour: the repaint that any change of the whole board costs, with the
    // boxes asking one by one and then inside a batch.
    std::vector<double> paintOnly, paintBatched;
    int pass = 0; // each pass gives every box the other colour
    for (int r = 0; r < rounds; ++r) {
        for (const QSize& s : sizes) {
            panel->resize(s);
            QApplication::processEvents();
            for (const bool batched : {false, true}) {
                ++pass;
                t.start();
                {
                    std::optional<widgets::BoardRepaintBatch> batch;
                    if (batched)
                        batch.emplace();
                    for (widgets::BoardBox* b : panel->findChildren<widgets::BoardBox*>())
                        b->setBackgroundColor(pass % 2 ? QColor(Qt::white) : QColor(0xA6, 0xCA, 0xF0));
                }
                QApplication::processEvents();
                (batched ? paintBatched : paintOnly).push_back(t.nsecsElapsed() / 1e6);
            }
        }
    }
    return {panel->handlerCount(), median(bare), median(painted),
        *std::min_element(painted.begin(), painted.end()), median(paintOnly), median(paintBatched)};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("Full rescale 814x629 <-> 1920x1080, median of 2 x 60 rescales (first round dropped)\n");
    std::printf("%8s %9s %14s %22s %10s %12s %24s %24s\n", "boxes", "controls", "rescale (ms)",
        "rescale+repaint (ms)", "best (ms)", "us/control", "recolour, box by box (ms)",
        "recolour, batched (ms)");
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {1, 2, 4};
    for (int copies : counts) {
        const Figures f = measure(copies, 61);
        std::printf("%8d %9d %14.2f %22.2f %10.2f %12.2f %24.2f %24.2f\n", copies * 693, f.controls,
            f.rescale, f.withPaint, f.best, 1000.0 * f.withPaint / f.controls, f.paintOnly, f.paintBatched);
    }
    return 0;
}
