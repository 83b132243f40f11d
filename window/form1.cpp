// SPDX-License-Identifier: GPL-3.0-or-later
// The main window Form1: its composition, start-up and the handlers that drive the engine.
#include "form1.h"

#include "bgrcolor.h"
#include "boardbox.h"
#include "boundedcall.h"
#include "checkbox.h"
#include "colors.h"
#include "combobox.h"
#include "errors.h"
#include "filelistbox.h"
#include "fonts.h"
#include "glyphbutton.h"
#include "label.h"
#include "languagechooser.h"
#include "layout.h"
#include "nobderp.h"
#include "panel.h"
#include "paths.h"
#include "popupmenu.h"
#include "printing.h"
#include "schemefile.h"
#include "shape.h"
#include "skinbutton.h"
#include "spinbutton.h"
#include "timer.h"
#include "tlanguage.h"
#include "windowsystem.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScopeGuard>
#include <QScreen>

#include <optional>
#include <stdexcept>
#include <string>

using namespace engine;

const QString TForm1::Caption = QStringLiteral("Tessaria 1.0   https://github.com/tessaria/tessaria");

namespace {

const QString FontFamily = QStringLiteral("Courier New");
const QString SchemeListHint = QStringLiteral("Scegli un esercizio");

// The window font, which labels, check boxes and lists without a font of their own use.
QFont windowFont()
{
    return widgets::layoutFont(FontFamily, 11);
}

// The seconds and the instruction line.
QFont captionFont()
{
    return widgets::layoutFont(FontFamily, 11, true);
}

// The texts that a language file rewrites: the three captions of the window, then what the
// controls and the board say to assistive technology.
QStringList translatedProperties()
{
    QStringList paths {QStringLiteral("Form1.Esci.Caption"), QStringLiteral("Form1.Label2.Caption"),
        QStringLiteral("Form1.StampaCrucintarsio.Caption")};
    for (const char* control : {"Label1", "Label4", "CheckBox1", "CheckBox2", "RichiamaLingua1",
             "StampaCrucintarsio", "Esci", "BitBtn1", "Cursore"})
        paths << QStringLiteral("Form1.%1.AccessibleName").arg(QLatin1String(control));
    for (const char* words :
        {"CellText", "ToFindText", "FoundText", "BlankText", "RowClueText", "ColumnClueText", "TickedText"})
        paths << QStringLiteral("Form1.Cursore.%1").arg(QLatin1String(words));
    return paths;
}

} // namespace

// --- Composition -------------------------------------------------------------------------

TForm1::TForm1(const QString& exeFolder)
    : QWidget(nullptr)
    , Component(this, &Component::application(), QStringLiteral("Form1"))
    , game_(*this)
    , exeFolderOverride_(exeFolder)
{
    setWindowTitle(Caption);
    setFont(windowFont());
    resize(DesignClientWidth, DesignClientHeight);
    move(194, 35);
    createControls();
    setTabOrder();
    connectHandlers();
    widgets::guarded([this] { FormCreate(); });
}

TForm1::~TForm1()
{
    // The controls go with the window; no handler may run on a half-destroyed window while
    // they do.
    for (int i = 0; i < componentCount(); ++i)
        component(i)->object()->blockSignals(true);
}

// The controls in the layout's order of creation, area by area. The order is that of the
// layout, not of the areas: it is the ownership order, in which a look-up by name finds the
// first of two equal names, and the stacking order of the siblings on Schermo (the boxes cover
// the click marker; the guide lines are raised above the boxes afterwards).
void TForm1::createControls()
{
    createSchermo();
    createFlag();
    createTopLabels();
    createClickMarker();
    Panel1 = createGuideLine(1);
    createTopButtons();
    createLists();
    createAids();
    createBoard();
    createGuideLines();
    createPopupMenu();
    createLanguage();
    createTimer();
    createCursor();
    setAccessibleNames();
    Schermo->Loaded();
}

