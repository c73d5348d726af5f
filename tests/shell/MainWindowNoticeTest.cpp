// What a newcomer meets in the main window: the empty list's hint, the file in the title, failures in the
// notice line (on a private session bus without a notification service), and the key field of the
// definition dialog that knows which combinations are taken.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <sstream>

#include "AppMessages.h"
#include "AtomTable.h"
#include "ClassRegistration.h"
#include "CurrentHotKeyFile.h"
#include "DialogTestSupport.h"
#include "FDefine.h"
#include "FMain.h"
#include "FailureNotices.h"
#include "FakeFileDialogs.h"
#include "HotKeyActivation.h"
#include "HotKeyCombinationCheck.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "LaunchFailureNotifier.h"
#include "MessageBoxFunction.h"
#include "MessageBoxScript.h"
#include "PlatformFakes.h"
#include "QtTestMain.h"
#include "ShellTestSupport.h"
#include "TempDir.h"
#include "TrayIcon.h"

using namespace tulma;
using namespace tulma::test;

namespace {

constexpr std::uint16_t CtrlAlt = 0x4000 | 0x8000;

}  // namespace

class MainWindowNoticeTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempDir> Dir;
    std::unique_ptr<FakeHotKeyRegistry> Registry;
    FakeDesktopWindows Windows;
    FakeLauncher Launch;
    FakeFileDialogs Dialogs;
    std::unique_ptr<TAtomTable> Atoms;
    std::unique_ptr<TMessageBoxScript> Boxes;
    std::ostringstream Log;
    std::unique_ptr<TLaunchFailureNotifier> Notifier;
    std::unique_ptr<TFormMain> Form;
    std::function<bool(QWidget*, THotTulma&)> Define;

    // The window on a program directory whose default file holds HotKeys, shown, with its failures told
    // as the program tells them.
    void Start(const std::vector<THotKeyOutline>& HotKeys) {
        if (!HotKeys.empty()) {
            WriteHotKeyFile(Dir->File("KeyList.TUL"), HotKeys);
        }
        InitHotKeyModule(Dir->Path().string());
        Form = std::make_unique<TFormMain>(TShellServices{
            .HotKeys = *Registry,
            .Windows = Windows,
            .Launcher = Launch,
            .LaunchFailures = *Notifier,
            .FileDialogs = Dialogs,
            .ShellAvailable = [] { return false; },
            .DefineHotKey = [this](QWidget* Owner, THotTulma& HotKey) { return Define(Owner, HotKey); },
            .Atoms = *Atoms,
        });
        InstallTestCatalogue();
        auto Move = std::make_unique<TAppMessage>();
        Move->ID = MessageNumber::MoveCombination;
        Move->Text().SetText("%s is used by %s. Move it here? %s then has none.");
        Move->Flags = MessageBoxStyle::YesNo;
        AppMessages()->AddMessage(std::move(Move));
        TellFailuresIn(*Form, *Notifier);
        Form->show();
        Form->FormActivate();
    }

    QStringList Rows() const {
        QStringList Result;
        const auto* List = Form->findChild<QListWidget*>("LBListe");
        for (int Row = 0; Row < List->count(); ++Row) {
            Result << List->item(Row)->text();
        }
        return Result;
    }
    QLabel* Label(const char* Name) const { return Form->findChild<QLabel*>(Name); }
    bool Shown(const QWidget* Control) const { return Control->isVisibleTo(Form.get()); }

    // Edits the hotkey on the line starting with Prefix in the real definition dialog, whose key field
    // captures Value; Check says what is heard then, before OK. DesktopDecides: the portal's way.
    void CaptureInDialog(const QString& Prefix, std::uint16_t Value, bool DesktopDecides,
                         const std::function<void(TFormHotKeyDefine&)>& Check) {
        THotKeyCombinationCheck Combinations(Form->Activation(), *Registry, *Atoms, DesktopDecides);
        Define = [&](QWidget* Owner, THotTulma& HotKey) {
            TFormHotKeyDefine Dialog(Owner);
            Dialog.SetCombinationCheck(&Combinations);
            Dialog.SetHotKey(&HotKey);
            return Dialog.exec() == QDialog::Accepted;
        };
        WhenModal<TFormHotKeyDefine>([&](TFormHotKeyDefine& Dialog) {
            QVERIFY(QTest::qWaitForWindowActive(&Dialog));
            auto* Key = Child<QLineEdit>(Dialog, "TxtKey");
            Key->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            // While the field has the focus, not even the list's own combinations are held.
            QVERIFY(Registry->Registered.empty());
            QTest::keyClick(Key, Qt::Key(Value & 0xFF), Qt::ControlModifier | Qt::AltModifier);
            QVERIFY(!Registry->Registered.empty());
            Check(Dialog);
        });
        const QStringList Lines = Rows();
        for (int Row = 0; Row < Lines.size(); ++Row) {
            if (Lines[Row].startsWith(Prefix)) {
                Form->findChild<QListWidget*>("LBListe")->setCurrentRow(Row);
            }
        }
        Form->BtnEditClick();
    }

  private slots:
    void initTestCase() { RegisterAllClasses(); }

    void init() {
        Dir = std::make_unique<TempDir>();
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Dir->File("config")));
        Registry = std::make_unique<FakeHotKeyRegistry>();
        Atoms = std::make_unique<TAtomTable>();
        Boxes = std::make_unique<TMessageBoxScript>();
        Notifier = std::make_unique<TLaunchFailureNotifier>(TNotificationDelivery::InBackground, Log);
        Define = [](QWidget*, THotTulma&) { return false; };
    }

    void cleanup() {
        Form.reset();
        Boxes.reset();
        EndHotKeyModule();
        Dir.reset();
    }

    void emptyListSaysWhatToDoUntilThereIsAHotKey() {
        Start({});
        QLabel* Hint = Label("LabEmptyList");
        QVERIFY(Shown(Hint));
        QVERIFY(Hint->text().contains("New..."));
        Define = [](QWidget*, THotTulma& HotKey) {
            HotKey.Name = "Editor";
            return true;
        };
        Form->BtnNewClick();
        QVERIFY(!Shown(Hint));
        Form->findChild<QListWidget*>("LBListe")->setCurrentRow(0);
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        Form->BtnDeleteClick();
        QVERIFY(Shown(Hint));
    }

    void titleAndTrayTipNameAFileThatIsNotTheDefault() {
        Start({{"Editor", CtrlAlt | 'E', "editor"}});
        QCOMPARE(Form->windowTitle(), QString("Tulma"));
        QCOMPARE(Form->TrayIcon1().Hint(), std::string("Tulma"));
        Dialogs.NextSave = Dir->File("work.tul");
        Form->BtnSaveAsClick();
        QCOMPARE(Form->windowTitle(), QString("Tulma - work.tul"));
        QCOMPARE(Form->TrayIcon1().Hint(), std::string("Tulma - work.tul"));
    }

    void failedStartShowsInTheNoticeLineUntilHidden() {
        Start({{"Editor", CtrlAlt | 'E', "editor"}});
        QLabel* Notice = Label("LabEventNotice");
        QVERIFY(!Shown(Notice));
        const int Height = Form->height();
        Notifier->CommandFailed({"Editor", "/no/such/editor", "file not found"});
        QVERIFY(Shown(Notice));
        QVERIFY2(Notice->text().contains(
                     "Hotkey &quot;Editor&quot; started nothing: /no/such/editor: file not found"),
                 qPrintable(Notice->text()));
        QVERIFY(Form->height() > Height);
        emit Notice->linkActivated("hide");
        QVERIFY(!Shown(Notice));
        QCOMPARE(Form->height(), Height);
    }

    void hotKeysRefusedAtStartAreToldOnceByName() {
        Registry->Taken.insert({MOD_CONTROL | MOD_ALT, 'A'});
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}, {"Menu only", 0, "menu"}});
        QLabel* Notice = Label("LabEventNotice");
        QVERIFY(Shown(Notice));
        QVERIFY2(Notice->text().startsWith(
                     "A hotkey cannot be pressed: Alpha (Strg+Alt+A): taken by another program"),
                 qPrintable(Notice->text()));
        QVERIFY(!Notice->text().contains("Beta") && !Notice->text().contains("Menu only"));
        QSignalSpy Refused(Form.get(), &TFormMain::HotKeysRefused);
        Form->BtnReloadClick();
        QCOMPARE(Refused.count(), 0);
    }

    void hotKeyWithdrawnAfterTheStartIsMarkedAndTold() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        QLabel* Notice = Label("LabEventNotice");
        QVERIFY(!Shown(Notice));
        QSignalSpy Refused(Form.get(), &TFormMain::HotKeysRefused);
        Registry->Withdraw(HotKeyFile().HotKeyAt(1).Atom);
        QCOMPARE(Refused.count(), 1);
        QVERIFY2(Notice->text().startsWith("A hotkey cannot be pressed: Beta (Strg+Alt+B): taken by another "
                                           "program"),
                 qPrintable(Notice->text()));
        const auto* List = Form->findChild<QListWidget*>("LBListe");
        QVERIFY(List->item(0)->toolTip().isEmpty());
        QVERIFY(List->item(1)->toolTip().contains("taken by another program"));
    }

    void manyRefusedHotKeysAreCountedAndAFewNamed() {
        std::vector<THotKeyOutline> Specs;
        for (char Key = 'A'; Key <= 'G'; ++Key) {
            Registry->Taken.insert({MOD_CONTROL | MOD_ALT, static_cast<std::uint8_t>(Key)});
            Specs.emplace_back(std::string("Key ") + Key, static_cast<std::uint16_t>(CtrlAlt | Key), "run");
        }
        Start(Specs);
        const QString Text = Label("LabEventNotice")->text();
        QVERIFY2(Text.startsWith("7 hotkeys cannot be pressed: Key A"), qPrintable(Text));
        QVERIFY2(Text.contains("Key E") && !Text.contains("Key F") &&
                     Text.contains("and 2 more, marked in the list"),
                 qPrintable(Text));
    }

    void capturedCombinationOfAnotherHotKeyMovesOnOK() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        CaptureInDialog("Beta", CtrlAlt | 'A', false, [this](TFormHotKeyDefine& Dialog) {
            QCOMPARE(Boxes->Shown().size(), size_t{1});
            QCOMPARE(QString::fromStdString(Boxes->Shown()[0].Text),
                     QString("Strg+Alt+A is used by Alpha. Move it here? Alpha then has none."));
            QCOMPARE(Child<QLabel>(Dialog, "LabKeyNote")->text(), QString("Moves here from Alpha on OK."));
            Child<QPushButton>(Dialog, "BtnOK")->click();
        });
        QCOMPARE(Rows(), QStringList({"Alpha ()", "Beta (Strg+Alt+A)"}));
        QVERIFY(Form->Modified());
        const auto& Beta = HotKeyFile().HotKeyAt(1);
        QCOMPARE(Registry->Registered.size(), size_t{1});
        QVERIFY(Registry->Registered.contains(Beta.Atom));
        QVERIFY(
            (Registry->Registered[Beta.Atom] == FakeHotKeyRegistry::Combination{MOD_CONTROL | MOD_ALT, 'A'}));
    }

    void desktopSaysAtOnceWhetherACombinationIsFree_data() {
        QTest::addColumn<bool>("TakenElsewhere");
        QTest::addColumn<bool>("DesktopDecides");
        QTest::addColumn<QString>("Note");
        QTest::newRow("free") << false << false << QString();
        QTest::newRow("another program")
            << true << false << QString("Another program holds it: it won't run this.");
        QTest::newRow("portal") << false << true << QString("The desktop says after OK whether it is free.");
    }

    void desktopSaysAtOnceWhetherACombinationIsFree() {
        QFETCH(bool, TakenElsewhere);
        QFETCH(bool, DesktopDecides);
        QFETCH(QString, Note);
        if (TakenElsewhere) {
            Registry->Taken.insert({MOD_CONTROL | MOD_ALT, 'X'});
        }
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        CaptureInDialog("Alpha", CtrlAlt | 'X', DesktopDecides, [&](TFormHotKeyDefine& Dialog) {
            QCOMPARE(Child<QLabel>(Dialog, "LabKeyNote")->text(), Note);
            QVERIFY(Boxes->Shown().empty());
            Dialog.reject();
        });
        QCOMPARE(Rows(), QStringList({"Alpha (Strg+Alt+A)"}));
        QCOMPARE(Registry->Registered.size(), size_t{1});
    }
};

TULMA_QTEST_MAIN(MainWindowNoticeTest)
#include "MainWindowNoticeTest.moc"
