// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's main window: menus, tool bar and status bar around the board and the verdict
// panel; the file commands with their questions; the checks of every change off the GUI thread.
#pragma once

#include "worksheet.h"

#include <QMainWindow>

class QPrinter;

#include <functional>
#include <vector>

class QAction;
class QLabel;

namespace editor {

class CheckRunner;
class EditorDocument;
class GridView;
class ImportDialog;
class VerdictPanel;

class EditorWindow : public QMainWindow {
    Q_OBJECT

public:
    // Questions the window asks; tests answer them in place of the dialogs.
    enum class FileQuestion { Open, Save, Import, Worksheet };
    struct Dialogs {
        // The file to open, to save to or to import, starting in folder; empty to cancel.
        std::function<QString(FileQuestion question, const QString& folder)> fileName;

        // Unsaved changes would be lost: save them (Save), drop them (Discard) or stop (Cancel).
        std::function<int()> keepChanges;
        // The import dialog, filled: whether it is accepted.
        std::function<bool(ImportDialog& dialog)> import;
        // The print dialog on printer: whether to print.
        std::function<bool(QPrinter& printer)> print;
    };

    explicit EditorWindow(QWidget* parent = nullptr);
    ~EditorWindow() override;

    void setDialogs(Dialogs dialogs) { dialogs_ = std::move(dialogs); }

    EditorDocument& document() { return *document_; }
    GridView& grid() { return *grid_; }
    VerdictPanel& verdict() { return *verdict_; }
    CheckRunner& checks() { return *checks_; }

    // Opens the scheme at path; on failure the drawing stays as it was and the error box
    // names the file and the cause. False when nothing was opened.
    bool openFile(const QString& path);
    // Saves to path; on failure the changes stay unsaved. False when nothing was saved.
    bool saveTo(const QString& path);
    // Imports the picture, .non puzzle or text grid at path through the import dialog; the
    // drawing replaces the picture as one undo step. False when nothing was imported.
    bool importFile(const QString& path);
    // Writes the drawing's worksheet as a PDF (with the solution page when asked) to path.
    bool exportWorksheet(const QString& path, bool solution);
    // The drawing as a worksheet's sheet: untitled, as tessaria-schemi prints a single scheme
    // (a title with the name would give the picture away); its name heads the solution page.
    schemetools::Sheet worksheetSheet() const;
    // Asks for a printer in Qt's print dialog and prints the worksheet on it (with the solution
    // page when asked). False when nothing was printed.
    bool printWorksheet(bool solution);
    // Sets the language file the captions are read from (empty: Italian) and applies it.
    void chooseLanguage(const QString& languageFile);

    // The folder where saving starts: the shared folder of the administrators when it is
    // writable, else the game's scheme folder.
    QString schemeFolder() const;
    // The administrators' folder for every user (/usr/local/share/tessaria/schemi); tests give
    // one of their own.
    void setSharedFolder(const QString& folder) { sharedFolder_ = folder; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    // Sets every caption from the language chosen.
    void retranslate();
    void updateTitle();
    void documentChanged();
    // The cursor's position and the number of picture cells in the status bar.
    void updateStatus();
    // Asks whether to keep unsaved changes; true when the caller may go on.
    bool maybeSave();
    void newFile();
    void open();
    bool save();
    bool saveAs();
    QString askFileName(FileQuestion question, const QString& folder);
    void askWorksheet(bool solution);

    EditorDocument* document_;
    GridView* grid_;
    VerdictPanel* verdict_;
    CheckRunner* checks_;
    QLabel* position_;
    Dialogs dialogs_;
    QString sharedFolder_ = QStringLiteral("/usr/local/share/tessaria/schemi");
    struct Caption {
        QAction* action;
        QByteArray key;
        QString italian;
    };
    struct MenuCaption {
        class QMenu* menu;
        QByteArray key;
        QString italian;
    };
    std::vector<Caption> captions_;
    std::vector<MenuCaption> menus_;

    QAction* new_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* quit_ = nullptr;
    QAction* import_ = nullptr;
    QAction* worksheet_ = nullptr;
    QAction* worksheetSolution_ = nullptr;
    QAction* print_ = nullptr;
    QAction* printSolution_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* clear_ = nullptr;
    QAction* shiftUp_ = nullptr;
    QAction* shiftDown_ = nullptr;
    QAction* shiftLeft_ = nullptr;
    QAction* shiftRight_ = nullptr;
    QAction* mirror_ = nullptr;
};

} // namespace editor