void TForm1::createSchermo()
{
    // The scaling panel: every control below is its child, the window owns them all.
    // It scales nothing while the layout is being built; its reference size is the design size.
    Schermo = new scaling::TNoBDEResizerPanel(this, this, QStringLiteral("Schermo"));
    Schermo->BeginLoading();
    Schermo->SetBounds(0, 0, DesignClientWidth, DesignClientHeight);
    Schermo->setColor(bgr::toQColor(color::Silver));
    Schermo->setFont(windowFont());
}

// The language flag: three stripes, no tooltip.
void TForm1::createFlag()
{
    const struct {
        widgets::Shape** control;
        const char* name;
        int left;
        Color fill;
    } stripes[] = {
        {&RichiamaLingua1, "RichiamaLingua1", 607, color::Green},
        {&RichiamaLingua2, "RichiamaLingua2", 618, color::White},
        {&RichiamaLingua3, "RichiamaLingua3", 629, color::Red},
    };
    for (const auto& stripe : stripes) {
        auto* shape = new widgets::Shape(Schermo, this, QString::fromLatin1(stripe.name));
        shape->setGeometry(stripe.left, 4, 12, 21);
        shape->setBrushColor(bgr::toQColor(stripe.fill));
        shape->setShowHint(false);
        // Every button released over the flag opens the chooser. The right press must reach the
        // stripe: left to Schermo it would open the popup menu, which takes the release.
        shape->setContextMenuPolicy(Qt::PreventContextMenu);
        *stripe.control = shape;
    }
    // The flag's stop in the tab order: Space or Return on it opens the chooser too.
    RichiamaLingua1->setFocusPolicy(Qt::TabFocus);
}

// The seconds, the instruction line and the remaining counter. The caption and font come
// first, then the layout's bounds, so that the bounds hold until the next caption change.
void TForm1::createTopLabels()
{
    const struct {
        widgets::Label** control;
        const char* name;
        QFont font;
        QString caption;
        QRect bounds;
    } labels[] = {
        {&Label1, "Label1", captionFont(), QStringLiteral("0"), {394, 8, 7, 14}},
        {&Label2, "Label2", captionFont(),
            QStringLiteral("CLICCA SULLE CASELLE PER FORMARE IL DISEGNO CORRETTO"), {11, 8, 364, 14}},
        {&Label4, "Label4", windowFont(), QString(), {11, 24, 7, 14}},
    };
    for (const auto& label : labels) {
        auto* control = new widgets::Label(Schermo, this, QString::fromLatin1(label.name));
        control->setFont(label.font);
        control->setCaption(label.caption);
        control->setGeometry(label.bounds);
        *label.control = control;
    }
    // Shown once a scheme is loaded.
    Label2->setVisible(false);
}

// The click marker, under cell 1: only a 3-pixel strip shows below the cell.
void TForm1::createClickMarker()
{
    Shape1 = new widgets::Shape(Schermo, this, QStringLiteral("Shape1"));
    Shape1->setGeometry(layout::GridLeft, layout::GridTop, layout::BoxSize, layout::BoxSize + 3);
    Shape1->setBrushColor(bgr::toQColor(color::Lime));
}

void TForm1::createTopButtons()
{
    Esci = createSkinButton(QStringLiteral("Esci"), QStringLiteral("ESCI"), {735, 4, 55, 21});
    // Reached by Tab only: a click on it must not leave the focus there, where the next Space
    // would end the program (and the game in play).
    Esci->setFocusPolicy(Qt::TabFocus);
    StampaCrucintarsio
        = createSkinButton(QStringLiteral("StampaCrucintarsio"), QStringLiteral("STAMPA"), {648, 4, 79, 21});
}

widgets::SkinButton* TForm1::createSkinButton(
    const QString& name, const QString& caption, const QRect& bounds)
{
    auto* button = new widgets::SkinButton(Schermo, this, name);
    button->setText(caption);
    button->setFont(widgets::layoutFont(FontFamily, 19));
    button->setSkinName(QStringLiteral("DeepBlue"));
    button->setGeometry(bounds);
    return button;
}

