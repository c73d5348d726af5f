#pragma once

#include <QDialog>
#include <QIcon>

#include <functional>
#include <memory>
#include <string>

#include "AutostartEntry.h"
#include "QBForm.h"
#include "QtListControls.h"
#include "ReferenceList.h"
#include "ShellServices.h"

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace tulma {

class THotKeyActivation;
class THotTulma;
class TTrayIcon;

// The program's main window: the list of hotkeys of the current hotkey file, the file commands, and
// the owner of every hotkey registration and of the tray icon. Closing it ends the program.
class TFormMain : public TQBForm {
    Q_OBJECT
  public:
    explicit TFormMain(const TShellServices& DesktopServices);
    ~TFormMain() override;

    // Whether the hotkeys hold changes that are not saved.
    bool Modified() const { return FModified; }
    // Makes the about box that "View Info..." shows, when it is first asked for.
    void SetAboutBox(std::function<std::unique_ptr<QDialog>()> NewAboutBox) {
        FNewAboutBox = std::move(NewAboutBox);
    }

    // Shows the window for the first time, or, when the hotkey file asks to start minimised, minimises it
    // at once: a window on its way to the tray is never drawn, nor are its fonts and pixels kept.
    void ShowAtStart();
    // Shows the window in front, restored from the tray or from being minimised; an open modal window
    // comes in front of it.
    void BringForward();
    // The session notice with the backends' current state.
    void ShowBackendNotice(const std::string& BackendNotice);

    TTrayIcon& TrayIcon1() { return *FTrayIcon1; }
    // The tray menu with an item for every active hotkey.
    QMenu& PopupMenu1();
    THotKeyActivation& Activation() { return *FActivation; }

    // The hotkeys moved to another backend (a portal that failed later): the session notice says so.
    void SetBackendNotice(bool DesktopShortcuts, const std::string& Notice);
    // The desktop session ends (SIGTERM, SIGHUP...), so nothing can be asked: unsaved changes go to a
    // recovery copy (the hotkey file stays as it is) and the window closes.
    void EndSession();
    // Says that the last session ended with unsaved changes, when their recovery copy is newer than the
    // file, and offers to open the copy.
    void OfferRecoveryCopy();

    // Fills the list, minimises to the tray when the file asks for it and registers every hotkey. Runs
    // once, after the window is first shown; later calls do nothing.
    void FormActivate();

    void BtnNewClick();
    void BtnEditClick();
    void BtnDeleteClick();
    void BtnViewInfoClick();
    void CBMinimizeClick();
    void BtnOpenClick();
    void BtnSaveClick();
    void BtnSaveAsClick();
    void BtnReloadClick();
    void BtnQuitClick();
    // Writes or removes the autostart entry; the hotkeys and Modified stay as they are.
    void CBAutostartClick();

    // Tells Summary and Body in the window's notice line, and in a balloon while the tray icon shows;
    // the user hides the line.
    void ShowNotice(const QString& Summary, const QString& Body);

    void TrayIcon1Click();
    void TrayIcon1RightClick();
    void PPCRestoreClick();
    void PPCCloseClick();

  signals:
    // The close was accepted: the program ends.
    void Closed();
    // Hotkeys whose combinations were refused at start-up, said once.
    void HotKeysRefused(const QString& Summary, const QString& Body);

  protected:
    void showEvent(QShowEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    // Return or Enter presses the focused button (the buttons are no default buttons).
    void keyPressEvent(QKeyEvent* Event) override;
    // A double click on the list's empty space runs Edit as one on a line does.
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    // Escape does not close the main window.
    void reject() override {}

  private:
    TShellServices FServices;
    QLabel* Label6;
    QLabel* Label1;
    QLabel* Label2;
    QListWidget* LBListe;
    QPushButton* BtnNew;
    QPushButton* BtnEdit;
    QPushButton* BtnDelete;
    QPushButton* BtnViewInfo;
    QCheckBox* CBMinimize;
    QLabel* Label3;
    QLabel* LabCurrFileName;
    QPushButton* BtnOpen;
    QPushButton* BtnSave;
    QPushButton* BtnSaveAs;
    QPushButton* BtnReload;
    QPushButton* BtnQuit;
    QCheckBox* CBAutostart;
    // Shown while the current file is one that could not be read, or after its bytes were kept.
    QLabel* LabFileNotice;
    // Shown in a Wayland session only: what the hotkeys can reach there.
    QLabel* LabSessionNotice;
    // What went wrong while the user may not have looked: a start that failed, refused hotkeys.
    QLabel* LabEventNotice;
    // The latest notice told while the tray icon did not show, for a balloon once it shows.
    QString FPendingSummary;
    QString FPendingBody;
    QMenu* FPopupMenu1;
    QAction* MCHide;
    QAction* PPCRestore;
    QAction* PPCClose;
    QAction* N3;
    TTrayIcon* FTrayIcon1;
    THotKeyActivation* FActivation;

    TListWidgetControl FListControl;
    // Filled by RefreshList when the window is first activated.
    TReferenceList FHotKeyReferences;
    bool FModified = false;
    bool FActivated = false;
    std::function<std::unique_ptr<QDialog>()> FNewAboutBox;
    std::unique_ptr<QDialog> FAboutBox;
    bool FTextsMeasured = false;
    // The window's height with the notices shown (PlaceNotices).
    int FNoticesHeight = 0;
    QIcon FWarningIcon;
    TAutostartEntry FAutostart;

    void CreateControls();
    // The check box "start Tulma when I log in".
    void CreateAutostartBox();
    // The notice lines below it, hidden until they have something to say (FMainNotices.cpp).
    void CreateNotices();
    void CreateTrayMenu();
    void CreateTrayIcon();
    void FormCreate();
    void RefreshList();
    bool QuerySaveChanges();
    // The current file's name and its notice.
    void ShowCurrentFileName();
    // Says whether the current file could not be read and where a save keeps (or, KeptCopy, kept) its
    // bytes; hidden otherwise.
    void ShowFileNotice(const std::string& KeptCopy = {});
    // Makes FileName the current file; when it cannot be read, the hotkeys and file name in use stay.
    void OpenHotKeyFile(const std::string& FileName);
    // The shown notices, one below the other under the check box; the window grows to hold them.
    void PlaceNotices();
    // Gives the window the height that its notices need, unless it is minimised.
    void FitNotices();
    void ShowSessionNotice();
    void ShowAutostartState();
    // The window title and the tray tip: "Tulma", with the file's name when it is not the default one.
    void ShowFileInCaption();
    void TellRefusedHotKeys();
    void ShowRegistrationMarks();
    // The mark of a line whose key combination could not be registered; made when first needed.
    const QIcon& WarningIcon();
    void MeasureTexts();
    // Sizes the file name's label to its text once the texts are measured.
    void FitFileNameLabel();
    // Registers the hotkeys of the file at HotKeyFileName in place of the current ones; on a failure
    // the current ones stay registered and the error goes on to the caller.
    void LoadCurrentFile();
    void RestoreApplication();
    // A Wayland compositor lets no program take the focus by itself; the desktop's window list can give
    // it to the main window.
    void ActivateThroughDesktop();
    bool SelectedIndex(int32_t& Index);
};

}  // namespace tulma
