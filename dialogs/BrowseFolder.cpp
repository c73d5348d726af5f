#include "BrowseFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRect>
#include <QWidget>

#include <filesystem>

#include "FolderBrowserDialog.h"
#include "PathText.h"
#include "QtText.h"
#include "ShortenPath.h"
#include "SpecialFolders.h"

namespace tulma {
namespace {

constexpr std::uint32_t StatusTextFlag = 0x0004;

bool IsExistingFolder(const std::string& Path) {
    std::error_code Ignored;
    return !Path.empty() && std::filesystem::is_directory(Path, Ignored);
}

}  // namespace

QPoint CenteredOverForeground(const QRect& Foreground, const QSize& Dialog) {
    return {Foreground.left() + Foreground.width() / 2 - Dialog.width() / 2,
            Foreground.top() + Foreground.height() / 4};
}

TBrowseFolder::TBrowseFolder(QObject* Owner) : QObject(Owner) {}

void TBrowseFolder::SetCustomButtonEnabled(bool Enabled) {
    FCustomButtonEnabled = Enabled;
    if (FCustomButtonWindow) {
        FCustomButtonWindow->setEnabled(Enabled);
    }
}

void TBrowseFolder::SetCustomButtonCaption(const std::string& Caption) {
    FCustomButtonCaption = Caption;
    if (FCustomButtonWindow) {
        FCustomButtonWindow->setText(ToQString(Caption));
    }
}

void TBrowseFolder::SetCustomButtonWidth(int Width) {
    FCustomButtonWidth = Width <= 0 ? DefaultCustomButtonWidth : Width;
}

bool TBrowseFolder::Execute() {
    TFolderBrowserDialog Dialog(DialogOwner(), FolderRootsOf(RootFolder), ToQString(Title),
                                (PlatformFlags(Flags) & StatusTextFlag) != 0);
    connect(&Dialog, &TFolderBrowserDialog::SelectionChanged, this,
            [this, &Dialog](const TFolderItem& Item) { BrowseSelectionChanged(Dialog, Item); });
    BrowseInitialized(Dialog);
    if (!Dialog.HasSelection()) {
        Dialog.SelectRoot();
    }
    if (Dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const TFolderItem Chosen = Dialog.SelectedItem();
    Directory = Chosen.Path;
    FSelection = Directory;
    FDisplayName = Chosen.DisplayName.substr(0, DisplayNameSize - 1);
    return true;
}

QWidget* TBrowseFolder::DialogOwner() const {
    if (OwnerWindow) {
        return OwnerWindow;
    }
    if (auto* Owner = qobject_cast<QWidget*>(parent()); Owner != nullptr) {
        return Owner->window();
    }
    return QApplication::activeWindow();
}

void TBrowseFolder::BrowseInitialized(TFolderBrowserDialog& Dialog) {
    if (const QWidget* Foreground = QApplication::activeWindow(); Foreground != nullptr) {
        Dialog.move(CenteredOverForeground(Foreground->frameGeometry(), Dialog.size()));
    }
    if (IsExistingFolder(Directory)) {
        Dialog.SetSelection(Directory);
    }
    if (CustomButtonVisible) {
        CreateCustomButton(Dialog);
    }
    if (OnInitialized) {
        OnInitialized(*this, &Dialog);
    }
}

void TBrowseFolder::BrowseSelectionChanged(TFolderBrowserDialog& Dialog, const TFolderItem& Item) {
    FSelection = Item.Path;
    if (ShowPathInStatusArea) {
        Dialog.SetStatusText(PathToQString(ShortenPath(FSelection, '/', "...", MaxStatusPathLength)));
    }
    const bool HasPath = !Item.Path.empty();
    Dialog.EnableOK(HasPath);
    if (SyncCustomButton) {
        SetCustomButtonEnabled(HasPath);
    }
    if (OnSelectionChanged) {
        OnSelectionChanged(*this, &Dialog, Item, FSelection);
    }
}

void TBrowseFolder::CreateCustomButton(TFolderBrowserDialog& Dialog) {
    const bool CheckBox = CustomButtonType == TCustomButtonType::btCheckBox;
    QAbstractButton* Button =
        Dialog.CreateCustomButton(ToQString(FCustomButtonCaption), FCustomButtonWidth, CheckBox);
    Button->setEnabled(FCustomButtonEnabled);
    if (CheckBox) {
        Button->setChecked(CustomButtonChecked);
    }
    Dialog.SetCommandFilter([this, &Dialog](int ID) { return ButtonWindowProc(Dialog, ID); });
    FCustomButtonWindow = Button;
}

// The extra button's commands and the check box's state on OK; everything else takes its usual course.
bool TBrowseFolder::ButtonWindowProc(TFolderBrowserDialog& Dialog, int ID) {
    const int Command = ID & 0xFF;
    if (Command == TFolderBrowserDialog::OkID && CustomButtonType == TCustomButtonType::btCheckBox &&
        FCustomButtonWindow) {
        CustomButtonChecked = FCustomButtonWindow->isChecked();
        return false;
    }
    if (Command == TFolderBrowserDialog::CustomButtonID) {
        if (OnCustomButtonClick) {
            OnCustomButtonClick(*this, &Dialog);
        }
        return true;
    }
    return false;
}

}  // namespace tulma