// The scheme list with its back button, and the language list that the flag opens.
void TForm1::createLists()
{
    CaricaSchemi = new widgets::FileListBox(Schermo, this, QStringLiteral("CaricaSchemi"));
    CaricaSchemi->setGeometry(8, 82, 141, 521);
    CaricaSchemi->setBackgroundColor(bgr::toQColor(color::Cream));
    CaricaSchemi->setFont(windowFont());
    CaricaSchemi->setItemHeight(18);
    CaricaSchemi->setToolTip(SchemeListHint);

    SceltaLingua = new widgets::ComboBox(Schermo, this, QStringLiteral("SceltaLingua"));
    SceltaLingua->setGeometry(3, 2, 222, 31);
    SceltaLingua->setBackgroundColor(bgr::toQColor(color::Navy));
    SceltaLingua->setTextColor(bgr::toQColor(color::White));
    SceltaLingua->setFont(widgets::layoutFont(FontFamily, 21, true));
    SceltaLingua->setItemHeight(23);
    SceltaLingua->setText(QStringLiteral("italiano"));
    SceltaLingua->setVisible(false);

    BitBtn1 = new widgets::GlyphButton(Schermo, this, QStringLiteral("BitBtn1"));
    BitBtn1->setText(QStringLiteral("<"));
    BitBtn1->setFont(widgets::layoutFont(FontFamily, 16, true));
    BitBtn1->setGeometry(10, 63, 140, 20);
}

// The spin button, which carries no function, and "SOS !!!".
void TForm1::createAids()
{
    SpinButton1 = new widgets::SpinButton(Schermo, this, QStringLiteral("SpinButton1"));
    SpinButton1->setGeometry(575, 5, 20, 31);
    SpinButton1->setVisible(false);

    CheckBox1 = createCheckBox(QStringLiteral("CheckBox1"), QStringLiteral("SOS !!!"), 496);
}

widgets::CheckBox* TForm1::createCheckBox(const QString& name, const QString& caption, int left)
{
    auto* box = new widgets::CheckBox(Schermo, this, name);
    box->setText(caption);
    box->setFont(windowFont());
    box->setGeometry(left, 5, 65, 17);
    return box;
}

// The red lines after every fifth row (Panel1 to Panel4) and column (Panel5 to Panel8), and
// "---", which shows them. Panel1 comes earlier, before the buttons.
void TForm1::createGuideLines()
{
    Panel2 = createGuideLine(2);
    Panel3 = createGuideLine(3);
    Panel4 = createGuideLine(4);
    CheckBox2 = createCheckBox(QStringLiteral("CheckBox2"), QStringLiteral("---"), 424);
    Panel5 = createGuideLine(5);
    Panel6 = createGuideLine(6);
    Panel7 = createGuideLine(7);
    Panel8 = createGuideLine(8);

    // The guide lines lie above the boxes they cross.
    for (widgets::Panel* line : {Panel1, Panel2, Panel3, Panel4, Panel5, Panel6, Panel7, Panel8})
        line->raise();
}

// Guide line n (1..8), PanelN, hidden until "---" is ticked.
widgets::Panel* TForm1::createGuideLine(int n)
{
    static constexpr QRect bounds[] = {{281, 252, 513, 3}, {281, 362, 513, 3}, {281, 472, 513, 3},
        {281, 582, 513, 3}, {398, 139, 3, 489}, {513, 139, 3, 489}, {628, 139, 3, 489}, {743, 139, 3, 489}};
    auto* line = new widgets::Panel(Schermo, this, QStringLiteral("Panel%1").arg(n));
    line->setGeometry(bounds[n - 1]);
    line->setBackgroundColor(bgr::toQColor(color::Red));
    line->setFont(windowFont());
    line->setVisible(false);
    return line;
}

