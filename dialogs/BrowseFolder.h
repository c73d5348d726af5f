#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

#include "BrowseFolderOptions.h"
#include "FolderItem.h"

class QDialog;
class QWidget;

namespace tulma {

class TFolderBrowserDialog;

// Lets the user pick a folder in a modal folder browser. Preselects Directory, centres the browser over
// the window in the foreground, can show the selected path in the status line and can add one extra
// push button or check box. The owning object frees it.
class TBrowseFolder : public QObject {
    Q_OBJECT

  public:
    using TBrowserInitializedEvent = std::function<void(TBrowseFolder& Sender, QDialog* DialogHandle)>;
    using TSelectionChangedEvent =
        std::function<void(TBrowseFolder& Sender, QDialog* DialogHandle, const TFolderItem& ItemIDList,
                           const std::string& Directory)>;
    using TCustomButtonClickEvent = std::function<void(TBrowseFolder& Sender, QDialog* DialogHandle)>;

    static constexpr int DefaultCustomButtonWidth = 75;
    static constexpr std::size_t MaxStatusPathLength = 35;
    static constexpr std::size_t DisplayNameSize = 260;

    explicit TBrowseFolder(QObject* Owner);
    ~TBrowseFolder() override;

    // True when the user chose a folder with OK; only then do Directory and Selection change.
    bool Execute();

    // Before Execute the folder to preselect, after a successful Execute the chosen one.
    std::string Directory;
    std::string Title;
    TBrowseInfoFlagSet Flags{TBrowseInfoFlag::bfFileSysDirsOnly, TBrowseInfoFlag::bfStatusText};
    bool ShowPathInStatusArea = false;
    TSHFolders RootFolder = TSHFolders::foDesktopExpanded;
    bool CustomButtonVisible = false;
    TCustomButtonType CustomButtonType = TCustomButtonType::btPushButton;
    // A check box's state when the browser opens, and its state when the user pressed OK.
    bool CustomButtonChecked = false;
    // The extra button is enabled and disabled together with OK.
    bool SyncCustomButton = false;

    // Take effect at once on the live extra button.
    bool CustomButtonEnabled() const { return FCustomButtonEnabled; }
    void SetCustomButtonEnabled(bool Enabled);
    const std::string& CustomButtonCaption() const { return FCustomButtonCaption; }
    void SetCustomButtonCaption(const std::string& Caption);
    // 0 or less is stored as the default; used when the button is next created.
    int CustomButtonWidth() const { return FCustomButtonWidth; }
    void SetCustomButtonWidth(int Width);

    TBrowserInitializedEvent OnInitialized;
    TSelectionChangedEvent OnSelectionChanged;
    TCustomButtonClickEvent OnCustomButtonClick;

    // An explicit owner window for the browser.
    QPointer<QWidget> OwnerWindow;
    // The chosen folder's display name, at most DisplayNameSize - 1 bytes.
    const std::string& DisplayName() const { return FDisplayName; }
    // The path of the folder selected while the browser is open; empty for one without a path.
    const std::string& Selection() const { return FSelection; }
    // The extra button while the browser shows it.
    QAbstractButton* CustomButtonWindow() const { return FCustomButtonWindow.data(); }

  private:
    bool FCustomButtonEnabled = true;
    std::string FCustomButtonCaption;
    int FCustomButtonWidth = DefaultCustomButtonWidth;
    std::string FDisplayName;
    std::string FSelection;
    QPointer<QAbstractButton> FCustomButtonWindow;

    QWidget* DialogOwner() const;
    void BrowseInitialized(TFolderBrowserDialog& Dialog);
    void BrowseSelectionChanged(TFolderBrowserDialog& Dialog, const TFolderItem& Item);
    void CreateCustomButton(TFolderBrowserDialog& Dialog);
    bool ButtonWindowProc(TFolderBrowserDialog& Dialog, int ID);
};

// Where a dialog of size Dialog goes over the foreground window: centred across, a quarter down.
QPoint CenteredOverForeground(const QRect& Foreground, const QSize& Dialog);

}  // namespace tulma
