#include "FKeyCommand.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

#include "ApplicationPicker.h"
#include "BrowseFolder.h"
#include "ControlText.h"
#include "DesktopWindows.h"
#include "FileBrowseDialog.h"
#include "FormControls.h"
#include "FormFont.h"
#include "HotKeyCommand.h"
#include "PathText.h"
#include "ProgramIcon.h"
#include "WindowClassOffer.h"
#include "WindowMatch.h"
#include "WindowMatchesDialog.h"

namespace tulma {
namespace {

const QString WindowTextHelp =
    "A running window makes the command bring that window to the front instead of starting the program.\n"
    "text: a window whose title contains the text, case ignored (Firefox)\n"
    "class:NAME: a window of the program NAME, by its window class, case ignored (class:xterm)\n"
    "Pressed again while that window is active, the hotkey goes on to the next matching window.";

const QStringList ExecModes{"normal", "maximized", "minimized", "normal (no activate)",
                            "minimized (no activate)"};

QToolButton* NewPictureButton(QWidget* Parent, const char* Name, int Left, int Top, const QIcon& Icon) {
    auto* Button = PlaceControl<QToolButton>(Parent, Name, {Left, Top, 21, 21});
    Button->setIcon(Icon);
    Button->setAutoRaise(true);
    Button->setFocusPolicy(Qt::NoFocus);
    return Button;
}

QToolButton* NewFolderButton(QWidget* Parent, const char* Name, int Left, int Top) {
    return NewPictureButton(
        Parent, Name, Left, Top,
        QIcon::fromTheme("folder-open", Parent->style()->standardIcon(QStyle::SP_DirOpenIcon)));
}

}  // namespace

TFormHotKeyCommand::TFormHotKeyCommand(QWidget* Owner)
    : TQBForm(Owner), FCommand(std::make_unique<THotKeyCommand>()) {
    setWindowTitle("Hotkey command");
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(424, 184);
    setFont(FormFont("MS Sans Serif", 11));
    CreateControls();
    BrowseFolder = new TBrowseFolder(this);
    BrowseFolder->Flags = {TBrowseInfoFlag::bfFileSysDirsOnly, TBrowseInfoFlag::bfStatusText};
    BrowseFolder->ShowPathInStatusArea = false;
    BrowseFolder->SyncCustomButton = false;
}

TFormHotKeyCommand::~TFormHotKeyCommand() = default;

void TFormHotKeyCommand::CreateControls() {
    TxtName = PlaceControl<QLineEdit>(this, "TxtName", {100, 6, 294, 21});
    // The field gives room to the button that picks an installed application.
    TxtExec = PlaceControl<QLineEdit>(this, "TxtExec", {100, 30, 273, 21});
    BtnApplications = NewPictureButton(
        this, "BtnApplications", 373, 30,
        QIcon::fromTheme("applications-other", style()->standardIcon(QStyle::SP_DesktopIcon)));
    BtnApplications->setToolTip("Choose an installed application (Alt+A)");
    BtnApplications->setShortcut(Qt::ALT | Qt::Key_A);
    BtnBrowse = NewFolderButton(this, "BtnBrowse", 394, 30);
    TxtParameters = PlaceControl<QLineEdit>(this, "TxtParameters", {99, 54, 294, 21});
    TxtDirectory = PlaceControl<QLineEdit>(this, "TxtDirectory", {99, 78, 294, 21});
    BtnBrowseDirectory = NewFolderButton(this, "BtnBrowseDirectory", 391, 78);
    CBExecMode = PlaceControl<QComboBox>(this, "CBExecMode", {99, 102, 225, 21});
    CBExecMode->addItems(ExecModes);
    // The field gives room to the Test button, which ends where Cancel does.
    TxtLookForWindow = PlaceControl<QLineEdit>(this, "TxtLookForWindow", {204, 129, 160, 21});
    BtnTest = PlaceButton(this, "BtnTest", "&Test", {369, 129, 50, 21});
    BtnTest->setEnabled(false);
    BtnOK = PlaceButton(this, "BtnOK", "OK", {258, 157, 78, 21});
    BtnOK->setDefault(true);
    BtnCancel = PlaceButton(this, "BtnCancel", "Cancel", {341, 157, 78, 21});

    PlaceLabel(this, "&Name:", 6, 9, TxtName);
    PlaceLabel(this, "&Filename:", 6, 33, TxtExec);
    PlaceLabel(this, "&Parameters:", 6, 57, TxtParameters);
    PlaceLabel(this, "&Directory:", 6, 81, TxtDirectory);
    PlaceLabel(this, "e&xec mode:", 6, 105, CBExecMode);
    auto* Label6 = PlaceLabel(this, "start only if there is no window &containing", 6, 132, TxtLookForWindow);
    FitLabelText(Label6, TxtLookForWindow->x() - 6 - 4);
    Label6->setObjectName("Label6");
    Label6->setToolTip(WindowTextHelp);
    TxtLookForWindow->setToolTip(WindowTextHelp);
    WindowClassOffer = new TWindowClassOffer(TxtExec, TxtDirectory, TxtLookForWindow);

    SetTabOrder({TxtName, TxtExec, TxtParameters, TxtDirectory, CBExecMode, TxtLookForWindow, BtnTest, BtnOK,
                 BtnCancel});

    connect(BtnOK, &QPushButton::clicked, this, &TFormHotKeyCommand::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BtnBrowse, &QToolButton::clicked, this, &TFormHotKeyCommand::BtnBrowseClick);
    connect(BtnApplications, &QToolButton::clicked, this, &TFormHotKeyCommand::BtnApplicationsClick);
    connect(BtnBrowseDirectory, &QToolButton::clicked, this, &TFormHotKeyCommand::BtnBrowseDirectoryClick);
    connect(BtnTest, &QPushButton::clicked, this, &TFormHotKeyCommand::BtnTestClick);
}

void TFormHotKeyCommand::SetCommand(THotKeyCommand* Command) {
    FOriginal = Command;
    Command->CopyTo(*FCommand);
}

void TFormHotKeyCommand::SetDesktopWindows(IDesktopWindows* Windows) {
    FWindows = Windows;
    BtnTest->setEnabled(Windows != nullptr);
}

void TFormHotKeyCommand::showEvent(QShowEvent* Event) {
    if (!FShown && !Event->spontaneous()) {
        FShown = true;
        FormShow();
    }
    TQBForm::showEvent(Event);
}

void TFormHotKeyCommand::FormShow() {
    SetControlText(TxtName, FCommand->Name);
    SetControlText(TxtExec, FCommand->Exec);
    // A mode outside the list selects nothing.
    CBExecMode->setCurrentIndex(
        FCommand->ExecMode >= 0 && FCommand->ExecMode < CBExecMode->count() ? FCommand->ExecMode : -1);
    SetControlText(TxtParameters, FCommand->Parameters);
    SetControlText(TxtDirectory, FCommand->Directory);
    SetControlText(TxtLookForWindow, FCommand->LookForWindow);
    TxtName->setFocus(Qt::OtherFocusReason);
}

void TFormHotKeyCommand::BtnOKClick() {
    FCommand->Name = GetRequiredText(TxtName);
    FCommand->Exec = GetRequiredText(TxtExec);
    FCommand->ExecMode = CBExecMode->currentIndex();
    FCommand->Parameters = GetControlText(TxtParameters);
    FCommand->Directory = GetControlText(TxtDirectory);
    FCommand->LookForWindow = GetControlText(TxtLookForWindow);
    if (!InputError) {
        if (FOriginal != nullptr) {
            FCommand->CopyTo(*FOriginal);
        }
        accept();
    }
    InputError = false;
}

void TFormHotKeyCommand::BtnBrowseClick() {
    TFileBrowseDialog Dialog(this);
    Dialog.StartAt(PathToQString(GetControlText(TxtExec)));
    if (Dialog.exec() == QDialog::Accepted && !Dialog.selectedFiles().isEmpty()) {
        SetControlText(TxtExec, PathFromQString(Dialog.selectedFiles().front()));
    }
}

// The name and the window text are only filled when they are empty, so that nothing the user wrote is
// lost.
void TFormHotKeyCommand::BtnApplicationsClick() {
    const bool WindowTextFree = GetControlText(TxtLookForWindow).empty();
    TFormApplicationPicker Picker(this, WindowTextFree);
    if (Picker.exec() != QDialog::Accepted || Picker.ChosenFile().empty()) {
        return;
    }
    SetControlText(TxtExec, Picker.ChosenFile());
    if (GetControlText(TxtName).empty()) {
        SetControlText(TxtName, Picker.ChosenName());
    }
    if (WindowTextFree && !Picker.ChosenWindowText().empty()) {
        SetControlText(TxtLookForWindow, Picker.ChosenWindowText());
    }
}

void TFormHotKeyCommand::BtnBrowseDirectoryClick() {
    BrowseFolder->Directory = GetControlText(TxtDirectory);
    if (BrowseFolder->Execute()) {
        SetControlText(TxtDirectory, BrowseFolder->Directory);
    }
}

void TFormHotKeyCommand::BtnTestClick() {
    const std::string Text = GetControlText(TxtLookForWindow);
    TFormWindowMatches Matches(this, Text, MatchingWindows(FWindows->Snapshot().Windows, Text));
    Matches.exec();
}

}  // namespace tulma
