#include "FMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

#include "AppMessages.h"
#include "Application.h"
#include "CurrentHotKeyFile.h"
#include "DesktopWindows.h"
#include "DisplaySession.h"
#include "EmptyListHint.h"
#include "FMainLayout.h"
#include "FormControls.h"
#include "FormFont.h"
#include "HotKeyActivation.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "MessageBoxFunction.h"
#include "ModalWindowKeeper.h"
#include "ProductName.h"
#include "QtText.h"
#include "TrayIcon.h"

namespace tulma {
namespace {

using namespace MainForm;

constexpr int32_t FixedItemTag = -1;
// From the title to the text beside it.
constexpr int TitleRoom = 86 - 6;
// From the file-name label to the window's right edge.
constexpr int FileNameRoom = ClientWidth - 248 - 4;
// The autostart check box sits below the file buttons, the notices below it.
constexpr int AutostartTop = 292;

constexpr const char* EmptyListText =
    "No hotkeys yet. Press \"New...\" to make one, or \"Open\" to use a hotkey file you have.";

void SizeToText(QLabel* Label, int Room) {
    const QSize Wanted = Label->sizeHint();
    Label->resize(std::min(Wanted.width(), Room), Wanted.height());
}

// The main window's labels are named; they take the width of their text once the window is to be seen
// (MeasureTexts).
QLabel* PlaceNamedLabel(QWidget* Parent, const char* Name, const char* Caption, const QRect& Position) {
    auto* Label = PlaceControl<QLabel>(Parent, Name, Position);
    Label->setText(Caption);
    return Label;
}

QPushButton* PlaceHintedButton(QWidget* Parent, const char* Name, const char* Caption, const char* Hint,
                               const QRect& Position) {
    auto* Button = PlaceButton(Parent, Name, Caption, Position);
    Button->setToolTip(Hint);
    // A form's buttons are no default buttons: Enter in the list does not press one.
    Button->setAutoDefault(false);
    return Button;
}

QAction* FixedItem(QMenu* Menu, const char* Name, const char* Caption) {
    QAction* Item = Menu->addAction(Caption);
    Item->setObjectName(Name);
    Item->setData(FixedItemTag);
    return Item;
}

}  // namespace

TFormMain::TFormMain(const TShellServices& DesktopServices)
    : FServices(DesktopServices), FListControl(nullptr), FAutostart(TAutostartEntry::ForThisUser()) {
    setObjectName("FormMain");
    setWindowTitle("Tulma");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(FormFont("MS Sans Serif", 11));
    setFixedSize(ClientWidth, ClientHeight);
    CreateControls();
    CreateAutostartBox();
    CreateNotices();
    FListControl = TListWidgetControl(LBListe);
    CreateTrayMenu();
    CreateTrayIcon();
    FActivation = new THotKeyActivation(
        FServices.HotKeys, FServices.Atoms, *FPopupMenu1,
        [this](const THotTulma& HotKey) {
            HotKey.ExecuteHotKey(FServices.Windows, FServices.Launcher, FServices.LaunchFailures);
        },
        this);
    connect(FActivation, &THotKeyActivation::AssignmentsChanged, this, [this] { ShowRegistrationMarks(); });
    // Told as the refusals at the start are: by the marks and by a notice naming every refused hotkey.
    connect(FActivation, &THotKeyActivation::RegistrationsWithdrawn, this, [this] {
        ShowRegistrationMarks();
        TellRefusedHotKeys();
    });
    if (const QScreen* Screen = screen()) {
        move(Screen->availableGeometry().center() - rect().center());
    }
    new TModalWindowKeeper(this);
    FormCreate();
    ShowFileInCaption();
}

TFormMain::~TFormMain() {
    FreeMessageList();
}

void TFormMain::CreateControls() {
    Label6 = PlaceControl<QLabel>(this, "Label6", {6, 4, 72, 28});
    Label6->setText("Tulma");
    ShowAsProductName(Label6);
    Label1 = PlaceNamedLabel(this, "Label1", "assign global hotkeys to your applications", {86, 14, 195, 13});
    Label2 = PlaceNamedLabel(this, "Label2", "&currently defined hotkeys", {4, 32, 118, 13});
    LBListe = PlaceControl<QListWidget>(this, "LBListe", {4, 50, 409, 159});
    new TEmptyListHint(LBListe, EmptyListText);
    Label2->setBuddy(LBListe);
    BtnNew = PlaceHintedButton(this, "BtnNew", "&New...", "create a new hotkey", {4, 212, 75, 21});
    BtnEdit = PlaceHintedButton(this, "BtnEdit", "&Edit...", "edit the selected hotkey", {82, 212, 75, 21});
    BtnDelete =
        PlaceHintedButton(this, "BtnDelete", "&Delete", "delete the selected hotkey", {160, 212, 75, 21});
    BtnViewInfo = PlaceHintedButton(this, "BtnViewInfo", "View Info...", "", {292, 212, 121, 21});
    CBMinimize = PlaceControl<QCheckBox>(this, "CBMinimize", {4, 242, 169, 17});
    CBMinimize->setText("&minimize Tulma at startup");
    Label3 = PlaceNamedLabel(this, "Label3", "current file:", {182, 242, 52, 13});
    LabCurrFileName = PlaceNamedLabel(this, "LabCurrFileName", "", {248, 242, 81, 13});
    BtnOpen = PlaceHintedButton(this, "BtnOpen", "&Open", "", {2, 264, 75, 21});
    BtnSave = PlaceHintedButton(this, "BtnSave", "&Save", "save your hotkeys", {80, 264, 75, 21});
    BtnSaveAs = PlaceHintedButton(this, "BtnSaveAs", "Save &as...", "", {158, 264, 75, 21});
    BtnReload = PlaceHintedButton(this, "BtnReload", "&Reload", "reload the hotkey file (undo any changes)",
                                  {236, 264, 75, 21});
    BtnQuit = PlaceHintedButton(this, "BtnQuit", "Quit", "exit the program (disables all hotkeys)",
                                {336, 264, 75, 21});

    SetTabOrder({LBListe, BtnNew, BtnEdit, BtnDelete, BtnViewInfo, CBMinimize, BtnOpen, BtnSave, BtnSaveAs,
                 BtnReload, BtnQuit});

    connect(LBListe, &QListWidget::itemDoubleClicked, this, [this] { BtnEditClick(); });
    LBListe->viewport()->installEventFilter(this);
    connect(BtnNew, &QPushButton::clicked, this, [this] { BtnNewClick(); });
    connect(BtnEdit, &QPushButton::clicked, this, [this] { BtnEditClick(); });
    connect(BtnDelete, &QPushButton::clicked, this, [this] { BtnDeleteClick(); });
    connect(BtnViewInfo, &QPushButton::clicked, this, [this] { BtnViewInfoClick(); });
    connect(CBMinimize, &QCheckBox::toggled, this, [this] { CBMinimizeClick(); });
    connect(BtnOpen, &QPushButton::clicked, this, [this] { BtnOpenClick(); });
    connect(BtnSave, &QPushButton::clicked, this, [this] { BtnSaveClick(); });
    connect(BtnSaveAs, &QPushButton::clicked, this, [this] { BtnSaveAsClick(); });
    connect(BtnReload, &QPushButton::clicked, this, [this] { BtnReloadClick(); });
    connect(BtnQuit, &QPushButton::clicked, this, [this] { BtnQuitClick(); });
}

void TFormMain::CreateAutostartBox() {
    CBAutostart = PlaceControl<QCheckBox>(this, "CBAutostart", {4, AutostartTop, 250, 17});
    CBAutostart->setText("start Tulma when I log in");
    CBAutostart->setToolTip(ToQString(FAutostart.FileName()));
    SetTabOrder({BtnQuit, CBAutostart});
    ShowAutostartState();
    // "clicked" comes from the user only: ShowAutostartState sets the box without writing the entry.
    connect(CBAutostart, &QCheckBox::clicked, this, [this] { CBAutostartClick(); });
}

void TFormMain::CreateTrayMenu() {
    FPopupMenu1 = new QMenu(this);
    FPopupMenu1->setObjectName("PopupMenu1");
    MCHide = FixedItem(FPopupMenu1, "MCHide", "Hide");
    PPCRestore = FixedItem(FPopupMenu1, "PPCRestore", "&Restore");
    FPopupMenu1->setDefaultAction(PPCRestore);
    PPCClose = FixedItem(FPopupMenu1, "PPCClose", "&Close");
    N3 = FPopupMenu1->addSeparator();
    N3->setObjectName("N3");
    N3->setData(FixedItemTag);
    connect(PPCRestore, &QAction::triggered, this, [this] { PPCRestoreClick(); });
    connect(PPCClose, &QAction::triggered, this, [this] { PPCCloseClick(); });
}

QMenu& TFormMain::PopupMenu1() {
    FActivation->FillMenu();
    return *FPopupMenu1;
}

void TFormMain::CreateTrayIcon() {
    FTrayIcon1 = new TTrayIcon(this, FServices.ShellAvailable);
    FTrayIcon1->SetActive(true);
    FTrayIcon1->SetHint("Tulma");
    FTrayIcon1->OnClick = [this](QObject*) { TrayIcon1Click(); };
    FTrayIcon1->OnDblClick = [this](QObject*) { PPCRestoreClick(); };
    FTrayIcon1->OnRightClick = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        TrayIcon1RightClick();
    };
}

