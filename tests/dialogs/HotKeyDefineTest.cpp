#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <string>

#include "AppMessages.h"
#include "ClassRegistration.h"
#include "DialogTestSupport.h"
#include "FDefine.h"
#include "FKeyCommand.h"
#include "HotKeyCommand.h"
#include "HotTulma.h"
#include "MessageBoxFunction.h"
#include "MessageBoxScript.h"
#include "QtTestMain.h"

using namespace tulma;
using test::Child;
using test::WhenModal;

namespace {

void AddCommand(THotTulma& HotKey, const std::string& Name, const std::string& Exec) {
    auto Command = std::make_unique<THotKeyCommand>();
    Command->Name = Name;
    Command->Exec = Exec;
    HotKey.Commands().Add(std::move(Command));
}

// Everything a hotkey holds, for comparing a hotkey before and after a dialog.
std::string Snapshot(const THotTulma& HotKey) {
    std::string Text = std::to_string(HotKey.ID) + "|" + HotKey.Name + "|" + std::to_string(HotKey.HotKey);
    for (int32_t I = 0; I < HotKey.Commands().Count(); ++I) {
        const auto& Command = HotKey.Commands().ItemAs<THotKeyCommand>(I);
        Text += "|" + std::to_string(Command.ID) + ":" + Command.Name + ":" + Command.Exec + ":" +
                std::to_string(Command.ExecMode);
    }
    return Text + "|" + std::to_string(HotKey.Commands().LastID);
}

QStringList Rows(const QListWidget& List) {
    QStringList Texts;
    for (int I = 0; I < List.count(); ++I) {
        Texts << List.item(I)->text();
    }
    return Texts;
}

// The dialog on a hotkey, shown and active, as the main window opens it.
struct TOpenDialog {
    explicit TOpenDialog(THotTulma& HotKey) {
        Form.SetHotKey(&HotKey);
        Form.show();
        if (!QTest::qWaitForWindowActive(&Form)) {
            qFatal("dialog not active");
        }
    }
    TFormHotKeyDefine Form{nullptr};
    QLineEdit* Name = Child<QLineEdit>(Form, "TxtName");
    QLineEdit* Key = Child<QLineEdit>(Form, "TxtKey");
    QLabel* Prompt = Child<QLabel>(Form, "LabKeyPress");
    QLabel* Info = Child<QLabel>(Form, "LabInfo");
    QListWidget* Commands = Child<QListWidget>(Form, "LBCommands");

    void Click(const char* Button) { QTest::mouseClick(Child<QPushButton>(Form, Button), Qt::LeftButton); }
    void FocusKeyField() {
        Key->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
    // "New", and the command dialog confirmed on Browser / firefox.
    void AddBrowserCommand() {
        WhenModal<TFormHotKeyCommand>([](TFormHotKeyCommand& Command) {
            Child<QLineEdit>(Command, "TxtName")->setText("Browser");
            Child<QLineEdit>(Command, "TxtExec")->setText("firefox");
            Child<QPushButton>(Command, "BtnOK")->click();
        });
        Click("BtnNew");
    }
};

}  // namespace

class HotKeyDefineTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { RegisterAllClasses(); }
    void init() { test::InstallDialogMessages(); }
    void cleanup() { FreeMessageList(); }

