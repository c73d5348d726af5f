#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>

#include "AppMessages.h"
#include "Application.h"
#include "ClassRegistration.h"
#include "CurrentHotKeyFile.h"
#include "FMain.h"
#include "FormMainFixture.h"
#include "HotKeyActivation.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "KeyComboText.h"
#include "MessageBoxFunction.h"
#include "MessageBoxScript.h"
#include "ObjectStream.h"
#include "PlatformFakes.h"
#include "QtTestMain.h"
#include "ShellTestSupport.h"
#include "TempDir.h"
#include "TrayIcon.h"

using namespace tulma;
using namespace tulma::test;

// The main window itself: its layout and notices, the file commands, the list and its questions.
class FormMainTest : public FormMainFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { InitTestCase(); }
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void windowLayout() {
        Start({});
        QCOMPARE(Form->windowTitle(), QString("Tulma"));
        QCOMPARE(Form->size(), QSize(419, 329));
        QVERIFY(!(Form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(List()->geometry(), QRect(4, 50, 409, 159));
        QCOMPARE(Control("BtnQuit")->toolTip(), QString("exit the program (disables all hotkeys)"));
        QCOMPARE(Control<QLabel>("LabCurrFileName")->text(), QString("KeyList.TUL"));
        QWidget* Expected[] = {List(),
                               Control("BtnNew"),
                               Control("BtnEdit"),
                               Control("BtnDelete"),
                               Control("BtnViewInfo"),
                               Control<QCheckBox>("CBMinimize"),
                               Control("BtnOpen"),
                               Control("BtnSave"),
                               Control("BtnSaveAs"),
                               Control("BtnReload"),
                               Control("BtnQuit"),
                               Control<QCheckBox>("CBAutostart")};
        for (std::size_t I = 1; I < std::size(Expected); ++I) {
            QCOMPARE(NextTabStop(Expected[I - 1]), Expected[I]);
        }
        // The autostart check box lies below every other control, inside the window.
        const QRect Autostart = Control<QCheckBox>("CBAutostart")->geometry();
        QVERIFY(Autostart.top() > Control("BtnQuit")->geometry().bottom());
        QVERIFY(Form->rect().contains(Autostart));
        QVERIFY(Control<QLabel>("LabSessionNotice")->isHidden());
    }

    void waylandSessionIsToldOnceInTheWindow_data() {
        QTest::addColumn<QByteArray>("Variable");
        QTest::addColumn<QByteArray>("Value");
        QTest::addColumn<bool>("Told");
        // The chooser's line: the backends and why the desktop's shortcuts are not used.
        QTest::addColumn<QString>("Backends");
        QTest::newRow("Wayland display")
            << QByteArray("WAYLAND_DISPLAY") << QByteArray("wayland-0") << true << QString();
        QTest::newRow("Wayland session type")
            << QByteArray("XDG_SESSION_TYPE") << QByteArray("wayland") << true << QString();
        QTest::newRow("X11 session type")
            << QByteArray("XDG_SESSION_TYPE") << QByteArray("x11") << false << QString();
        QTest::newRow("empty Wayland display")
            << QByteArray("WAYLAND_DISPLAY") << QByteArray("") << false << QString();
        QTest::newRow("a portal that refused")
            << QByteArray("WAYLAND_DISPLAY") << QByteArray("wayland-0") << true
            << QString(
                   "Hotkeys: X11; windows: X11. Not through the desktop: the desktop portal refused global "
                   "shortcuts: CreateSession answered response 2.");
    }

    void waylandSessionIsToldOnceInTheWindow() {
        QFETCH(QByteArray, Variable);
        QFETCH(QByteArray, Value);
        QFETCH(bool, Told);
        QFETCH(QString, Backends);
        qputenv(Variable.constData(), Value);
        BackendNotice = Backends.toStdString();
        Start({});
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        const QLabel* Notice = Control<QLabel>("LabSessionNotice");
        QCOMPARE(Notice->isVisible(), Told);
        QVERIFY(Boxes->Shown().empty());
        // The window grows for the notice; the controls keep their places.
        QCOMPARE(List()->geometry(), QRect(4, 50, 409, 159));
        QCOMPARE(Control("BtnQuit")->geometry(), QRect(336, 264, 75, 21));
        if (Told) {
            QVERIFY(Notice->text().contains("tulma --run NAME"));
            QVERIFY(Notice->text().endsWith(Backends));
            QVERIFY(Form->rect().contains(Notice->geometry()));
            QVERIFY(Notice->geometry().top() > Control<QCheckBox>("CBAutostart")->geometry().bottom());
        } else {
            QCOMPARE(Form->size(), QSize(419, 329));
        }
    }

    void sessionEndKeepsUnsavedChangesAsideAndTheNextStartOffersThem_data() {
        QTest::addColumn<bool>("ReadOnlyFolder");
        QTest::newRow("beside the file") << false;
        QTest::newRow("in the state folder, the file's being read-only") << true;
    }

    void sessionEndKeepsUnsavedChangesAsideAndTheNextStartOffersThem() {
        QFETCH(bool, ReadOnlyFolder);
        namespace fs = std::filesystem;
        qputenv("XDG_STATE_HOME", QByteArray::fromStdString(Dir->File("state")));
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        const auto Bytes = [](const std::string& File) {
            std::ifstream In(File, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(In), {});
        };
        const std::string Saved = Bytes(DefaultFile());
        Select("Beta");
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        Form->BtnDeleteClick();
        Boxes->ClearShown();
        const QSignalSpy Closed(Form.get(), &TFormMain::Closed);
        if (ReadOnlyFolder) {
            fs::permissions(Dir->Path(),
                            fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        }
        Form->EndSession();
        fs::permissions(Dir->Path(), fs::perms::owner_write, fs::perm_options::add);
        QCOMPARE(Closed.count(), 1);
        QVERIFY(Boxes->Shown().empty());
        QCOMPARE(Bytes(DefaultFile()), Saved);
        const std::string Copy = ReadOnlyFolder ? Dir->File("state") + "/tulma/KeyList.TUL.recovered"
                                                : DefaultFile() + ".recovered";
        QCOMPARE(HotKeyCountOnDisk(Copy), 1);

        Form.reset();
        EndHotKeyModule();
        Start({});
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        Form->OfferRecoveryCopy();
        QCOMPARE(Boxes->Shown().size(), std::size_t{1});
        QVERIFY(Boxes->Shown()[0].Text.find(Copy) != std::string::npos);
        QCOMPARE(HotKeyFileName(), Copy);
        QCOMPARE(Rows(), QStringList{"Alpha (Strg+Alt+A)"});
        qunsetenv("XDG_STATE_HOME");
    }

    // Hotkeys bound in the compositor (sway) work from anywhere; when it goes away, the line says so.
    void sessionNoticeOfCompositorBindingsFollowsTheBackend() {
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        CompositorBindings = true;
        BackendNotice = "Hotkeys: sway's IPC socket; windows: sway.";
        Start({});
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        const QLabel* Notice = Control<QLabel>("LabSessionNotice");
        QVERIFY(Notice->text().contains("bindings of the compositor"));
        QVERIFY(!Notice->text().contains("tulma --run NAME"));
        const std::string Gone =
            BackendNotice + " sway has gone away (sway closed its socket): hotkeys do nothing.";
        Form->ShowBackendNotice(Gone);
        QVERIFY(Notice->text().endsWith(QString::fromStdString(Gone)));
        QVERIFY(Form->rect().contains(Notice->geometry()));
        CompositorBindings = false;
        BackendNotice.clear();
    }

    void autostartEntryIsWrittenAndRemoved() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        const std::string Entry = Dir->File("config") + "/autostart/tulma.desktop";
        const auto HotKeysBefore = std::filesystem::last_write_time(DefaultFile());
        auto* Box = Control<QCheckBox>("CBAutostart");
        QVERIFY(!Box->isChecked());

        Box->click();
        QVERIFY(std::filesystem::exists(Entry));
        std::ifstream Written(Entry);
        const std::string Text((std::istreambuf_iterator<char>(Written)), std::istreambuf_iterator<char>());
        QVERIFY(Text.starts_with("[Desktop Entry]\n"));
        QVERIFY(Text.find("\nExec=" + QCoreApplication::applicationFilePath().toStdString() + "\n") !=
                std::string::npos);
        QVERIFY(!Form->Modified());
        QCOMPARE(std::filesystem::last_write_time(DefaultFile()), HotKeysBefore);

        // A window made later finds the entry; clearing the box removes it.
        Form.reset();
        EndHotKeyModule();
        Start({});
        Box = Control<QCheckBox>("CBAutostart");
        QVERIFY(Box->isChecked());
        Box->click();
        QVERIFY(!std::filesystem::exists(Entry));
        QVERIFY(!Form->Modified());
    }

    void autostartEntryThatCannotBeWrittenLeavesTheBoxClear() {
        Start({});
        // A file where the autostart folder should be.
        std::filesystem::create_directories(Dir->File("config"));
        std::ofstream(Dir->File("config") + "/autostart") << "in the way";
        auto* Box = Control<QCheckBox>("CBAutostart");
        Box->setChecked(true);
        QVERIFY_THROWS_EXCEPTION(std::exception, Form->CBAutostartClick());
        QVERIFY(!Box->isChecked());
    }

    void modifiedFollowsTheTable() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        QVERIFY(!Form->Modified());

        Form->BtnNewClick();  // cancelled
        QVERIFY(!Form->Modified());
        Define = Accept("Beta", CtrlAlt | 'B');
        Control("BtnNew")->click();
        QVERIFY(Form->Modified());
        QCOMPARE(Rows(), QStringList({"Alpha (Strg+Alt+A)", "Beta (Strg+Alt+B)"}));

        Control("BtnSave")->click();
        QVERIFY(!Form->Modified());
        QCOMPARE(HotKeyCountOnDisk(DefaultFile()), 2);

        Select("Alpha");
        Define = [](QWidget*, THotTulma&) { return false; };
        Form->BtnEditClick();
        QVERIFY(!Form->Modified());
        Define = Accept("Gamma", CtrlAlt | 'G');
        Form->BtnEditClick();
        QVERIFY(Form->Modified());
        QCOMPARE(Rows(), QStringList({"Beta (Strg+Alt+B)", "Gamma (Strg+Alt+G)"}));

        Form->BtnSaveClick();
        Control<QCheckBox>("CBMinimize")->click();
        QVERIFY(HotKeyFile().MinimizeAtStartup);
        QVERIFY(!Form->Modified());

        Select("Beta");
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        Form->BtnDeleteClick();
        QVERIFY(Form->Modified());

        Dialogs->NextSave = Dir->File("other.tul");
        Form->BtnSaveAsClick();
        QVERIFY(Form->Modified());
        QCOMPARE(HotKeyFileName(), Dir->File("other.tul"));
        QCOMPARE(Control<QLabel>("LabCurrFileName")->text(), QString("other.tul"));
        QCOMPARE(HotKeyCountOnDisk(Dir->File("other.tul")), 1);

        Boxes->SetNextAnswer(MessageBoxResult::No);
        Form->BtnReloadClick();
        QVERIFY(!Form->Modified());
        QCOMPARE(Boxes->Shown().back().Text, std::string(SaveQuestionText));

        Dialogs->NextOpen = DefaultFile();
        Form->BtnOpenClick();
        QVERIFY(!Form->Modified());
        QCOMPARE(Rows(), QStringList({"Beta (Strg+Alt+B)", "Gamma (Strg+Alt+G)"}));
    }

    void saveQuestion_data() {
        QTest::addColumn<QString>("Action");
        QTest::addColumn<int>("Answer");
        for (const char* Action : {"close", "quit", "reload", "open"}) {
            QTest::addRow("%s yes", Action) << Action << MessageBoxResult::Yes;
            QTest::addRow("%s no", Action) << Action << MessageBoxResult::No;
            QTest::addRow("%s cancel", Action) << Action << MessageBoxResult::Cancel;
            QTest::addRow("%s missing message", Action) << Action << MessageBoxResult::None;
        }
    }

    void saveQuestion() {
        QFETCH(QString, Action);
        QFETCH(int, Answer);
        const bool Missing = Answer == MessageBoxResult::None;
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        WriteHotKeyFile(Dir->File("other.tul"), {{"Other", CtrlAlt | 'O', "other"}});
        Form->show();
        DeleteAlpha();
        if (Missing) {
            InstallTestCatalogue(false);
        } else {
            Boxes->SetNextAnswer(Answer);
        }
        QSignalSpy Closed(Form.get(), &TFormMain::Closed);

        if (Action == "close") {
            Form->close();
        } else if (Action == "quit") {
            Control("BtnQuit")->click();
        } else if (Action == "reload") {
            Control("BtnReload")->click();
        } else {
            Dialogs->NextOpen = Dir->File("other.tul");
            Control("BtnOpen")->click();
        }

        QVERIFY(!Boxes->Shown().empty());
        QCOMPARE(Boxes->Shown()[0].Text,
                 std::string(Missing ? "Meldung 0 nicht gefunden." : SaveQuestionText));
        const bool GoesOn = Answer != MessageBoxResult::Cancel;
        const bool Saved = Answer == MessageBoxResult::Yes;
        QCOMPARE(HotKeyCountOnDisk(DefaultFile()), Saved ? 1 : 2);
        const bool Closing = Action == "close" || Action == "quit";
        if (Closing) {
            QCOMPARE(Closed.count(), GoesOn ? 1 : 0);
            QCOMPARE(Form->isVisible(), !GoesOn);
            // Neither Yes nor No was answered to the missing message: the changes are still unsaved.
            QCOMPARE(Form->Modified(), !GoesOn || Missing);
        } else {
            QCOMPARE(Form->Modified(), !GoesOn);
            QCOMPARE(HotKeyFileName(), Action == "open" && GoesOn ? Dir->File("other.tul") : DefaultFile());
        }
        if (Action == "reload") {
            QCOMPARE(Rows(), GoesOn && !Saved ? QStringList({"Alpha (Strg+Alt+A)", "Beta (Strg+Alt+B)"})
                                              : QStringList({"Beta (Strg+Alt+B)"}));
        }
        if (Action == "open" && GoesOn) {
            QCOMPARE(Rows(), QStringList({"Other (Strg+Alt+O)"}));
            QCOMPARE(Control<QLabel>("LabCurrFileName")->text(), QString("other.tul"));
        }
    }

    void quitWithoutChangesAsksNothing() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Form->show();
        Control<QCheckBox>("CBMinimize")->click();
        QSignalSpy Closed(Form.get(), &TFormMain::Closed);
        Form->BtnQuitClick();
        QCOMPARE(Closed.count(), 1);
        QVERIFY(Boxes->Shown().empty());
    }

    void editAndDeleteWithoutSelectionComplainEveryTime() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        List()->setCurrentRow(-1);
        Form->BtnEditClick();
        Form->BtnEditClick();
        Form->BtnDeleteClick();
        Form->BtnDeleteClick();
        QCOMPARE(Boxes->Shown().size(), std::size_t{4});
        for (const auto& Box : Boxes->Shown()) {
            QCOMPARE(Box.Text, std::string(NothingSelectedText));
        }
        QCOMPARE(HotKeyFile().HotKeyList().Count(), 1);
    }

    void deleteAnsweredNoKeepsEverything() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Select("Alpha");
        Boxes->SetNextAnswer(MessageBoxResult::No);
        Form->BtnDeleteClick();
        QCOMPARE(Boxes->Shown().size(), std::size_t{1});
        QCOMPARE(Boxes->Shown()[0].Text, std::string(ConfirmDeleteText));
        QVERIFY(!Form->Modified());
        QCOMPARE(Rows(), QStringList({"Alpha (Strg+Alt+A)"}));
        QCOMPARE(MenuHotKeys(), QStringList({"Alpha"}));
        QCOMPARE(Registry->Registered.size(), std::size_t{1});
    }

    void returnPressesTheFocusedButtonOnly() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Form->show();
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
        int Defined = 0;
        Define = [&Defined](QWidget*, THotTulma&) {
            ++Defined;
            return false;
        };
        for (const Qt::Key Key : {Qt::Key_Return, Qt::Key_Enter}) {
            Control("BtnNew")->setFocus();
            QTest::keyClick(Control("BtnNew"), Key);
        }
        QCOMPARE(Defined, 2);
        List()->setFocus();
        QTest::keyClick(List(), Qt::Key_Return);
        Control<QCheckBox>("CBMinimize")->setFocus();
        QTest::keyClick(Control<QCheckBox>("CBMinimize"), Qt::Key_Return);
        QCOMPARE(Defined, 2);
        QVERIFY(Boxes->Shown().empty());
    }

    void doubleClickOnEmptyListSpaceRunsEdit() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form.get()));
        List()->setCurrentRow(-1);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {},
                           List()->viewport()->rect().bottomRight() - QPoint(5, 5));
        QCOMPARE(Boxes->Shown().size(), std::size_t{1});
        QCOMPARE(Boxes->Shown()[0].Text, std::string(NothingSelectedText));
    }

    void refreshListWritesTheMinimizeFlagBack() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}}, true);
        auto* Minimize = Control<QCheckBox>("CBMinimize");
        QVERIFY(Minimize->isChecked());
        QVERIFY(HotKeyFile().MinimizeAtStartup);
        Minimize->click();
        QVERIFY(!HotKeyFile().MinimizeAtStartup);
        QVERIFY(!Form->Modified());
        Form->BtnReloadClick();
        QVERIFY(Minimize->isChecked());
        QVERIFY(HotKeyFile().MinimizeAtStartup);
        WriteHotKeyFile(Dir->File("plain.tul"), {{"Plain", CtrlAlt | 'P', "plain"}});
        Dialogs->NextOpen = Dir->File("plain.tul");
        Form->BtnOpenClick();
        QVERIFY(!Minimize->isChecked());
        QVERIFY(!HotKeyFile().MinimizeAtStartup);
    }

    void unreadableFileKeepsTheHotKeysInUse_data() {
        QTest::addColumn<bool>("Open");
        QTest::addRow("reload") << false;
        QTest::addRow("open") << true;
    }

    void unreadableFileKeepsTheHotKeysInUse() {
        QFETCH(bool, Open);
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}}, false, false);
        DeleteAlpha();
        const std::string Damaged = Open ? Dir->File("damaged.tul") : DefaultFile();
        std::ofstream(Damaged, std::ios::binary | std::ios::trunc) << "not a hotkey file";
        Dialogs->NextOpen = Damaged;

        const bool RanToEnd =
            TApplication::RunGuarded([&] { Open ? Form->BtnOpenClick() : Form->BtnReloadClick(); });

        QVERIFY(!RanToEnd);
        QCOMPARE(Boxes->Shown().size(), std::size_t{2});
        QCOMPARE(Boxes->Shown()[0].Text, std::string("Meldung 0 nicht gefunden."));
        QVERIFY(Boxes->Shown()[1].Style & MessageBoxStyle::IconStop);
        QVERIFY(Form->Modified());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        QCOMPARE(HotKeyFileName(), DefaultFile());
        QCOMPARE(Control<QLabel>("LabCurrFileName")->text(), QString("KeyList.TUL"));
        QCOMPARE(Rows(), QStringList({"Beta (Strg+Alt+B)"}));
        QCOMPARE(MenuHotKeys(), QStringList({"Beta"}));
        Registry->Press(MOD_CONTROL | MOD_ALT, 'B');
        QCOMPARE(Launch->Files(), std::vector<std::string>({"beta"}));

        // Only a current file that could not be read is kept aside by the save, and the window says so.
        const QLabel* Notice = Control<QLabel>("LabFileNotice");
        QCOMPARE(Notice->isHidden(), Open);
        QVERIFY(Open || Notice->text().contains("Saving keeps its bytes as \"KeyList.TUL.damaged\""));
        Form->BtnSaveClick();
        QCOMPARE(HotKeyCountOnDisk(DefaultFile()), 1);
        const std::string Kept = DefaultFile() + ".damaged";
        QCOMPARE(std::filesystem::exists(Kept), !Open);
        QCOMPARE(Notice->isHidden(), Open);
        if (!Open) {
            std::ifstream Copy(Kept, std::ios::binary);
            QCOMPARE(std::string(std::istreambuf_iterator<char>(Copy), {}), std::string("not a hotkey file"));
            QVERIFY(Notice->text().contains("kept as \"KeyList.TUL.damaged\" before it was saved over"));
            QVERIFY(Form->rect().contains(Notice->geometry()));
            QVERIFY(Notice->geometry().top() > Control<QCheckBox>("CBAutostart")->geometry().bottom());
        }
    }

    void failedSaveKeepsTheQuestionOpen() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        Form->show();
        DeleteAlpha();
        HotKeyFileName() = Dir->File("missing-dir/KeyList.TUL");
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        QSignalSpy Closed(Form.get(), &TFormMain::Closed);
        QVERIFY(!TApplication::RunGuarded([&] { Form->BtnQuitClick(); }));
        QCOMPARE(Closed.count(), 0);
        QVERIFY(Form->Modified());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
};

TULMA_QTEST_MAIN(FormMainTest)
#include "FormMainTest.moc"