void TFormMain::FormCreate() {
    // A damaged message file is reported; the window goes on with the messages read before the damage.
    TApplication::RunGuarded([] { CreateMessageList<TMessageList>(0); });
    FModified = false;
}

// Measuring text loads the fonts; a program that starts in the tray needs none until its window is seen.
void TFormMain::MeasureTexts() {
    if (FTextsMeasured) {
        return;
    }
    FTextsMeasured = true;
    LBListe->show();
    for (const auto& [Label, Room] : {std::pair{Label6, TitleRoom}, std::pair{Label1, ClientWidth - 90},
                                      std::pair{Label2, 405}, std::pair{Label3, 66}}) {
        FitLabelText(Label, Room);
        SizeToText(Label, Room);
    }
    FitFileNameLabel();
}

void TFormMain::FitFileNameLabel() {
    if (FTextsMeasured) {
        SizeToText(LabCurrFileName, FileNameRoom);
    }
}

void TFormMain::changeEvent(QEvent* Event) {
    TQBForm::changeEvent(Event);
    if (Event->type() == QEvent::WindowStateChange && !isMinimized()) {
        FitNotices();
        if (isVisible()) {
            MeasureTexts();
        }
    }
}

void TFormMain::showEvent(QShowEvent* Event) {
    TQBForm::showEvent(Event);
    if (!isMinimized()) {
        MeasureTexts();
    }
    if (!FActivated) {
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    }
}