// The popup menu of Schermo, with its two zoom items.
void TForm1::createPopupMenu()
{
    suiPopupMenu1 = new widgets::SkinPopupMenu(this, this, QStringLiteral("suiPopupMenu1"));
    suiPopupMenu1->setSkinName(QStringLiteral("DeepBlue"));
    IngrandisciSchema = new widgets::MenuItem(suiPopupMenu1, this, QStringLiteral("IngrandisciSchema"));
    IngrandisciSchema->setText(QStringLiteral("Zoom +"));
    IngrandisciSchema->setShortcut(QKeySequence(Qt::Key_F3));
    suiPopupMenu1->addItem(IngrandisciSchema);
    VerticaleF31 = new widgets::MenuItem(suiPopupMenu1, this, QStringLiteral("VerticaleF31"));
    VerticaleF31->setText(QStringLiteral("Zoom -"));
    VerticaleF31->setShortcut(QKeySequence(Qt::Key_F4));
    suiPopupMenu1->addItem(VerticaleF31);
    suiPopupMenu1->attachTo(Schermo);
}

// The translation component reaches these three captions by name through the window.
void TForm1::createLanguage()
{
    Language1 = new lang::TLanguage(this, this);
    Language1->setName(QStringLiteral("Language1"));
    Language1->setProperties(translatedProperties());
    chooser_ = std::make_unique<lang::LanguageChooser>(
        *SceltaLingua, *Language1, [this] { return runningExeFolder(); });
}

