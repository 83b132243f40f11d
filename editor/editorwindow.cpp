// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's main window and its file commands.
#include "editorwindow.h"

#include "checkrunner.h"
#include "editordocument.h"
#include "gridview.h"
#include "importdialog.h"
#include "verdictpanel.h"
#include "words.h"

#include "errors.h"
#include "fileread.h"
#include "inputerror.h"
#include "languagechooser.h"
#include "savefile.h"
#include "textfile.h"
#include "worksheet.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace editor {

namespace {

// A scheme file is a few hundred bytes; anything this large is no scheme.
constexpr std::size_t SchemeFileCap = 1024 * 1024;

// Whether this process may create files in folder, judged by its effective user and
// capabilities, as the write itself will be (QFileInfo::isWritable asks with the real user,
// which for root grants everything).
bool writableFolder(const QString& folder)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

QString fileMessage(const QString& path, const QString& cause)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), cause);
}

// The message of a file that cannot be read or written: the file and its cause in the chosen
// language, or the library's own words for a cause without a word (naming the file when the
// library does not).
QString failureMessage(const QString& path, const schemetools::InputError& error)
{
    const QString cause = causeWord(error.cause());
    if (!cause.isEmpty())
        return fileMessage(path, cause);
    const QString message = QString::fromStdString(error.message());
    return message.startsWith(path + QLatin1Char(':')) ? message : fileMessage(path, message);
}

} // namespace

