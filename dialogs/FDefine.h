#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "QBForm.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tulma {

class ICombinationCheck;
class IDesktopWindows;
class IListControl;
class THotTulma;
class TReferenceList;

// The dialog that defines one hotkey: its name, its key combination, captured from a real key press
// in the key field, and its commands. It works on a copy of the hotkey and writes the copy back only
// when OK succeeds, so Cancel leaves the caller's hotkey as it was, commands included.
class TFormHotKeyDefine : public TQBForm {
    Q_OBJECT

  public:
    explicit TFormHotKeyDefine(QWidget* Owner);
    ~TFormHotKeyDefine() override;

    // HotKey stays the caller's; it receives the edited hotkey on a successful OK.
    void SetHotKey(THotTulma* HotKey);
    // The desktop that the command dialog's Test button looks at.
    void SetDesktopWindows(IDesktopWindows* Windows) { FWindows = Windows; }
    // Who else holds a captured combination; without one nothing is checked.
    void SetCombinationCheck(ICombinationCheck* Check) { FCheck = Check; }

  protected:
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    std::unique_ptr<THotTulma> FHotKey;
    THotTulma* FOriginal = nullptr;
    std::unique_ptr<TReferenceList> FCommandRefs;
    std::unique_ptr<IListControl> FCommandRows;
    bool FActivated = false;
    IDesktopWindows* FWindows = nullptr;
    ICombinationCheck* FCheck = nullptr;
    bool FHotKeysSuspended = false;
    // The hotkey of the list that gives up its combination on OK, and that combination.
    std::optional<std::int32_t> FMoveFrom;
    std::uint16_t FMovedValue = 0;

    QLineEdit* TxtName;
    QLineEdit* TxtKey;
    QLabel* LabKeyPress;
    QLabel* LabInfo;
    // Who else holds the captured combination; in the place of the prompt, which shows only while the
    // key field has the focus.
    QLabel* LabKeyNote;
    QListWidget* LBCommands;
    QPushButton* BtnNew;
    QPushButton* BtnEdit;
    QPushButton* BtnDelete;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;

    void CreateControls();
    void RefreshCommandList();
    void ShowKeyCombo(std::uint16_t Value);
    void CheckCombination(std::uint16_t Value);
    void SuspendHotKeys(bool Suspend);

    void FormActivate();
    void TxtKeyEnter();
    void TxtKeyExit();
    void TxtKeyKeyDown(const QKeyEvent& Event);
    void BtnOKClick();
    void BtnNewClick();
    void BtnEditClick();
    void BtnDeleteClick();
};

}  // namespace tulma
