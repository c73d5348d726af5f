// The main window's ways of telling what the user may not have seen: the notice lines, the marks of the
// list's lines, the refused hotkeys at start-up and the file in the title.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QStyle>

#include <algorithm>

#include "CurrentHotKeyFile.h"
#include "DeferredIcon.h"
#include "DisplaySession.h"
#include "FMain.h"
#include "FMainLayout.h"
#include "FormControls.h"
#include "HotKeyActivation.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "QtText.h"
#include "RegistrationMarks.h"
#include "TrayIcon.h"

namespace tulma {
namespace {

using namespace MainForm;

constexpr const char* ProgramTitle = "Tulma";

constexpr const char* WaylandNotice =
    "This is a Wayland session: Tulma's hotkeys work only while an X11 program has the focus. To run a "
    "hotkey from anywhere, bind a desktop shortcut to \"tulma --run NAME\" (see man tulma).";
constexpr const char* CompositorNotice =
    "This is a Wayland session: Tulma's hotkeys are bindings of the compositor, which sees every key "
    "press; a combination that your compositor's configuration binds is left to it (its line is marked).";
constexpr const char* PortalNotice =
    "This is a Wayland session: Tulma's hotkeys are shortcuts of the desktop, which has the last word on "
    "their keys (a line whose key the desktop changed is marked).";

// The last component of a path.
std::string LastComponent(const std::string& Path) {
    const auto Separator = Path.rfind('/');
    return Separator == std::string::npos ? Path : Path.substr(Separator + 1);
}

QString Quoted(const std::string& Text) {
    return "\"" + ToQString(Text) + "\"";
}

QLabel* PlaceNotice(QWidget* Parent, const char* Name, bool Visible) {
    auto* Notice = PlaceControl<QLabel>(Parent, Name, {4, NoticeTop, NoticeWidth, 0});
    Notice->setWordWrap(true);
    Notice->setVisible(Visible);
    return Notice;
}

}  // namespace

void TFormMain::CreateNotices() {
    LabFileNotice = PlaceNotice(this, "LabFileNotice", false);
    LabSessionNotice = PlaceNotice(this, "LabSessionNotice", IsWaylandSession());
    LabEventNotice = PlaceNotice(this, "LabEventNotice", false);
    connect(LabEventNotice, &QLabel::linkActivated, this, [this] {
        LabEventNotice->hide();
        PlaceNotices();
    });
    ShowSessionNotice();
}

void TFormMain::SetBackendNotice(bool DesktopShortcuts, const std::string& Notice) {
    FServices.DesktopShortcuts = DesktopShortcuts;
    ShowBackendNotice(Notice);
}

void TFormMain::ShowBackendNotice(const std::string& Notice) {
    FServices.BackendNotice = Notice;
    ShowSessionNotice();
}

void TFormMain::ShowSessionNotice() {
    const std::string Session = FServices.DesktopShortcuts     ? PortalNotice
                                : FServices.CompositorBindings ? CompositorNotice
                                                               : WaylandNotice;
    LabSessionNotice->setText(
        ToQString(FServices.BackendNotice.empty() ? Session : Session + " " + FServices.BackendNotice));
    PlaceNotices();
}

void TFormMain::PlaceNotices() {
    int Top = NoticeTop;
    int Height = ClientHeight;
    for (QLabel* Notice : {LabEventNotice, LabFileNotice, LabSessionNotice}) {
        if (Notice->isHidden()) {
            continue;
        }
        Notice->setGeometry(4, Top, NoticeWidth, Notice->heightForWidth(NoticeWidth));
        Top = Notice->geometry().bottom() + 5;
        Height = std::max(Height, Top);
    }
    FNoticesHeight = Height;
    FitNotices();
}

// Qt's X11 platform shows a minimised window again when it is resized: a minimised window takes its
// size once it is restored.
void TFormMain::FitNotices() {
    if (!isMinimized() && height() != FNoticesHeight) {
        setFixedSize(ClientWidth, FNoticesHeight);
    }
}

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

void TFormMain::ShowCurrentFileName() {
    LabCurrFileName->setText(ToQString(LastComponent(HotKeyFileName())));
    ShowFileInCaption();
    FitFileNameLabel();
    ShowFileNotice();
}

void TFormMain::ShowFileNotice(const std::string& KeptCopy) {
    const QString Current = Quoted(LastComponent(HotKeyFileName()));
    const std::string Pending = CopyKeptBySave();
    if (!KeptCopy.empty()) {
        LabFileNotice->setText(Current + " could not be read: its bytes were kept as " +
                               Quoted(LastComponent(KeptCopy)) + " before it was saved over.");
    } else if (!Pending.empty()) {
        LabFileNotice->setText(Current + " could not be read. Saving keeps its bytes as " +
                               Quoted(LastComponent(Pending)) + " before writing over it.");
    }
    LabFileNotice->setVisible(!KeptCopy.empty() || !Pending.empty());
    PlaceNotices();
}

void TFormMain::ShowFileInCaption() {
    const QString Caption = UsesDefaultHotKeyFile()
                                ? QString(ProgramTitle)
                                : QString(ProgramTitle) + " - " + ToQString(LastComponent(HotKeyFileName()));
    setWindowTitle(Caption);
    FTrayIcon1->SetHint(FromQString(Caption));
}

void TFormMain::ShowRegistrationMarks() {
    for (int Row = 0; Row < LBListe->count() && Row < FHotKeyReferences.Count(); ++Row) {
        QListWidgetItem* Item = LBListe->item(Row);
        const QString Note =
            RegistrationNote(CastTo<THotTulma>(*FHotKeyReferences.ObjectAt(Row)), *FActivation);
        // Only lines whose mark changes are touched: a large list is marked after every registration.
        if (Item->toolTip() != Note) {
            Item->setIcon(Note.isEmpty() ? QIcon() : WarningIcon());
            Item->setToolTip(Note);
        }
    }
}

const QIcon& TFormMain::WarningIcon() {
    if (FWarningIcon.isNull()) {
        FWarningIcon =
            DeferredIcon([] { return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning); });
    }
    return FWarningIcon;
}

void TFormMain::TellRefusedHotKeys() {
    if (const auto News = RefusedHotKeysNews(HotKeyFile().HotKeyList(), *FActivation)) {
        emit HotKeysRefused(News->Summary, News->Body);
    }
}

}  // namespace tulma