EditorWindow::EditorWindow(QWidget* parent)
    : QMainWindow(parent)
    , document_(new EditorDocument(this))
    , grid_(new GridView(*document_))
    , verdict_(new VerdictPanel)
    , checks_(new CheckRunner(this))
    , position_(new QLabel)
{
    setObjectName(QStringLiteral("Editor"));
    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(grid_, 3);
    layout->addWidget(verdict_, 1);
    setCentralWidget(central);
    createActions();
    createMenus();
    statusBar()->addWidget(position_);

    connect(document_, &EditorDocument::changed, this, &EditorWindow::documentChanged);
    connect(&document_->undoStack(), &QUndoStack::cleanChanged, this, &EditorWindow::updateTitle);
    connect(grid_, &GridView::cursorMoved, this, &EditorWindow::updateStatus);
    connect(checks_, &CheckRunner::ready, this, [this](const Analysis& analysis) {
        verdict_->showAnalysis(analysis);
        grid_->setMarks(analysis.open, analysis.differs, std::nullopt);
    });
    connect(checks_, &CheckRunner::suggestion, this, [this](std::optional<int> cell) {
        verdict_->showSuggestion(cell);
        grid_->setSuggestion(cell);
    });
    connect(verdict_, &VerdictPanel::applySuggestion, this, [this] {
        if (const auto cell = grid_->suggestion())
            document_->setCell(*cell, !document_->filled(*cell), QStringLiteral("Suggerimento"));
    });
    documentChanged();
    updateTitle();
    grid_->setFocus();
    resize(1000, 700);
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::createActions()
{
    auto make = [this](QAction*& action, const char* name, const QString& text, const QKeySequence& key,
                    auto slot) {
        action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        captions_.push_back({action, "Editor." + QByteArray(name) + ".Caption", text});
        if (!key.isEmpty())
            action->setShortcut(key);
        connect(action, &QAction::triggered, this, [slot] { widgets::guarded(slot); });
    };
    make(new_, "Nuovo", QStringLiteral("&Nuovo"), QKeySequence::New, [this] { newFile(); });
    make(open_, "Apri", QStringLiteral("&Apri…"), QKeySequence::Open, [this] { open(); });
    make(save_, "Salva", QStringLiteral("&Salva"), QKeySequence::Save, [this] { save(); });
    make(saveAs_, "SalvaConNome", QStringLiteral("Salva &con nome…"),
        QKeySequence(QStringLiteral("Ctrl+Shift+S")), [this] { saveAs(); });
    make(import_, "Importa", QStringLiteral("&Importa…"), QKeySequence(QStringLiteral("Ctrl+I")), [this] {
        const QString path = askFileName(FileQuestion::Import, QDir::homePath());
        if (!path.isEmpty())
            importFile(path);
    });
    make(print_, "Stampa", QStringLiteral("S&tampa la scheda…"), QKeySequence::Print,
        [this] { printWorksheet(false); });
    make(printSolution_, "StampaSoluzione", QStringLiteral("Stampa la scheda con la so&luzione…"),
        QKeySequence(), [this] { printWorksheet(true); });
    make(worksheet_, "SchedaPdf", QStringLiteral("Scheda in &PDF…"), QKeySequence(),
        [this] { askWorksheet(false); });
    make(worksheetSolution_, "SchedaPdfSoluzione", QStringLiteral("Scheda in PDF con la s&oluzione…"),
        QKeySequence(), [this] { askWorksheet(true); });
    make(quit_, "Esci", QStringLiteral("&Esci"), QKeySequence(QStringLiteral("Ctrl+Q")), [this] { close(); });
    make(undo_, "Annulla", QStringLiteral("&Annulla"), QKeySequence::Undo,
        [this] { document_->undoStack().undo(); });
    make(redo_, "Ripeti", QStringLiteral("&Ripeti"), QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
        [this] { document_->undoStack().redo(); });
    redo_->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    make(clear_, "CancellaTutto", QStringLiteral("Cancella &tutto"), QKeySequence(QStringLiteral("Ctrl+Del")),
        [this] { document_->clear(); });
    make(shiftUp_, "SpostaSu", QStringLiteral("Sposta in &su"), QKeySequence(QStringLiteral("Ctrl+Up")),
        [this] { document_->shift(-1, 0); });
    make(shiftDown_, "SpostaGiu", QStringLiteral("Sposta in &giù"), QKeySequence(QStringLiteral("Ctrl+Down")),
        [this] { document_->shift(1, 0); });
    make(shiftLeft_, "SpostaSinistra", QStringLiteral("Sposta a si&nistra"),
        QKeySequence(QStringLiteral("Ctrl+Left")), [this] { document_->shift(0, -1); });
    make(shiftRight_, "SpostaDestra", QStringLiteral("Sposta a &destra"),
        QKeySequence(QStringLiteral("Ctrl+Right")), [this] { document_->shift(0, 1); });
    make(mirror_, "Rifletti", QStringLiteral("R&ifletti sinistra–destra"),
        QKeySequence(QStringLiteral("Ctrl+M")), [this] { document_->mirror(); });
    connect(&document_->undoStack(), &QUndoStack::canUndoChanged, undo_, &QAction::setEnabled);
    connect(&document_->undoStack(), &QUndoStack::canRedoChanged, redo_, &QAction::setEnabled);
    undo_->setEnabled(false);
    redo_->setEnabled(false);
}

void EditorWindow::retranslate()
{
    for (const Caption& caption : captions_)
        caption.action->setText(word(caption.key.constData(), caption.italian));
    for (const MenuCaption& caption : menus_)
        caption.menu->setTitle(word(caption.key.constData(), caption.italian));
    updateTitle();
    updateStatus();
    verdict_->retranslate();
}

void EditorWindow::chooseLanguage(const QString& languageFile)
{
    setLanguageFile(languageFile);
    retranslate();
}

void EditorWindow::createMenus()
{
    QMenu* file = menuBar()->addMenu(QString());
    file->setObjectName(QStringLiteral("MenuFile"));
    menus_.push_back({file, "Editor.MenuFile.Caption", QStringLiteral("&File")});
    file->addActions({new_, open_, save_, saveAs_});
    file->addSeparator();
    file->addAction(import_);
    file->addActions({print_, printSolution_, worksheet_, worksheetSolution_});
    file->addSeparator();
    file->addAction(quit_);
    QMenu* edit = menuBar()->addMenu(QString());
    edit->setObjectName(QStringLiteral("MenuModifica"));
    menus_.push_back({edit, "Editor.MenuModifica.Caption", QStringLiteral("&Modifica")});
    edit->addActions({undo_, redo_});
    edit->addSeparator();
    edit->addActions({clear_, shiftUp_, shiftDown_, shiftLeft_, shiftRight_, mirror_});

    QToolBar* tools = addToolBar(QStringLiteral("Strumenti"));
    tools->setObjectName(QStringLiteral("BarraStrumenti"));
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({new_, open_, save_});
    tools->addSeparator();
    tools->addActions({undo_, redo_});
    tools->addSeparator();
    tools->addActions({clear_, mirror_});

    // The languages of the game's list (lingue.txt beside the program), each read from its
    // language file there; the list is read when the menu opens.
    QMenu* languages = menuBar()->addMenu(QString());
    languages->setObjectName(QStringLiteral("MenuLingua"));
    menus_.push_back({languages, "Editor.MenuLingua.Caption", QStringLiteral("&Lingua")});
    connect(languages, &QMenu::aboutToShow, this, [this, languages] {
        languages->clear();
        QStringList names;
        try {
            names = lang::textLines(lang::readTextFile(
                QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("lingue.txt"))));
        } catch (const lang::InOutError&) {
            // No list: only Italian, built in.
        }
        languages->addAction(QStringLiteral("italiano"), this, [this] { chooseLanguage(QString()); });
        for (const QString& name : names) {
            if (name.trimmed().isEmpty() || name.trimmed() == QStringLiteral("italiano"))
                continue;
            languages->addAction(name, this, [this, name] { chooseLanguage(lang::LanguageFilePath(name)); });
        }
    });
    retranslate();
}

