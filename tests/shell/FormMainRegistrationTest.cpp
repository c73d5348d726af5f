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

// The main window as owner of the registrations and the tray: presses, marks, the menu and minimising.
class FormMainRegistrationTest : public FormMainFixture {
    Q_OBJECT

  private slots:
    void initTestCase() { InitTestCase(); }
    void init() { Init(); }
    void cleanup() { Cleanup(); }

    void registrationUsesTheAtomAndTheModifiers() {
        WriteHotKeyFile(Dir->File("seven.tul"), {});
        Start({{"Zero", ShiftBit | 'K', "zero"}, {"One", 'K', "one"}});
        THotTulma& Seven = [&]() -> THotTulma& {
            auto HotKey = std::make_unique<THotTulma>();
            HotKey->ID = 7;
            HotKey->Name = "Seven";
            HotKey->HotKey = CtrlAlt | 0x4B;
            THotTulma& Result = *HotKey;
            HotKeyFile().HotKeyList().Add(std::move(HotKey));
            return Result;
        }();
        Form->Activation().ActivateHotKey(Seven);
        const std::uint16_t Atom = Atoms->FindAtom("THotTulma7");
        QVERIFY(Atom >= TAtomTable::FirstAtom);
        QCOMPARE(Seven.Atom, Atom);
        QCOMPARE(Registry->Registered.at(Atom).Modifiers, MOD_CONTROL | MOD_ALT);
        QCOMPARE(Registry->Registered.at(Atom).VirtualKey, std::uint8_t{0x4B});
        QCOMPARE(Registry->Registered.at(Atoms->FindAtom("THotTulma0")).Modifiers, MOD_SHIFT);
        QCOMPARE(Registry->Registered.at(Atoms->FindAtom("THotTulma1")).Modifiers, 0u);
    }