void TForm1::createTimer()
{
    Timer1 = new widgets::Timer(this, this, QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->setEnabled(true);
}

// The cursor lies over the whole window, above Schermo, and follows the window's size itself.
void TForm1::createCursor()
{
    window::installBoardAccessibility();
    Cursore = new window::BoardCursor(this, this, [this](int n) { return boxes_[size_t(n - 1)]; });
    Cursore->setGeometry(rect());
    Cursore->raise();
}

// What the controls are called for assistive technology; translated like the captions.
void TForm1::setAccessibleNames()
{
    const std::pair<QWidget*, const char*> names[] = {
        {Label1, "secondi"},
        {Label4, "caselle da trovare"},
        {CheckBox2, "linee guida"},
        {CheckBox1, "aiuto SOS"},
        {RichiamaLingua1, "lingua"},
        {StampaCrucintarsio, "stampa"},
        {Esci, "esci"},
        {BitBtn1, "indietro"},
        {Cursore, "griglia del disegno"},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(QString::fromUtf8(name));
}

// The 693 boxes in number order: cells, row clue slots, column clue slots, row labels,
// column labels, each named by engine::boxName.
void TForm1::createBoard()
{
    const QFont boxFont = widgets::layoutFont(FontFamily, 16, true);
    const QFont labelFont = widgets::layoutFont(FontFamily, 13, true);
    for (int n = 1; n <= BoxCount; ++n)
        createBox(n, boxFont, labelFont);
}

widgets::BoardBox* TForm1::createBox(int n, const QFont& boxFont, const QFont& labelFont)
{
    auto* box = new widgets::BoardBox(Schermo, this, QString::fromLatin1(boxName(n)), n);
    boxes_[size_t(n - 1)] = box;
    const BoxPlace where = place(n);
    if (where.kind == BoxKind::RowLabel || where.kind == BoxKind::ColumnLabel) {
        box->setBackgroundColor(bgr::toQColor(color::Silver));
        box->setTextColor(bgr::toQColor(color::Grey));
        box->setBorderColor(bgr::toQColor(color::Grey));
        box->setFont(labelFont);
        box->setBoxText(QString::number(where.line));
        box->setVisible(false);
    } else {
        // Cells start white and visible; clue slots silver and hidden until clues are derived.
        const bool cell = where.kind == BoxKind::Cell;
        box->setBackgroundColor(bgr::toQColor(cell ? color::White : color::Silver));
        box->setTextColor(bgr::toQColor(color::Black));
        box->setBorderColor(bgr::toQColor(color::Black));
        box->setFont(boxFont);
        if (!cell)
            box->setVisible(false);
    }
    box->setMaxLength(1);
    box->setReadOnly(true);
    const Bounds bounds = layout::designBounds(n);
    box->setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
    return box;
}

// Tab order of the layout: the buttons and lists of the top, the 693 boxes, then the guide
// lines with CheckBox2 between the fourth and the fifth. Qt keeps controls that take no focus
// (the read-only boxes, the panels) out of the chain, so in effect it runs over the buttons,
// the lists and the check boxes in this order. Two stops are added: the flag before the
// language list it opens, and the board as one stop (the cursor) before its boxes.
void TForm1::setTabOrder()
{
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (QWidget* w : std::initializer_list<QWidget*> {Esci, StampaCrucintarsio, CaricaSchemi,
             RichiamaLingua1, SceltaLingua, BitBtn1, SpinButton1, CheckBox1, Cursore})
        chain(w);
    for (int n = 1; n <= BoxCount; ++n)
        chain(boxes_[size_t(n - 1)]);
    for (QWidget* w : std::initializer_list<QWidget*> {
             Panel1, Panel2, Panel3, Panel4, CheckBox2, Panel5, Panel6, Panel7, Panel8})
        chain(w);
    // The first control in the chain is Esci; the focus starts in the scheme list instead, so
    // that a child's first key press picks a scheme rather than ending the program.
    CaricaSchemi->setFocus();
}

void TForm1::connectHandlers()
{
    auto guard = [](auto handler) { return [handler] { widgets::guarded(handler); }; };

    for (int n = 1; n <= CellCount; ++n) {
        widgets::BoardBox* cell = boxes_[size_t(n - 1)];
        connect(cell, &widgets::BoardBox::clicked, this, guard([this, cell] { suiEdit1Click(cell); }));
        connect(cell, &widgets::BoardBox::mouseMoved, this, guard([this, cell] { suiEdit1MouseMove(cell); }));
    }
    for (int n = FirstRowClueSlot; n <= LastClueSlot; ++n) {
        widgets::BoardBox* slot = boxes_[size_t(n - 1)];
        connect(slot, &widgets::BoardBox::clicked, this, guard([this, slot] { suiEdit442Click(slot); }));
    }
    for (widgets::Shape* stripe : {RichiamaLingua1, RichiamaLingua2, RichiamaLingua3}) {
        connect(stripe, &widgets::Shape::mouseUp, this,
            [this, stripe](Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos) {
                widgets::guarded([&] { RichiamaLingua1MouseUp(stripe, button, shift, pos); });
            });
    }
    connect(Esci, &QPushButton::clicked, this, guard([this] { EsciClick(); }));
    connect(StampaCrucintarsio, &QPushButton::clicked, this, guard([this] { StampaCrucintarsioClick(); }));
    connect(CaricaSchemi, &widgets::FileListBox::pickChanged, this, guard([this] { CaricaSchemiClick(); }));
    connect(SceltaLingua, &widgets::ComboBox::changed, this, guard([this] { SceltaLinguaChange(); }));
    connect(BitBtn1, &QPushButton::clicked, this, guard([this] { BitBtn1Click(); }));
    connect(SpinButton1, &widgets::SpinButton::upClick, this, guard([this] { SpinButton1UpClick(); }));
    connect(SpinButton1, &widgets::SpinButton::downClick, this, guard([this] { SpinButton1DownClick(); }));
    connect(CheckBox2, &widgets::CheckBox::stateClicked, this, guard([this] { CheckBox2Click(); }));
    connect(IngrandisciSchema, &QAction::triggered, this, guard([this] { IngrandisciSchemaClick(); }));
    connect(VerticaleF31, &QAction::triggered, this, guard([this] { VerticaleF31Click(); }));
    connect(Timer1, &widgets::Timer::timeout, this, guard([this] { Timer1Timer(); }));
    connect(RichiamaLingua1, &widgets::Shape::keyActivated, this, [this] {
        widgets::guarded([this] { RichiamaLingua1MouseUp(RichiamaLingua1, Qt::NoButton, {}, {}); });
    });
    connect(Cursore, &window::BoardCursor::moved, this,
        [this](int n) { widgets::guarded([&] { cursorMoved(n); }); });
    connect(Cursore, &window::BoardCursor::activated, this,
        [this](int n) { widgets::guarded([&] { cursorActivated(n); }); });
}

// --- Window events -----------------------------------------------------------------------

bool TForm1::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        if (activationDue_) {
            activationDue_ = false;
            widgets::guarded([this] { FormActivate(); });
        }
        break;
    case QEvent::WindowDeactivate:
        // Activation that moved to another window of the program (a message box, say) comes
        // back as a fresh activation; a switch to another program does not.
        activationDue_ = QApplication::activeWindow() != nullptr && QApplication::activeWindow() != this;
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The start-up does not wait for the first activation: without a window manager, or where
    // focus-stealing prevention leaves the new window inactive, none may come until the child
    // clicks into the window, which would stay small with an empty scheme list until then.
    if (!shown_) {
        shown_ = true;
        widgets::guarded([this] { FormActivate(); });
    }
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (Cursore)
        Cursore->setGeometry(rect());
    if (Schermo)
        widgets::guarded([this] { FormResize(); });
}

void TForm1::fillClientArea()
{
    // Schermo fills the client area: re-applying this leaves it alone when it already does,
    // otherwise it takes the client size, which rescales what it holds.
    if (Schermo->geometry() != rect())
        Schermo->setGeometry(rect());
}

void TForm1::FormCreate()
{
    fillClientArea();
}

void TForm1::FormResize()
{
    fillClientArea();
}

void TForm1::FormActivate()
{
    // Without a window manager nothing carries the maximised state out: the window takes the
    // screen's size itself (it has no frame then).
    if (!window::windowManagerMaximises())
        setGeometry(screen()->availableGeometry());
    setWindowState(Qt::WindowMaximized);
    exeFolder_ = runningExeFolder();
    // Listed afresh at every activation, and never with an error box: closing a box activates
    // the window again. A scheme folder that does not answer keeps the list as it was.
    try {
        pointSchemeListAtSchemeFolder();
    } catch (const fileio::FolderNotAnswering&) {
    }
}

QString TForm1::runningExeFolder() const
{
    return exeFolderOverride_.isEmpty() ? widgets::executableFolder() : exeFolderOverride_;
}

QString TForm1::schemeFolder() const
{
    return widgets::joinPath(exeFolder_, QStringLiteral("schemi"));
}

void TForm1::pointSchemeListAtSchemeFolder()
{
    const QString folder = schemeFolder();
    CaricaSchemi->setDirectory(folder);
    // A missing scheme folder lists nothing; the tooltip then says where the program looked.
    if (QFileInfo(folder).isDir())
        CaricaSchemi->setToolTip(SchemeListHint);
    else
        CaricaSchemi->setToolTip(QStringLiteral("Cartella degli esercizi non trovata:\n%1")
                                     .arg(QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath())));
}

