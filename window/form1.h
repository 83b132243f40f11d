// SPDX-License-Identifier: GPL-3.0-or-later
// TForm1: the main window, its controls on the panel Schermo and its event handlers.
#pragma once

#include "board.h"
#include "boardcursor.h"
#include "component.h"
#include "game.h"
#include "nobderp.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QPrinter;

namespace widgets {
class BoardBox;
class CheckBox;
class ComboBox;
class FileListBox;
class GlyphButton;
class Label;
class MenuItem;
class Panel;
class Shape;
class SkinButton;
class SkinPopupMenu;
class SpinButton;
class Timer;
} // namespace widgets

namespace lang {
class LanguageChooser;
class TLanguage;
} // namespace lang

// The single window of the program. It is owned by Component::application() and owns every
// control and non-visual part laid out on it, in creation order; all controls are children of
// Schermo. The puzzle state lives in the 693 boxes; the window serves them to the engine by
// number (engine::BoardHost) and runs every handler inside widgets::guarded, so that an error
// ends only that handler and shows the error box.
class TForm1 : public QWidget, public widgets::Component, public engine::BoardHost {
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QString Caption READ windowTitle WRITE setWindowTitle)

public:
    // The window caption: the title, three blanks, the project's home page.
    static const QString Caption;
    // The client size of the layout, in design pixels.
    static constexpr int DesignClientWidth = 814;
    static constexpr int DesignClientHeight = 629;

    // exeFolder replaces the folder of the running executable (ending in "/"); tests use it
    // to point the program at a scheme folder of their own. Empty: the real exe folder.
    explicit TForm1(const QString& exeFolder = {});
    ~TForm1() override;

    // The exe folder recorded by the last activation, ending in "/" (empty before the first).
    QString exeFolder() const { return exeFolder_; }
    // The folder the scheme list returns to: the exe folder followed by "schemi".
    QString schemeFolder() const;

    // The image that "STAMPA" prints: the client area with the ten controls of
    // window::printHiddenControls() hidden while it is taken, shown again afterwards (also
    // when taking it fails).
    QImage printedImage();
    // The whole "STAMPA" action on a given printer: landscape, one page, no dialog. Throws
    // std::runtime_error when printing fails; the ten controls are shown again in any case.
    void printTo(QPrinter& printer);

    // engine::BoardHost
    engine::Box& box(int n) override;
    std::string label1Caption() const override;
    void setLabel1Caption(std::string_view caption) override;
    void setLabel4Caption(std::string_view caption) override;
    void setLabel2Visible(bool visible) override;
    void setTimer1Enabled(bool enabled) override;
    bool checkBox1Checked() const override;
    void setShape1Bounds(const engine::Bounds& bounds) override;

    // Handlers, named after their control and event. Each runs inside widgets::guarded.
    void FormCreate();
    void FormResize();
    void FormActivate();
    void CaricaSchemiClick();
    // The board's handlers act on the box that raised the event, by the number it carries.
    void suiEdit1Click(widgets::BoardBox* sender);
    void suiEdit442Click(widgets::BoardBox* sender);
    void suiEdit1MouseMove(widgets::BoardBox* sender);
    void Timer1Timer();
    void CheckBox2Click();
    void StampaCrucintarsioClick();
    void EsciClick();
    void BitBtn1Click();
    void IngrandisciSchemaClick();
    void VerticaleF31Click();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    // The language flag opens the language list; a choice there applies that language.
    void RichiamaLingua1MouseUp(
        QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint pos);
    void SceltaLinguaChange();

    // The controls, by their layout names (owned by the window, children of Schermo).
    scaling::TNoBDEResizerPanel* Schermo = nullptr;
    widgets::Shape* RichiamaLingua1 = nullptr;
    widgets::Shape* RichiamaLingua2 = nullptr;
    widgets::Shape* RichiamaLingua3 = nullptr;
    widgets::Label* Label1 = nullptr;
    widgets::Label* Label2 = nullptr;
    widgets::Label* Label4 = nullptr;
    widgets::Shape* Shape1 = nullptr;
    widgets::Panel* Panel1 = nullptr;
    widgets::SkinButton* Esci = nullptr;
    widgets::SkinButton* StampaCrucintarsio = nullptr;
    widgets::FileListBox* CaricaSchemi = nullptr;
    widgets::ComboBox* SceltaLingua = nullptr;
    widgets::GlyphButton* BitBtn1 = nullptr;
    widgets::SpinButton* SpinButton1 = nullptr;
    widgets::CheckBox* CheckBox1 = nullptr;
    widgets::Panel* Panel2 = nullptr;
    widgets::Panel* Panel3 = nullptr;
    widgets::Panel* Panel4 = nullptr;
    widgets::CheckBox* CheckBox2 = nullptr;
    widgets::Panel* Panel5 = nullptr;
    widgets::Panel* Panel6 = nullptr;
    widgets::Panel* Panel7 = nullptr;
    widgets::Panel* Panel8 = nullptr;
    widgets::SkinPopupMenu* suiPopupMenu1 = nullptr;
    widgets::MenuItem* IngrandisciSchema = nullptr;
    widgets::MenuItem* VerticaleF31 = nullptr;
    lang::TLanguage* Language1 = nullptr;
    widgets::Timer* Timer1 = nullptr;
    // The keyboard's way onto the board: the cursor over the boxes (not on Schermo).
    window::BoardCursor* Cursore = nullptr;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createSchermo();
    void createFlag();
    void createTopLabels();
    void createClickMarker();
    void createTopButtons();
    widgets::SkinButton* createSkinButton(const QString& name, const QString& caption, const QRect& bounds);
    void createLists();
    void createAids();
    widgets::CheckBox* createCheckBox(const QString& name, const QString& caption, int left);
    void createBoard();
    widgets::BoardBox* createBox(int n, const QFont& boxFont, const QFont& labelFont);
    void createGuideLines();
    widgets::Panel* createGuideLine(int n);
    void createPopupMenu();
    void createLanguage();
    void createTimer();
    void createCursor();
    void setAccessibleNames();
    // After a load the board takes the keys, with the cursor on row 1, column 1.
    void boardTakesKeys();
    // The cursor's keys: a move onto a cell is a mouse move over it, Space and Return a click.
    void cursorMoved(int n);
    void cursorActivated(int n);
    // A click on a box puts the cursor there and gives the board the keys.
    void cursorFollowsClick(int n);
    void setTabOrder();
    void connectHandlers();
    void fillClientArea();
    void pointSchemeListAtSchemeFolder();
    void setControlsVisible(const QStringList& names, bool visible);
    // Runs action with the ten controls of window::printHiddenControls() hidden, and shows them
    // again afterwards, also when action throws.
    void withPrintedControlsHidden(const std::function<void()>& action);
    // The folder of the running executable, or the one a test put in its place.
    QString runningExeFolder() const;

    // The boxes by number, filled as they are created. The engine reaches boxes thousands of
    // times per pick; the name index costs about 0.3 us a look-up (a name built, lower-cased
    // and hashed), which was a tenth of a pick's time, so the window keeps them at hand.
    std::array<widgets::BoardBox*, engine::BoxCount> boxes_ {};

    engine::Game game_;
    std::unique_ptr<lang::LanguageChooser> chooser_;
    QString exeFolderOverride_;
    QString exeFolder_;
    // Whether FormActivate is due at the next activation: after the activation went to another
    // window of the program (not to another program). The first show runs it in any case.
    bool activationDue_ = false;
    bool shown_ = false;
};