    void opensOnTheHotKeysValuesWithCommandsInNameOrder() {
        THotTulma HotKey;
        HotKey.Name = "Editor";
        HotKey.HotKey = 0x4000 | 0x8000 | 0x45;
        AddCommand(HotKey, "beta", "b");
        AddCommand(HotKey, "Alpha", "a");
        TOpenDialog Dialog(HotKey);
        QCOMPARE(Dialog.Form.windowTitle(), QString("Hotkey definition"));
        QCOMPARE(Dialog.Form.size(), QSize(424, 254));
        QCOMPARE(Dialog.Name->text(), QString("Editor"));
        QCOMPARE(Dialog.Info->text(), QString("Strg+Alt+E"));
        QCOMPARE(Rows(*Dialog.Commands), QStringList({"Alpha", "beta"}));
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Name);
        QVERIFY(!Dialog.Prompt->isVisible());
    }

    void tabKeepsItsRoleInTheKeyField() {
        THotTulma HotKey;
        HotKey.HotKey = 0x4045;
        TOpenDialog Dialog(HotKey);
        QTest::keyClick(Dialog.Name, Qt::Key_Tab);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Key);
        QVERIFY(Dialog.Prompt->isVisible());
        QTest::keyClick(Dialog.Key, Qt::Key_Tab);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Commands);
        QVERIFY(!Dialog.Prompt->isVisible());
        QTest::keyClick(Dialog.Commands, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Key);
        QTest::keyClick(Dialog.Key, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Name);
        QCOMPARE(Dialog.Info->text(), QString("Strg+E"));
    }

    // A combination typed in the key field is shown with its German key names (none for a key without
    // one), moves the focus on to the command list, and reaches the hotkey only with OK. Alt+M is also
    // the name label's accelerator; in the key field it is a combination.
    void typedCombinationIsCapturedAndStoredOnOK_data() {
        QTest::addColumn<int>("Key");
        QTest::addColumn<Qt::KeyboardModifiers>("Modifiers");
        QTest::addColumn<QString>("Text");
        QTest::addColumn<int>("Stored");
        QTest::newRow("Ctrl+Shift+A") << int(Qt::Key_A) << (Qt::ControlModifier | Qt::ShiftModifier)
                                      << QString("Umsch+Strg+A") << 0x6041;
        QTest::newRow("Alt+M") << int(Qt::Key_M) << Qt::KeyboardModifiers(Qt::AltModifier) << QString("Alt+M")
                               << 0x804D;
        QTest::newRow("Ctrl+Pause") << int(Qt::Key_Pause) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                    << QString() << 0x4013;
    }
    void typedCombinationIsCapturedAndStoredOnOK() {
        QFETCH(int, Key);
        QFETCH(Qt::KeyboardModifiers, Modifiers);
        QFETCH(QString, Text);
        QFETCH(int, Stored);
        THotTulma HotKey;
        HotKey.Name = "Editor";
        TOpenDialog Dialog(HotKey);
        QCOMPARE(Dialog.Info->text(), QString());
        Dialog.FocusKeyField();
        QVERIFY(Dialog.Prompt->isVisible());

        QTest::keyClick(Dialog.Key, static_cast<Qt::Key>(Key), Modifiers);
        QCOMPARE(Dialog.Info->text(), Text);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Commands);
        QVERIFY(!Dialog.Prompt->isVisible());
        QCOMPARE(HotKey.HotKey, uint16_t{0});

        Dialog.Click("BtnOK");
        QCOMPARE(Dialog.Form.result(), int(QDialog::Accepted));
        QCOMPARE(HotKey.HotKey, static_cast<uint16_t>(Stored));
    }

    void modifierKeysAloneChangeNothing() {
        THotTulma HotKey;
        HotKey.Name = "Editor";
        HotKey.HotKey = 0x4000 | 0x8000 | 0x45;
        TOpenDialog Dialog(HotKey);
        Dialog.FocusKeyField();
        QTest::keyClick(Dialog.Key, Qt::Key_Shift, Qt::ShiftModifier);
        QTest::keyClick(Dialog.Key, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyClick(Dialog.Key, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(Dialog.Key, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(Dialog.Info->text(), QString("Strg+Alt+E"));
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Key);
        QVERIFY(Dialog.Prompt->isVisible());
    }

    void returnWithAModifierIsCapturedPlainReturnPressesOK() {
        THotTulma HotKey;
        HotKey.Name = "Editor";
        TOpenDialog Dialog(HotKey);
        Dialog.FocusKeyField();
        QTest::keyClick(Dialog.Key, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(Dialog.Info->text(), QString("Strg+Enter"));
        QVERIFY(Dialog.Form.isVisible());

        Dialog.FocusKeyField();
        QTest::keyClick(Dialog.Key, Qt::Key_Return);
        QCOMPARE(Dialog.Form.result(), int(QDialog::Accepted));
        QVERIFY(!Dialog.Form.isVisible());
        QCOMPARE(HotKey.HotKey, uint16_t{0x400D});
    }

    void escapeWithShiftIsCapturedPlainEscapeCancels() {
        THotTulma HotKey;
        HotKey.Name = "Editor";
        TOpenDialog Dialog(HotKey);
        Dialog.FocusKeyField();
        QTest::keyClick(Dialog.Key, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(Dialog.Info->text(), QString("Umsch+Esc"));
        Dialog.FocusKeyField();
        QTest::keyClick(Dialog.Key, Qt::Key_Escape);
        QVERIFY(!Dialog.Form.isVisible());
        QCOMPARE(Dialog.Form.result(), int(QDialog::Rejected));
        QCOMPARE(HotKey.HotKey, uint16_t{0});
    }

    void okWithAnEmptyNameComplainsOnceAndStaysOpen() {
        TMessageBoxScript Boxes;
        THotTulma HotKey;
        const std::string Before = Snapshot(HotKey);
        TOpenDialog Dialog(HotKey);
        Dialog.FocusKeyField();
        QTest::keyClick(Dialog.Key, Qt::Key_F5);
        Dialog.Click("BtnOK");
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QCOMPARE(Boxes.Shown()[0].Text, std::string("Fill in."));
        QVERIFY(Dialog.Form.isVisible());
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Name);
        QCOMPARE(Snapshot(HotKey), Before);

        Dialog.Click("BtnOK");
        QCOMPARE(Boxes.Shown().size(), size_t{2});

        QTest::keyClicks(Dialog.Name, "Reports");
        Dialog.Click("BtnOK");
        QVERIFY(!Dialog.Form.isVisible());
        QCOMPARE(HotKey.Name, std::string("Reports"));
        QCOMPARE(HotKey.HotKey, uint16_t{0x74});
        QCOMPARE(HotKey.ID, -1);
        QCOMPARE(Boxes.Shown().size(), size_t{2});
    }

    void newHotKeyWithoutAKeyStoresZero() {
        THotTulma HotKey;
        TOpenDialog Dialog(HotKey);
        QCOMPARE(Dialog.Info->text(), QString());
        QTest::keyClicks(Dialog.Name, "Nothing");
        Dialog.Click("BtnOK");
        QCOMPARE(HotKey.Name, std::string("Nothing"));
        QCOMPARE(HotKey.HotKey, uint16_t{0});
    }

    void editOrDeleteWithoutSelectionComplainsEveryTime() {
        TMessageBoxScript Boxes;
        THotTulma HotKey;
        HotKey.Name = "Editor";
        AddCommand(HotKey, "Notepad", "notepad");
        TOpenDialog Dialog(HotKey);
        Dialog.Click("BtnEdit");
        Dialog.Click("BtnEdit");
        Dialog.Click("BtnDelete");
        QCOMPARE(Boxes.Shown().size(), size_t{3});
        for (const auto& Box : Boxes.Shown()) {
            QCOMPARE(Box.Text, std::string("Select."));
        }
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Commands);
        QCOMPARE(Dialog.Commands->count(), 1);

        Dialog.Click("BtnOK");
        QVERIFY(!Dialog.Form.isVisible());
        QCOMPARE(Boxes.Shown().size(), size_t{3});
    }

    void deleteOnlyOnYes() {
        TMessageBoxScript Boxes;
        THotTulma HotKey;
        HotKey.Name = "Editor";
        AddCommand(HotKey, "Notepad", "notepad");
        AddCommand(HotKey, "Calc", "calc");
        TOpenDialog Dialog(HotKey);
        Dialog.Commands->setCurrentRow(1);
        Boxes.SetNextAnswer(MessageBoxResult::No);
        Dialog.Click("BtnDelete");
        QCOMPARE(Rows(*Dialog.Commands), QStringList({"Calc", "Notepad"}));

        Boxes.SetNextAnswer(MessageBoxResult::Yes);
        Dialog.Click("BtnDelete");
        QCOMPARE(Rows(*Dialog.Commands), QStringList({"Calc"}));
        QCOMPARE(Boxes.Shown().size(), size_t{2});
        QCOMPARE(Boxes.Shown()[1].Style & 0xF, MessageBoxStyle::YesNo);

        Dialog.Click("BtnOK");
        QCOMPARE(HotKey.Commands().Count(), 1);
        QCOMPARE(HotKey.Commands().ItemAs<THotKeyCommand>(0).Name, std::string("Calc"));
    }

    void cancelAfterNewEditAndDeleteLeavesTheCallersHotKey() {
        TMessageBoxScript Boxes;
        THotTulma HotKey;
        HotKey.ID = 4;
        HotKey.Name = "Editor";
        HotKey.HotKey = 0x4045;
        AddCommand(HotKey, "Notepad", "notepad");
        AddCommand(HotKey, "Calc", "calc");
        const std::string Before = Snapshot(HotKey);
        const TStreamableObject* FirstCommand = HotKey.Commands().At(0);
        TOpenDialog Dialog(HotKey);

        Dialog.AddBrowserCommand();
        QCOMPARE(Rows(*Dialog.Commands), QStringList({"Browser", "Calc", "Notepad"}));

        Dialog.Commands->setCurrentRow(2);
        WhenModal<TFormHotKeyCommand>([](TFormHotKeyCommand& Command) {
            Child<QLineEdit>(Command, "TxtName")->setText("Gedit");
            Child<QPushButton>(Command, "BtnOK")->click();
        });
        Dialog.Click("BtnEdit");
        QCOMPARE(Rows(*Dialog.Commands), QStringList({"Browser", "Calc", "Gedit"}));

        Dialog.Commands->setCurrentRow(1);
        Boxes.SetNextAnswer(MessageBoxResult::Yes);
        Dialog.Click("BtnDelete");
        QCOMPARE(Rows(*Dialog.Commands), QStringList({"Browser", "Gedit"}));

        Dialog.FocusKeyField();
        QTest::keyClick(Dialog.Key, Qt::Key_B, Qt::AltModifier);
        Dialog.Click("BtnCancel");
        QCOMPARE(Dialog.Form.result(), int(QDialog::Rejected));
        QCOMPARE(Snapshot(HotKey), Before);
        QCOMPARE(HotKey.Commands().At(0), FirstCommand);
    }

    void okWritesNewEditedAndDeletedCommandsBack() {
        TMessageBoxScript Boxes;
        THotTulma HotKey;
        HotKey.ID = 4;
        HotKey.Name = "Editor";
        HotKey.Atom = 0xC001;
        AddCommand(HotKey, "Notepad", "notepad");
        TOpenDialog Dialog(HotKey);
        Dialog.AddBrowserCommand();
        Dialog.Click("BtnOK");
        QCOMPARE(Snapshot(HotKey), std::string("4|Editor|0|0:Notepad:notepad:0|1:Browser:firefox:0|1"));
        QCOMPARE(HotKey.Atom, uint16_t{0xC001});
    }

    void cancelledNewCommandAddsNothingAndKeepsTheTypedName() {
        THotTulma HotKey;
        HotKey.Name = "Editor";
        TOpenDialog Dialog(HotKey);
        Dialog.Name->setText("Renamed");
        WhenModal<TFormHotKeyCommand>([](TFormHotKeyCommand& Command) {
            Child<QLineEdit>(Command, "TxtName")->setText("Browser");
            Child<QPushButton>(Command, "BtnCancel")->click();
        });
        Dialog.Click("BtnNew");
        QCOMPARE(Dialog.Commands->count(), 0);
        QCOMPARE(Dialog.Name->text(), QString("Renamed"));
        QCOMPARE(HotKey.Name, std::string("Editor"));
    }

    void doubleClickEditsTheSelectedCommand() {
        THotTulma HotKey;
        AddCommand(HotKey, "Notepad", "notepad");
        TOpenDialog Dialog(HotKey);
        const QRect Row = Dialog.Commands->visualItemRect(Dialog.Commands->item(0));
        QString Shown;
        WhenModal<TFormHotKeyCommand>([&Shown](TFormHotKeyCommand& Command) {
            Shown = Child<QLineEdit>(Command, "TxtExec")->text();
            Child<QPushButton>(Command, "BtnCancel")->click();
        });
        QTest::mouseClick(Dialog.Commands->viewport(), Qt::LeftButton, {}, Row.center());
        QTest::mouseDClick(Dialog.Commands->viewport(), Qt::LeftButton, {}, Row.center());
        QCOMPARE(Shown, QString("notepad"));
    }
};

TULMA_QTEST_MAIN(HotKeyDefineTest)
#include "HotKeyDefineTest.moc"
