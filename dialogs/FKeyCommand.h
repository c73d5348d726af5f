#pragma once

#include <memory>

#include "QBForm.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tulma {

class IDesktopWindows;
class TBrowseFolder;
class THotKeyCommand;
class TWindowClassOffer;

// The dialog that edits one command of a hotkey. It works on a copy of the command and writes the copy
// back only when OK succeeds.
class TFormHotKeyCommand : public TQBForm {
    Q_OBJECT

  public:
    explicit TFormHotKeyCommand(QWidget* Owner);
    ~TFormHotKeyCommand() override;

    // Command stays the caller's; it receives the edited values on a successful OK.
    void SetCommand(THotKeyCommand* Command);
    // The desktop that the Test button looks at; without one the button is disabled.
    void SetDesktopWindows(IDesktopWindows* Windows);

  protected:
    void showEvent(QShowEvent* Event) override;

  private:
    std::unique_ptr<THotKeyCommand> FCommand;
    THotKeyCommand* FOriginal = nullptr;
    bool FShown = false;
    IDesktopWindows* FWindows = nullptr;

    QLineEdit* TxtName;
    QLineEdit* TxtExec;
    QToolButton* BtnApplications;
    QToolButton* BtnBrowse;
    QLineEdit* TxtParameters;
    QLineEdit* TxtDirectory;
    QToolButton* BtnBrowseDirectory;
    QComboBox* CBExecMode;
    QLineEdit* TxtLookForWindow;
    QPushButton* BtnTest;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;
    TBrowseFolder* BrowseFolder;
    TWindowClassOffer* WindowClassOffer;

    void CreateControls();
    void FormShow();
    void BtnOKClick();
    void BtnBrowseClick();
    void BtnApplicationsClick();
    void BtnBrowseDirectoryClick();
    void BtnTestClick();
};

}  // namespace tulma