void EditorWindow::updateStatus()
{
    int picture = 0;
    for (int i = 0; i < engine::CellCount; ++i)
        picture += document_->filled(i) ? 1 : 0;
    const QPoint at = grid_->cursor();
    position_->setText(
        word("Editor.Posizione.Caption", QStringLiteral("Riga %1, colonna %2 · caselle del disegno: %3"))
            .arg(at.y() + 1)
            .arg(at.x() + 1)
            .arg(picture));
}

void EditorWindow::documentChanged()
{
    updateStatus();
    verdict_->showChecking();
    checks_->request(document_->text(), document_->edits());
    updateTitle();
}

void EditorWindow::updateTitle()
{
    const QString path = document_->filePath();
    const QString name = path.isEmpty() ? word("Editor.SenzaNome.Caption", QStringLiteral("senza nome.dis"))
                                        : QFileInfo(path).fileName();
    const QString title = word("Editor.Titolo.Caption", QStringLiteral("Tessaria – Editor di schemi"));
    // The window system adds the program's display name to a title that lacks it: the same
    // words, so that no Italian name follows a translated title.
    QGuiApplication::setApplicationDisplayName(title);
    setWindowTitle(QStringLiteral("%1[*] – %2").arg(name, title));
    setWindowModified(document_->isModified());
    // Saving an unchanged file would write the very same bytes: nothing to do.
    save_->setEnabled(document_->isModified());
}

QString EditorWindow::schemeFolder() const
{
    const QFileInfo shared(sharedFolder_);
    if (shared.isDir() && writableFolder(shared.filePath()))
        return shared.filePath();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("schemi"));
}

