// The main window's ways of telling what the user may not have seen: the notice line, the refused hotkeys
// at start-up and the file in the title.
#include <QLabel>

#include <filesystem>

#include "CurrentHotKeyFile.h"
#include "FMain.h"
#include "HotKeyActivation.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "KeyComboText.h"
#include "QtText.h"
#include "TrayIcon.h"

namespace tulma {
namespace {

constexpr const char* ProgramTitle = "Tulma";

}  // namespace

// Without a tray icon the balloon waits for the icon: the latest notice comes when the tray does.
void TFormMain::ShowNotice(const QString& Summary, const QString& Body) {
    LabEventNotice->setText(Summary.toHtmlEscaped() + ": " +
                            QString(Body).replace('\n', "; ").toHtmlEscaped() + " <a href=\"hide\">Hide</a>");
    LabEventNotice->show();
    PlaceNotices();
    if (FTrayIcon1->IconShown()) {
        FTrayIcon1->TrayItem().showMessage(Summary, Body);
        return;
    }
    if (FPendingSummary.isEmpty()) {
        connect(
            FTrayIcon1, &TTrayIcon::IconAdded, this,
            [this] {
                FTrayIcon1->TrayItem().showMessage(FPendingSummary, FPendingBody);
                FPendingSummary.clear();
            },
            Qt::SingleShotConnection);
    }
    FPendingSummary = Summary;
    FPendingBody = Body;
}

void TFormMain::ShowFileInCaption() {
    const QString Caption = UsesDefaultHotKeyFile()
                                ? QString(ProgramTitle)
                                : QString(ProgramTitle) + " - " +
                                      ToQString(std::filesystem::path(HotKeyFileName()).filename().string());
    setWindowTitle(Caption);
    FTrayIcon1->SetHint(FromQString(Caption));
}

// Hotkeys without a key are left out: they are meant for the tray menu. A long list is cut short: the
// notice must stay readable (and quick to lay out, since it comes as the hotkeys go live), and each refused
// hotkey still carries its mark and reason in the list.
void TFormMain::TellRefusedHotKeys() {
    constexpr qsizetype LinesNamed = 10;
    QStringList Lines;
    qsizetype Refused = 0;
    const TIDList& List = HotKeyFile().HotKeyList();
    for (int32_t I = 0; I < List.Count(); ++I) {
        const auto& HotKey = List.ItemAs<THotTulma>(I);
        const auto Wanted = RegistrationOf(HotKey.HotKey);
        if (!FActivation->IsRefused(HotKey.ID) || Wanted.VirtualKey == 0 || Wanted.VirtualKey > 0xFF) {
            continue;
        }
        if (++Refused > LinesNamed) {
            continue;
        }
        const THotTulma* Holder = FActivation->HolderOf(HotKey);
        Lines << ToQString(HotKey.Name) + " (" + ToQString(KeyComboText(HotKey.HotKey)) + "): " +
                     (Holder != nullptr ? "used by " + ToQString(Holder->Name) : "taken by another program");
    }
    if (Refused == 0) {
        return;
    }
    if (Refused > LinesNamed) {
        Lines << QString("... and %1 more, marked in the list").arg(Refused - LinesNamed);
    }
    const QString Summary =
        Refused == 1 ? "A hotkey cannot be pressed" : QString::number(Refused) + " hotkeys cannot be pressed";
    emit HotKeysRefused(Summary, Lines.join('\n') + "\nThe tray menu still runs them.");
}

}  // namespace tulma
