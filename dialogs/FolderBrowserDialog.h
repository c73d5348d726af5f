#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>
#include <vector>

#include "FolderItem.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tulma {

// The folder-browsing dialog: a tree of folders below one or more roots, a status line, OK and Cancel,
// and room for one extra button. Its buttons report Windows command identifiers, so that the owner can handle
// them the way the Windows dialog's owner does.
class TFolderBrowserDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr int OkID = 1;
    static constexpr int CancelID = 2;
    static constexpr int CustomButtonID = 255;

    // Sees every button command first; true when it handled the command, which then does nothing more.
    using TCommandFilter = std::function<bool(int ID)>;

    TFolderBrowserDialog(QWidget* Owner, const std::vector<TFolderItem>& Roots, const QString& Title,
                         bool StatusText);
    ~TFolderBrowserDialog() override;

    void SetStatusText(const QString& Text);
    void EnableOK(bool Enable);
    // Selects the folder at Path if it lies in the tree, below the root nearest to it; false when it does
    // not.
    bool SetSelection(const std::string& Path);
    // Selects the first root.
    void SelectRoot();
    bool HasSelection() const;
    // The selected folder; empty when there is none.
    TFolderItem SelectedItem() const;

    // The extra button: a check box or a push button at the left of OK and Cancel.
    QAbstractButton* CreateCustomButton(const QString& Caption, int Width, bool CheckBox);
    void SetCommandFilter(TCommandFilter Filter) { FCommandFilter = std::move(Filter); }

  signals:
    void SelectionChanged(const tulma::TFolderItem& Item);

  private:
    QLabel* FStatus = nullptr;
    QTreeWidget* FTree = nullptr;
    QPushButton* FOK = nullptr;
    QButtonGroup* FButtons = nullptr;
    TCommandFilter FCommandFilter;

    void ProcessCommand(int ID);
    void FillChildren(QTreeWidgetItem* Item);
    QTreeWidgetItem* ChildNamed(QTreeWidgetItem* Parent, const QString& Name);
    static TFolderItem ItemOf(const QTreeWidgetItem* Item);
    QTreeWidgetItem* RootAbove(const QString& Path) const;
};

}  // namespace tulma