void TFormMain::FormActivate() {
    if (FActivated) {
        return;
    }
    FActivated = true;
    RefreshList();
    ShowCurrentFileName();
    if (HotKeyFile().MinimizeAtStartup) {
        setWindowState(windowState() | Qt::WindowMinimized);
    }
    FActivation->ActivateAllHotKeys();
    ShowRegistrationMarks();
    TellRefusedHotKeys();
}

void TFormMain::closeEvent(QCloseEvent* Event) {
    // Until the question is settled the window stays, also when saving fails with an error.
    Event->ignore();
    if (QuerySaveChanges()) {
        Event->accept();
        emit Closed();
    }
}

void TFormMain::keyPressEvent(QKeyEvent* Event) {
    const bool Enter = Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter;
    auto* Button = qobject_cast<QPushButton*>(focusWidget());
    if (Enter && Button != nullptr && (Event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Button->click();
        return;
    }
    TQBForm::keyPressEvent(Event);
}

bool TFormMain::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == LBListe->viewport() && Event->type() == QEvent::MouseButtonDblClick) {
        const auto* Click = static_cast<const QMouseEvent*>(Event);
        if (Click->button() == Qt::LeftButton && LBListe->itemAt(Click->position().toPoint()) == nullptr) {
            BtnEditClick();
            return true;
        }
    }
    return TQBForm::eventFilter(Watched, Event);
}

void TFormMain::ShowAtStart() {
    if (!HotKeyFile().MinimizeAtStartup) {
        show();
        return;
    }
    // Minimised before it is ever shown: with a tray the window goes there without being mapped, and
    // without one it is mapped minimised. Either way it is not drawn on its way.
    setWindowState(Qt::WindowMinimized);
    if (FTrayIcon1->IconShown()) {
        QTimer::singleShot(0, this, [this] { FormActivate(); });
    } else {
        // Laying out the list's lines would load the fonts for a window nobody sees yet.
        LBListe->hide();
        showMinimized();
    }
}

