#include "FDefine.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "AppMessages.h"
#include "CombinationCheck.h"
#include "ControlText.h"
#include "FKeyCommand.h"
#include "FormControls.h"
#include "FormFont.h"
#include "HotKeyCommand.h"
#include "HotTulma.h"
#include "KeyCapture.h"
#include "KeyComboText.h"
#include "MessageBoxFunction.h"
#include "ProgramIcon.h"
#include "QtKeys.h"
#include "QtListControls.h"
#include "QtText.h"
#include "ReferenceList.h"

namespace tulma {
TFormHotKeyDefine::TFormHotKeyDefine(QWidget* Owner)
    : TQBForm(Owner),
      FHotKey(std::make_unique<THotTulma>()),
      FCommandRefs(std::make_unique<TReferenceList>()) {
    setWindowTitle("Hotkey definition");
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(424, 254);
    setFont(FormFont("MS Sans Serif", 11));
    CreateControls();
    FCommandRows = std::make_unique<TListWidgetControl>(LBCommands);
}

TFormHotKeyDefine::~TFormHotKeyDefine() {
    SuspendHotKeys(false);
}

void TFormHotKeyDefine::CreateControls() {
    TxtName = PlaceControl<QLineEdit>(this, "TxtName", {100, 6, 221, 21});
    TxtKey = PlaceControl<QLineEdit>(this, "TxtKey", {100, 33, 27, 21});
    // Its content means nothing: the combination comes from the key press itself.
    TxtKey->setReadOnly(true);
    TxtKey->installEventFilter(this);
    LabKeyPress = PlaceLabel(this, "press the key combination you want to define", 132, 36);
    LabKeyPress->setObjectName("LabKeyPress");
    LabKeyPress->hide();
    LabKeyNote = PlaceControl<QLabel>(this, "LabKeyNote", {132, 36, 424 - 132 - 4, 16});
    PlaceLabel(this, "Na&me:", 8, 9, TxtName);
    PlaceLabel(this, "&Key:", 8, 36, TxtKey);
    FitLabelText(PlaceLabel(this, "defined shortcut:", 6, 60), 100 - 6 - 4);
    LabInfo = PlaceControl<QLabel>(this, "LabInfo", {100, 60, 320, 16});
    PlaceLabel(this, "This shortcut launches the following applications:", 6, 82);
    LBCommands = PlaceControl<QListWidget>(this, "LBCommands", {6, 100, 413, 97});
    LBCommands->viewport()->installEventFilter(this);
    BtnNew = PlaceButton(this, "BtnNew", "&New...", {6, 203, 78, 21});
    BtnEdit = PlaceButton(this, "BtnEdit", "&Edit", {90, 203, 78, 21});
    BtnDelete = PlaceButton(this, "BtnDelete", "&Delete", {174, 203, 78, 21});
    BtnOK = PlaceButton(this, "BtnOK", "OK", {257, 228, 78, 21});
    BtnOK->setDefault(true);
    BtnCancel = PlaceButton(this, "BtnCancel", "Cancel", {341, 228, 78, 21});

    SetTabOrder({TxtName, TxtKey, LBCommands, BtnNew, BtnEdit, BtnDelete, BtnOK, BtnCancel});

    connect(BtnNew, &QPushButton::clicked, this, &TFormHotKeyDefine::BtnNewClick);
    connect(BtnEdit, &QPushButton::clicked, this, &TFormHotKeyDefine::BtnEditClick);
    connect(BtnDelete, &QPushButton::clicked, this, &TFormHotKeyDefine::BtnDeleteClick);
    connect(BtnOK, &QPushButton::clicked, this, &TFormHotKeyDefine::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormHotKeyDefine::SetHotKey(THotTulma* HotKey) {
    FOriginal = HotKey;
    HotKey->CopyTo(*FHotKey);
}

void TFormHotKeyDefine::showEvent(QShowEvent* Event) {
    const bool First = !FActivated && !Event->spontaneous();
    if (First) {
        FActivated = true;
        FormActivate();
    }
    TQBForm::showEvent(Event);
    if (First) {
        move(screen()->availableGeometry().center() - rect().center());
    }
}

void TFormHotKeyDefine::FormActivate() {
    ShowKeyCombo(FHotKey->HotKey);
    SetControlText(TxtName, FHotKey->Name);
    RefreshCommandList();
    TxtName->setFocus(Qt::OtherFocusReason);
}

void TFormHotKeyDefine::RefreshCommandList() {
    FCommandRefs->ReCreateFromList(FHotKey->Commands());
    FCommandRefs->FillListBox(*FCommandRows);
}

void TFormHotKeyDefine::ShowKeyCombo(std::uint16_t Value) {
    LabInfo->setText(ToQString(KeyComboText(Value)));
}

bool TFormHotKeyDefine::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == TxtKey) {
        switch (Event->type()) {
            case QEvent::FocusIn:
                TxtKeyEnter();
                break;
            case QEvent::FocusOut:
                TxtKeyExit();
                break;
            case QEvent::ShortcutOverride:
                // A combination that the field captures is no shortcut of the dialog (Alt+N included).
                if (CapturedKeyValue(VirtualKeyFromKeyEvent(static_cast<QKeyEvent&>(*Event)),
                                     static_cast<QKeyEvent*>(Event)->modifiers())) {
                    Event->accept();
                    return true;
                }
                break;
            case QEvent::KeyPress:
                TxtKeyKeyDown(static_cast<QKeyEvent&>(*Event));
                break;
            default:
                break;
        }
    } else if (Watched == LBCommands->viewport() && Event->type() == QEvent::MouseButtonDblClick) {
        BtnEditClick();
        return true;
    }
    return TQBForm::eventFilter(Watched, Event);
}

void TFormHotKeyDefine::TxtKeyEnter() {
    TxtKey->clear();
    LabKeyNote->hide();
    LabKeyPress->show();
    // Every combination comes here, also one that another program has grabbed for itself.
    TxtKey->grabKeyboard();
    SuspendHotKeys(true);
}

void TFormHotKeyDefine::TxtKeyExit() {
    LabKeyPress->hide();
    LabKeyNote->show();
    TxtKey->releaseKeyboard();
    SuspendHotKeys(false);
}

void TFormHotKeyDefine::SuspendHotKeys(bool Suspend) {
    if (FCheck == nullptr || FHotKeysSuspended == Suspend) {
        return;
    }
    FHotKeysSuspended = Suspend;
    if (Suspend) {
        FCheck->SuspendHotKeys();
    } else {
        FCheck->ResumeHotKeys();
    }
}

// Asked at once, while the program's own hotkeys are still suspended: a combination of the list is
// offered to move here, one that the desktop or another program holds is said to be taken.
void TFormHotKeyDefine::CheckCombination(std::uint16_t Value) {
    FMoveFrom.reset();
    LabKeyNote->clear();
    LabKeyNote->setToolTip({});
    if (FCheck == nullptr || KeyComboText(Value).empty()) {
        return;
    }
    QString Note;
    if (const THotTulma* Holder = FCheck->HolderInList(Value, FOriginal != nullptr ? FOriginal->ID : -1)) {
        const std::string HolderName = Holder->Name;
        const int32_t HolderID = Holder->ID;
        if (ShowAppMessageFmt(MessageNumber::MoveCombination,
                              {KeyComboText(Value), HolderName, HolderName}) == MessageBoxResult::Yes) {
            FMoveFrom = HolderID;
            FMovedValue = Value;
            Note = "Moves here from " + ToQString(HolderName) + " on OK.";
        } else {
            Note = ToQString(HolderName) + " holds it: pressing it runs that hotkey.";
        }
    } else {
        switch (FCheck->AskDesktop(Value)) {
            case ICombinationCheck::TDesktopAnswer::Free:
                break;
            case ICombinationCheck::TDesktopAnswer::Taken:
                Note = "Another program holds it: it won't run this.";
                break;
            case ICombinationCheck::TDesktopAnswer::AfterBinding:
                Note = "The desktop says after OK whether it is free.";
                break;
        }
    }
    LabKeyNote->setText(Note);
    LabKeyNote->setToolTip(Note);
}

void TFormHotKeyDefine::TxtKeyKeyDown(const QKeyEvent& Event) {
    const auto Value = CapturedKeyValue(VirtualKeyFromKeyEvent(Event), Event.modifiers());
    if (!Value) {
        return;
    }
    FHotKey->HotKey = *Value;
    ShowKeyCombo(*Value);
    CheckCombination(*Value);
    SetFocusTo(LBCommands);
}

void TFormHotKeyDefine::BtnOKClick() {
    FHotKey->Name = GetRequiredText(TxtName);
    if (!InputError) {
        if (FOriginal != nullptr) {
            FHotKey->CopyTo(*FOriginal);
        }
        if (FMoveFrom && FHotKey->HotKey == FMovedValue) {
            FCheck->TakeCombinationFrom(*FMoveFrom);
        }
        accept();
    }
    InputError = false;
}

void TFormHotKeyDefine::BtnNewClick() {
    auto Command = std::make_unique<THotKeyCommand>();
    TFormHotKeyCommand Dialog(this);
    Dialog.SetDesktopWindows(FWindows);
    Dialog.SetCommand(Command.get());
    if (Dialog.exec() == QDialog::Accepted) {
        FHotKey->Commands().Add(std::move(Command));
        RefreshCommandList();
    }
}

void TFormHotKeyDefine::BtnEditClick() {
    int32_t Index = -1;
    if (!GetSelectedIndex(LBCommands, Index)) {
        InputError = false;
        return;
    }
    auto* Command = dynamic_cast<THotKeyCommand*>(FCommandRefs->ObjectAt(Index));
    if (Command == nullptr) {
        return;
    }
    TFormHotKeyCommand Dialog(this);
    Dialog.SetDesktopWindows(FWindows);
    Dialog.SetCommand(Command);
    if (Dialog.exec() == QDialog::Accepted) {
        RefreshCommandList();
    }
}

void TFormHotKeyDefine::BtnDeleteClick() {
    int32_t Index = -1;
    if (!GetSelectedIndex(LBCommands, Index)) {
        InputError = false;
        return;
    }
    if (ShowAppMessage(MessageNumber::ConfirmDelete) != MessageBoxResult::Yes) {
        return;
    }
    FHotKey->Commands().FreeByID(FCommandRefs->GetSelectedID(FCommandRows.get()));
    RefreshCommandList();
}

}  // namespace tulma