QString EditorWindow::askFileName(FileQuestion question, const QString& folder)
{
    if (dialogs_.fileName)
        return dialogs_.fileName(question, folder);
    const bool save = question == FileQuestion::Save || question == FileQuestion::Worksheet;
    const bool pdf = question == FileQuestion::Worksheet;
    const QString filter = pdf ? QStringLiteral("PDF (*.pdf)")
        : question == FileQuestion::Import
        ? word("Editor.FiltroDisegni.Caption", QStringLiteral("Disegni"))
            + QStringLiteral(" (*.png *.bmp *.gif *.pbm *.pgm *.ppm *.xpm *.jpg *.jpeg *.non *.txt)")
        : word("Editor.FiltroSchemi.Caption", QStringLiteral("Schemi")) + QStringLiteral(" (*.dis)");
    QFileDialog dialog(this,
        save ? word("Editor.DialogoSalva.Caption", QStringLiteral("Salva lo schema"))
             : word("Editor.DialogoApri.Caption", QStringLiteral("Apri uno schema")),
        folder, filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save)
        dialog.setDefaultSuffix(pdf ? QStringLiteral("pdf") : QStringLiteral("dis"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool EditorWindow::maybeSave()
{
    if (!document_->isModified())
        return true;
    const int answer = dialogs_.keepChanges
        ? dialogs_.keepChanges()
        : QMessageBox::warning(this,
            word("Editor.Titolo.Caption", QStringLiteral("Tessaria – Editor di schemi")),
            word("Editor.DomandaSalva.Caption",
                QStringLiteral("Lo schema ha modifiche non salvate. Salvarle?")),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void EditorWindow::newFile()
{
    if (!maybeSave())
        return;
    document_->newScheme();
    grid_->setCursor({0, 0});
}

void EditorWindow::open()
{
    if (!maybeSave())
        return;
    const QString current = document_->filePath();
    const QString path
        = askFileName(FileQuestion::Open, current.isEmpty() ? schemeFolder() : QFileInfo(current).path());
    if (!path.isEmpty())
        openFile(path);
}

bool EditorWindow::openFile(const QString& path)
{
    std::string bytes;
    try {
        bytes = schemetools::readCapped(path.toStdString(), SchemeFileCap);
    } catch (const schemetools::InputError& error) {
        widgets::reportError(failureMessage(path, error));
        return false;
    }
    // A scheme is text: a NUL byte in its lines means some other kind of file.
    const std::size_t lines = std::min(bytes.size(), static_cast<std::size_t>(4096));
    if (std::find(bytes.begin(), bytes.begin() + static_cast<long>(lines), '\0')
        != bytes.begin() + static_cast<long>(lines)) {
        widgets::reportError(fileMessage(path, notASchemeWord()));
        return false;
    }
    document_->reset(std::move(bytes), path);
    grid_->setCursor({0, 0});
    return true;
}

bool EditorWindow::save()
{
    const QString path = document_->filePath();
    if (path.isEmpty() || !writableFolder(QFileInfo(path).path()))
        return saveAs();
    return saveTo(path);
}

bool EditorWindow::saveAs()
{
    const QString current = document_->filePath();
    const bool writable = !current.isEmpty() && writableFolder(QFileInfo(current).path());
    const QString path
        = askFileName(FileQuestion::Save, writable ? QFileInfo(current).path() : schemeFolder());
    return !path.isEmpty() && saveTo(path);
}

bool EditorWindow::saveTo(const QString& path)
{
    try {
        schemetools::saveFiles({{path.toStdString(), QByteArray::fromStdString(document_->bytes())}}, true);
    } catch (const schemetools::InputError& error) {
        widgets::reportError(failureMessage(path, error));
        return false;
    }
    document_->markSaved(path);
    updateTitle();
    return true;
}

void EditorWindow::askWorksheet(bool solution)
{
    const QString path = askFileName(FileQuestion::Worksheet, QDir::homePath());
    if (!path.isEmpty())
        exportWorksheet(path, solution);
}

schemetools::Sheet EditorWindow::worksheetSheet() const
{
    const QString file = document_->filePath();
    schemetools::Sheet sheet;
    sheet.name = (file.isEmpty() ? word("Editor.SenzaNome.Caption", QStringLiteral("senza nome.dis"))
                                 : QFileInfo(file).fileName())
                     .section(QLatin1Char('.'), 0, 0)
                     .toStdString();
    sheet.puzzle = document_->puzzle();
    return sheet;
}

bool EditorWindow::exportWorksheet(const QString& path, bool solution)
{
    try {
        schemetools::saveFiles(
            {{path.toStdString(), schemetools::worksheetPdf({worksheetSheet()}, solution, worksheetWords())}},
            true);
    } catch (const schemetools::InputError& error) {
        widgets::reportError(failureMessage(path, error));
        return false;
    }
    return true;
}

bool EditorWindow::printWorksheet(bool solution)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QString::fromStdString(worksheetSheet().name));
    QPrintDialog dialog(&printer, this);
    const bool accepted = dialogs_.print ? dialogs_.print(printer) : dialog.exec() == QDialog::Accepted;
    if (!accepted)
        return false;
    if (!schemetools::paintWorksheet(printer, {worksheetSheet()}, solution, worksheetWords())) {
        const QString target
            = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        widgets::reportError(
            word("Editor.StampaNonRiuscita.Caption", QStringLiteral("%1: la stampa non è riuscita"))
                .arg(target));
        return false;
    }
    return true;
}

bool EditorWindow::importFile(const QString& path)
{
    try {
        ImportDialog dialog(path, this);
        const bool accepted = dialogs_.import ? dialogs_.import(dialog) : dialog.exec() == QDialog::Accepted;
        if (!accepted || !dialog.drawing())
            return false;
        const schemetools::Bitmap& drawing = *dialog.drawing();
        std::vector<bool> picture(engine::CellCount, false);
        for (int r = 0; r < drawing.height(); ++r) {
            for (int c = 0; c < drawing.width(); ++c)
                picture[static_cast<std::size_t>(r * engine::GridSize + c)] = drawing.filled(r, c);
        }
        document_->setPicture(picture, QStringLiteral("Importa"));
        return true;
    } catch (const schemetools::InputError& error) {
        widgets::reportError(failureMessage(path, error));
        return false;
    }
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

} // namespace editor