void TFormMain::BringForward() {
    RestoreApplication();
    if (!isVisible()) {
        show();
    }
    raise();
    activateWindow();
    ActivateThroughDesktop();
    if (QWidget* Modal = QApplication::activeModalWidget()) {
        Modal->raise();
        Modal->activateWindow();
    }
}

void TFormMain::BtnNewClick() {
    auto NewHotKey = std::make_unique<THotTulma>();
    if (!FServices.DefineHotKey || !FServices.DefineHotKey(this, *NewHotKey)) {
        return;
    }
    THotTulma& HotKey = *NewHotKey;
    HotKeyFile().HotKeyList().Add(std::move(NewHotKey));
    FActivation->ActivateHotKey(HotKey);
    RefreshList();
    FModified = true;
}

void TFormMain::BtnEditClick() {
    int32_t Index = -1;
    if (!SelectedIndex(Index)) {
        return;
    }
    auto& HotKey = CastTo<THotTulma>(*FHotKeyReferences.ObjectAt(Index));
    if (FServices.DefineHotKey && FServices.DefineHotKey(this, HotKey)) {
        FModified = true;
        RefreshList();
    }
    FActivation->RenewHotKey(HotKey);
    ShowRegistrationMarks();
}

void TFormMain::BtnDeleteClick() {
    int32_t Index = -1;
    if (!SelectedIndex(Index) || ShowAppMessage(MessageNumber::ConfirmDelete) != MessageBoxResult::Yes) {
        return;
    }
    const int32_t ID = FHotKeyReferences.GetSelectedID(&FListControl);
    FActivation->DeactivateHotKey(CastTo<THotTulma>(*FHotKeyReferences.ObjectAt(Index)));
    HotKeyFile().HotKeyList().FreeByID(ID);
    RefreshList();
    FModified = true;
}

void TFormMain::BtnViewInfoClick() {
    if (FAboutBox == nullptr && FNewAboutBox) {
        FAboutBox = FNewAboutBox();
    }
    if (FAboutBox != nullptr) {
        FAboutBox->exec();
    }
}

void TFormMain::CBMinimizeClick() {
    HotKeyFile().MinimizeAtStartup = CBMinimize->isChecked();
}

void TFormMain::BtnQuitClick() {
    if (QuerySaveChanges()) {
        close();
    }
}

void TFormMain::CBAutostartClick() {
    try {
        FAutostart.SetEnabled(CBAutostart->isChecked());
    } catch (...) {
        ShowAutostartState();
        throw;
    }
}

void TFormMain::TrayIcon1Click() {
    FPopupMenu1->popup(QCursor::pos());
}

void TFormMain::TrayIcon1RightClick() {
    FPopupMenu1->popup(QCursor::pos());
}

void TFormMain::PPCRestoreClick() {
    RestoreApplication();
}

void TFormMain::PPCCloseClick() {
    close();
}

void TFormMain::RefreshList() {
    CBMinimize->setChecked(HotKeyFile().MinimizeAtStartup);
    FHotKeyReferences.ReCreateFromList(HotKeyFile().HotKeyList());
    FHotKeyReferences.FillListBox(FListControl);
    ShowRegistrationMarks();
}

void TFormMain::ShowAutostartState() {
    const QSignalBlocker Quiet(CBAutostart);
    CBAutostart->setChecked(FAutostart.Enabled());
}

void TFormMain::RestoreApplication() {
    if (isMinimized()) {
        showNormal();
        raise();
        activateWindow();
        ActivateThroughDesktop();
    }
}

// Found by its title, which names the file: another Tulma's window has it only for a file of the same
// name in another folder.
void TFormMain::ActivateThroughDesktop() {
    if (!IsWaylandSession()) {
        return;
    }
    const std::string Title = windowTitle().toStdString();
    const TWindowSnapshot Now = FServices.Windows.Snapshot();
    const auto Own = std::ranges::find(Now.Windows, Title, &TWindowInfo::Title);
    if (Own != Now.Windows.end()) {
        FServices.Windows.RestoreAndActivate(Own->Handle);
    }
}

bool TFormMain::SelectedIndex(int32_t& Index) {
    const bool Selected = GetSelectedIndex(LBListe, Index);
    // Every attempt without a selection complains again.
    InputError = false;
    return Selected;
}

}  // namespace tulma
