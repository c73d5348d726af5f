#pragma once

#include <memory>

#include "QBForm.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tulma {

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

    QLineEdit* TxtName;
    QLineEdit* TxtKey;
    QLabel* LabKeyPress;
    QLabel* LabInfo;
    QListWidget* LBCommands;
    QPushButton* BtnNew;
    QPushButton* BtnEdit;
    QPushButton* BtnDelete;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;

    void CreateControls();
    void RefreshCommandList();
    void ShowKeyCombo(std::uint16_t Value);

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