    void pressAndMenuItemRunTheCommands() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        Registry->Press(MOD_CONTROL | MOD_ALT, 'A');
        QCOMPARE(Launch->Files(), std::vector<std::string>({"alpha"}));
        MenuItem("Beta")->trigger();
        QCOMPARE(Launch->Files(), std::vector<std::string>({"alpha", "beta"}));
        MenuItem("Hide")->trigger();
        QCOMPARE(Launch->Started.size(), std::size_t{2});
    }

    void namedHotKeyRunsFromTheListInMemory() {
        Start({{"&Alpha", CtrlAlt | 'A', "alpha"}});
        Define = Accept("Beta", CtrlAlt | 'B');
        Form->BtnNewClick();  // not saved, and without commands
        QVERIFY(Form->Activation().RunHotKey("Beta"));
        QVERIFY(Form->Activation().RunHotKey("Alpha"));
        QVERIFY(!Form->Activation().RunHotKey("Gamma"));
        QCOMPARE(Launch->Files(), std::vector<std::string>({"alpha"}));
    }

    void editRenewsTheRegistrationWhateverTheOutcome() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Select("Alpha");
        Define = Accept("Omega", CtrlAlt | 'O');
        Form->BtnEditClick();
        Registry->Press(MOD_CONTROL | MOD_ALT, 'A');
        QVERIFY(Launch->Started.empty());
        Registry->Press(MOD_CONTROL | MOD_ALT, 'O');
        QCOMPARE(Launch->Files(), std::vector<std::string>({"alpha"}));
        QCOMPARE(MenuHotKeys(), QStringList({"Omega"}));
    }

    void reloadWithoutAFileKeepsTheHotKeysRegistered() {
        Start({});
        Define = Accept("Beta", CtrlAlt | 'B');
        Form->BtnNewClick();
        Boxes->SetNextAnswer(MessageBoxResult::No);
        Form->BtnReloadClick();
        QVERIFY(!Form->Modified());
        QCOMPARE(Rows(), QStringList({"Beta (Strg+Alt+B)"}));
        QCOMPARE(MenuHotKeys(), QStringList({"Beta"}));
        QCOMPARE(Registry->Registered.size(), std::size_t{1});
    }

    void deletedHotKeyNoLongerRuns() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"},
               {"Beta", CtrlAlt | 'B', "beta"},
               {"Gamma", CtrlAlt | 'G', "g"}});
        Select("Beta");
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        Form->BtnDeleteClick();
        QCOMPARE(MenuHotKeys(), QStringList({"Alpha", "Gamma"}));
        QCOMPARE(Atoms->FindAtom("THotTulma1"), std::uint16_t{0});
        Registry->Press(MOD_CONTROL | MOD_ALT, 'B');
        QVERIFY(Launch->Started.empty());
        Registry->Press(MOD_CONTROL | MOD_ALT, 'G');
        QCOMPARE(Launch->Files(), std::vector<std::string>({"g"}));
    }

    void refusedCombinationIsMarkedInTheList() {
        Registry->Taken.insert({MOD_CONTROL | MOD_ALT, 'A'});
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        QCOMPARE(Rows(), QStringList({"Alpha (Strg+Alt+A)", "Beta (Strg+Alt+B)"}));
        QVERIFY(!List()->item(0)->icon().isNull());
        QVERIFY(List()->item(0)->toolTip().contains("taken"));
        QVERIFY(List()->item(1)->icon().isNull());
        QVERIFY(List()->item(1)->toolTip().isEmpty());
        QVERIFY(Boxes->Shown().empty());
        MenuItem("Alpha")->trigger();
        QCOMPARE(Launch->Files(), std::vector<std::string>({"alpha"}));

        // Once the other program lets go, a renewal takes the combination and the mark goes.
        Registry->Taken.clear();
        Select("Alpha");
        Form->BtnEditClick();
        QVERIFY(List()->item(0)->icon().isNull());
    }

    // Each refused line says why: another hotkey of the list, another program, the window system's own
    // reason (sway: the user's configuration binds it), or no key at all.
    void refusedCombinationNamesItsHolder() {
        Registry->Taken.insert({MOD_CONTROL | MOD_ALT, 'G'});
        Registry->Taken.insert({MOD_CONTROL | MOD_ALT, 'H'});
        Registry->TakenBecause[{MOD_CONTROL | MOD_ALT, 'H'}] = "your sway configuration binds Ctrl+Mod1+h";
        Start({{"Alpha", CtrlAlt | 'A', "alpha"},
               {"Beta", CtrlAlt | 'A', "beta"},
               {"Gamma", CtrlAlt | 'G', "gamma"},
               {"Hotel", CtrlAlt | 'H', "hotel"},
               {"Nokey", 0, "nokey"}});
        const struct {
            const char* Says;
            const char* DoesNotSay;
        } Tips[] = {
            {"", "taken"},
            {"used by Alpha", "taken"},
            {"taken by another program", "used by"},
            {"refused: your sway configuration binds Ctrl+Mod1+h", "taken"},
            {"no key combination", "taken"},
        };
        QCOMPARE(List()->count(), int(std::size(Tips)));
        for (int Row = 0; Row < List()->count(); ++Row) {
            const QString Tip = List()->item(Row)->toolTip();
            QVERIFY2(Tip.contains(Tips[Row].Says) && !Tip.contains(Tips[Row].DoesNotSay), qPrintable(Tip));
        }
        QVERIFY(List()->item(0)->toolTip().isEmpty());
    }

    void combinationTheDesktopReplacedIsMarkedAndTheFileKeepsItsOwn() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"},
               {"Beta", CtrlAlt | 'B', "beta"},
               {"Gamma", CtrlAlt | 'G', "g"}});
        Registry->Assign(Atoms->FindAtom("THotTulma0"), "Ctrl+Alt+X");
        Registry->Assign(Atoms->FindAtom("THotTulma1"), "");
        QCOMPARE(List()->item(0)->toolTip(), QString("the desktop assigned Ctrl+Alt+X"));
        QCOMPARE(List()->item(1)->toolTip(), QString("not assigned by the desktop"));
        QVERIFY(!List()->item(1)->icon().isNull());
        QVERIFY(List()->item(2)->toolTip().isEmpty());
        QCOMPARE(HotKeyFile().HotKeyList().ItemAs<THotTulma>(0).HotKey, std::uint16_t(CtrlAlt | 'A'));
        QVERIFY(!Form->Modified());

        Registry->Assign(Atoms->FindAtom("THotTulma0"), std::nullopt);
        QVERIFY(List()->item(0)->icon().isNull());
        QVERIFY(List()->item(0)->toolTip().isEmpty());
    }

    void trayMenuOrderAfterReload() {
        Start({{"Zeta", CtrlAlt | 'Z', "z"}, {"Alpha", CtrlAlt | 'A', "a"}, {"Mid", CtrlAlt | 'M', "m"}});
        const auto Items = Form->PopupMenu1().actions();
        QCOMPARE(Items[0]->text(), QString("Hide"));
        QCOMPARE(Items[1]->text(), QString("&Restore"));
        QCOMPARE(Form->PopupMenu1().defaultAction(), Items[1]);
        QCOMPARE(Items[2]->text(), QString("&Close"));
        QVERIFY(Items[3]->isSeparator());
        QCOMPARE(Rows(), QStringList({"Alpha (Strg+Alt+A)", "Mid (Strg+Alt+M)", "Zeta (Strg+Alt+Z)"}));
        QCOMPARE(MenuHotKeys(), QStringList({"Zeta", "Alpha", "Mid"}));

        Define = Accept("Beta", CtrlAlt | 'B');
        Form->BtnNewClick();
        QCOMPARE(MenuHotKeys(), QStringList({"Zeta", "Alpha", "Mid", "Beta"}));

        WriteHotKeyFile(DefaultFile(), {{"Two", CtrlAlt | '2', "2"}, {"One", CtrlAlt | '1', "1"}});
        Boxes->SetNextAnswer(MessageBoxResult::No);
        Form->BtnReloadClick();
        QCOMPARE(Form->PopupMenu1().actions().size(), 6);
        QCOMPARE(MenuHotKeys(), QStringList({"Two", "One"}));
        QCOMPARE(Registry->Registered.size(), std::size_t{2});
        QCOMPARE(Atoms->Count(), std::size_t{2});
    }

    void minimisingGoesToTheTray() {
        ShellAvailable = true;
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Form->show();
        Form->showMinimized();
        QTRY_VERIFY(!Form->isVisible());
        QVERIFY(Form->TrayIcon1().IconShown());
        Form->showMinimized();
        QVERIFY(Form->TrayIcon1().IconShown());
        emit Form->TrayIcon1().TrayItem().activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(Form->isVisible());
        QVERIFY(!Form->isMinimized());
        QVERIFY(!Form->TrayIcon1().IconShown());
    }

    void bringForwardRestoresFromTheTray() {
        ShellAvailable = true;
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Form->show();
        Form->showMinimized();
        QTRY_VERIFY(!Form->isVisible());
        Form->BringForward();
        QVERIFY(Form->isVisible());
        QVERIFY(!Form->isMinimized());
        QVERIFY(!Form->TrayIcon1().IconShown());
    }

    void withoutATrayMinimisingKeepsTheWindow() {
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}}, true);
        Form->show();
        QVERIFY(Form->isMinimized());
        QVERIFY(Form->isVisible());
        QVERIFY(!Form->TrayIcon1().IconShown());
        Form->PPCRestoreClick();
        QVERIFY(!Form->isMinimized());
    }

    void minimizeFlagStartsInTheTray() {
        ShellAvailable = true;
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}}, true);
        Form->show();
        QTRY_VERIFY(!Form->isVisible());
        QVERIFY(Form->TrayIcon1().IconShown());
        QCOMPARE(Registry->Registered.size(), std::size_t{1});
    }

    // On the way to the tray the window is never shown, so nothing of it is drawn; without a tray it is
    // shown minimised.
    void startingMinimisedShowsNoWindowOnTheWayToTheTray_data() {
        QTest::addColumn<bool>("Tray");
        QTest::newRow("tray") << true;
        QTest::newRow("no tray") << false;
    }

    void startingMinimisedShowsNoWindowOnTheWayToTheTray() {
        QFETCH(bool, Tray);
        ShellAvailable = Tray;
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}}, true);
        Form->ShowAtStart();
        QCoreApplication::processEvents();
        QCOMPARE(Form->isVisible(), !Tray);
        QVERIFY(Form->isMinimized());
        QCOMPARE(Form->TrayIcon1().IconShown(), Tray);
        QCOMPARE(Registry->Registered.size(), std::size_t{1});
        Form->BringForward();
        QVERIFY(Form->isVisible());
        QVERIFY(!Form->isMinimized());
    }

    void closeFromTheTrayAsksWithTheWindowShown() {
        ShellAvailable = true;
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}, {"Beta", CtrlAlt | 'B', "beta"}});
        Form->show();
        DeleteAlpha();
        Form->showMinimized();
        QTRY_VERIFY(!Form->isVisible());
        Boxes->SetNextAnswer(MessageBoxResult::Cancel);
        MenuItem("&Close")->trigger();
        QCOMPARE(Boxes->Shown().size(), std::size_t{1});
        QVERIFY(Form->isVisible());
        QVERIFY(!Form->isMinimized());
        QVERIFY(!Form->TrayIcon1().IconShown());
    }

    // The tray menu makes its hotkey items as it opens: items of hotkeys added while it was closed
    // come last, in the order the hotkeys came.
    void trayMenuOpensWithAnItemForEveryHotKeyInOrder() {
        Start({{"Zeta", CtrlAlt | 'Z', "z"}, {"Alpha", CtrlAlt | 'A', "a"}});
        auto* Menu = Form->findChild<QMenu*>("PopupMenu1");
        const auto OpenedItems = [Menu] {
            Menu->popup(QPoint(0, 0));
            QStringList Texts;
            for (const QAction* Item : Menu->actions().mid(4)) {
                Texts << Item->text();
            }
            Menu->hide();
            return Texts;
        };
        QCOMPARE(OpenedItems(), QStringList({"Zeta", "Alpha"}));
        Define = Accept("Beta", CtrlAlt | 'B');
        Form->BtnNewClick();
        Define = Accept("Gamma", CtrlAlt | 'G');
        Form->BtnNewClick();
        QCOMPARE(OpenedItems(), QStringList({"Zeta", "Alpha", "Beta", "Gamma"}));
    }

    void clickOpensTheMenuAndDoubleClickRestores() {
        ShellAvailable = true;
        Start({{"Alpha", CtrlAlt | 'A', "alpha"}});
        Form->show();
        Form->showMinimized();
        QTRY_VERIFY(!Form->isVisible());
        QSystemTrayIcon& Icon = Form->TrayIcon1().TrayItem();
        emit Icon.activated(QSystemTrayIcon::Trigger);
        QTRY_VERIFY(Form->PopupMenu1().isVisible());
        Form->PopupMenu1().hide();
        emit Icon.activated(QSystemTrayIcon::Context);
        QVERIFY(Form->PopupMenu1().isVisible());
        Form->PopupMenu1().hide();

        emit Icon.activated(QSystemTrayIcon::Trigger);
        emit Icon.activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(Form->isVisible());
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        QVERIFY(!Form->PopupMenu1().isVisible());
    }

    void trayTip() {
        Start({});
        QCOMPARE(Form->TrayIcon1().Tip(), QString("Tulma"));
        Form->TrayIcon1().SetHint(std::string(70, 'x'));
        QCOMPARE(Form->TrayIcon1().Tip(), QString(63, 'x'));
        Form->TrayIcon1().SetHint("");
        QVERIFY(Form->TrayIcon1().Tip().isEmpty());
    }
};

TULMA_QTEST_MAIN(FormMainRegistrationTest)
#include "FormMainRegistrationTest.moc"