// --- The board host ----------------------------------------------------------------------

Box& TForm1::box(int n)
{
    if (n < 1 || n > BoxCount)
        throw std::out_of_range("There is no box " + boxName(n));
    return *boxes_[size_t(n - 1)];
}

std::string TForm1::label1Caption() const
{
    return Label1->text().toStdString();
}

void TForm1::setLabel1Caption(std::string_view caption)
{
    Label1->setCaption(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
}

void TForm1::setLabel4Caption(std::string_view caption)
{
    Label4->setCaption(QString::fromLatin1(caption.data(), qsizetype(caption.size())));
}

void TForm1::setLabel2Visible(bool visible)
{
    Label2->setVisible(visible);
}

void TForm1::setTimer1Enabled(bool enabled)
{
    Timer1->setEnabled(enabled);
}

bool TForm1::checkBox1Checked() const
{
    return CheckBox1->isChecked();
}

void TForm1::setShape1Bounds(const Bounds& bounds)
{
    Shape1->setTop(bounds.top);
    Shape1->setLeft(bounds.left);
    Shape1->setHeight(bounds.height);
    Shape1->setWidth(bounds.width);
}

// --- Handlers ----------------------------------------------------------------------------

void TForm1::CaricaSchemiClick()
{
    // By the name's own bytes: a name that is not UTF-8 is shown decoded, but opened as it is.
    const std::string path = CaricaSchemi->nativeFileName().toStdString();
    // Read on a helper thread, waited for a short time only: a scheme in a folder whose server
    // stopped answering must not freeze the window. The game in play then stays as it was, and
    // the drawing that arrives later is dropped.
    const std::optional<engine::PickRead> read
        = fileio::callWithin(fileio::FolderAnswerLimit, [path] { return engine::readPick(path); });
    if (!read)
        throw fileio::FolderNotAnswering(CaricaSchemi->directory().toStdString());
    // A pick rewrites most of the board: one repaint of the area it touched follows it.
    const widgets::BoardRepaintBatch batch;
    game_.applyPick(*read);
    if (read->scheme)
        boardTakesKeys();
}

void TForm1::boardTakesKeys()
{
    Cursore->reset();
    Cursore->setFocus(Qt::OtherFocusReason);
}

void TForm1::cursorMoved(int n)
{
    if (isCell(n))
        suiEdit1MouseMove(boxes_[size_t(n - 1)]);
}

void TForm1::cursorActivated(int n)
{
    widgets::BoardBox* box = boxes_[size_t(n - 1)];
    if (!box->isVisible() || !box->isEnabled())
        return;
    if (isCell(n))
        suiEdit1Click(box);
    else
        suiEdit442Click(box);
}

void TForm1::cursorFollowsClick(int n)
{
    Cursore->moveToBox(n);
    Cursore->setFocus(Qt::MouseFocusReason);
    Cursore->boxChanged(n);
}

// A click or a hover with SOS usually changes one cell, but the one that completes the picture
// changes them all: one repaint of the area they cover follows.
void TForm1::suiEdit1Click(widgets::BoardBox* sender)
{
    const widgets::BoardRepaintBatch batch;
    game_.cellClick(sender->number());
    cursorFollowsClick(sender->number());
}

void TForm1::suiEdit442Click(widgets::BoardBox* sender)
{
    game_.clueSlotClick(sender->number());
    cursorFollowsClick(sender->number());
}

void TForm1::suiEdit1MouseMove(widgets::BoardBox* sender)
{
    const widgets::BoardRepaintBatch batch;
    const Color before = sender->color();
    game_.cellMouseMove(sender->number());
    // Assistive technology hears of the cells that SOS uncovers, not of every move.
    if (sender->color() != before)
        Cursore->boxChanged(sender->number());
}

void TForm1::Timer1Timer()
{
    game_.timerTick();
}

void TForm1::CheckBox2Click()
{
    const bool ticked = CheckBox2->isChecked();
    for (widgets::Panel* line : {Panel1, Panel2, Panel3, Panel4, Panel5, Panel6, Panel7, Panel8})
        line->setVisible(ticked);
}

void TForm1::setControlsVisible(const QStringList& names, bool visible)
{
    for (const QString& name : names) {
        if (widgets::Component* c = findComponent(name))
            if (auto* control = qobject_cast<QWidget*>(c->object()))
                control->setVisible(visible);
    }
}

void TForm1::withPrintedControlsHidden(const std::function<void()>& action)
{
    setControlsVisible(window::printHiddenControls(), false);
    const auto showAgain = qScopeGuard([this] { setControlsVisible(window::printShownControls(), true); });
    action();
}

QImage TForm1::printedImage()
{
    QImage image;
    withPrintedControlsHidden([this, &image] { image = Schermo->grab().toImage(); });
    return image;
}

void TForm1::printTo(QPrinter& printer)
{
    // The controls stay hidden until the page has gone to the printer.
    withPrintedControlsHidden([this, &printer] { window::printImage(printer, Schermo->grab().toImage()); });
}

void TForm1::StampaCrucintarsioClick()
{
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Tessaria"));
    printTo(printer);
}

void TForm1::EsciClick()
{
    close();
}

void TForm1::BitBtn1Click()
{
    pointSchemeListAtSchemeFolder();
}

// The popup menu's zoom items and the spin button carry no function.
void TForm1::IngrandisciSchemaClick() { }

void TForm1::VerticaleF31Click() { }

void TForm1::SpinButton1UpClick() { }

void TForm1::SpinButton1DownClick() { }

// Any button released anywhere over any of the three stripes opens the chooser.
void TForm1::RichiamaLingua1MouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)
{
    chooser_->open();
}

void TForm1::SceltaLinguaChange()
{
    chooser_->choose();
}
