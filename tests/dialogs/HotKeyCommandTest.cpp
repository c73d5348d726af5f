#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <string>

#include "AppMessages.h"
#include "ApplicationPicker.h"
#include "ClassRegistration.h"
#include "DialogTestSupport.h"
#include "FKeyCommand.h"
#include "FileBrowseDialog.h"
#include "FolderBrowserDialog.h"
#include "HotKeyCommand.h"
#include "MessageBoxScript.h"
#include "PlatformFakes.h"
#include "QtTestMain.h"
#include "TempDir.h"
#include "WindowMatchesDialog.h"

using namespace tulma;
using test::Child;
using test::WhenModal;

namespace {

std::unique_ptr<THotKeyCommand> SampleCommand() {
    auto Command = std::make_unique<THotKeyCommand>();
    Command->ID = 3;
    Command->Name = "Notes";
    Command->Exec = "%HOME%/bin/notes";
    Command->Parameters = "--new";
    Command->Directory = "/tmp";
    Command->LookForWindow = "Notes -";
    Command->ExecMode = 1;
    return Command;
}

std::string Snapshot(const THotKeyCommand& Command) {
    return std::to_string(Command.ID) + "|" + Command.Name + "|" + Command.Exec + "|" + Command.Parameters +
           "|" + Command.Directory + "|" + Command.LookForWindow + "|" + std::to_string(Command.ExecMode);
}

struct TOpenDialog {
    explicit TOpenDialog(THotKeyCommand& Command) {
        Form.SetCommand(&Command);
        Form.show();
        if (!QTest::qWaitForWindowActive(&Form)) {
            qFatal("dialog not active");
        }
    }
    TFormHotKeyCommand Form{nullptr};
    QLineEdit* Name = Child<QLineEdit>(Form, "TxtName");
    QLineEdit* Exec = Child<QLineEdit>(Form, "TxtExec");
    QLineEdit* Parameters = Child<QLineEdit>(Form, "TxtParameters");
    QLineEdit* Directory = Child<QLineEdit>(Form, "TxtDirectory");
    QLineEdit* LookForWindow = Child<QLineEdit>(Form, "TxtLookForWindow");
    QComboBox* ExecMode = Child<QComboBox>(Form, "CBExecMode");

    void Click(const char* Button) { Child<QAbstractButton>(Form, Button)->click(); }
};

struct TMatchesShown {
    QString Heading;
    QStringList Items;
};

// Clicks the Test button and reads what the list of matches shows before closing it.
TMatchesShown ClickTest(QWidget& Form) {
    TMatchesShown Shown;
    WhenModal<TFormWindowMatches>([&Shown](TFormWindowMatches& Matches) {
        Shown.Heading = Child<QLabel>(Matches, "LabResult")->text();
        const auto* List = Child<QListWidget>(Matches, "LBWindows");
        for (int I = 0; List->isVisibleTo(&Matches) && I < List->count(); ++I) {
            Shown.Items << List->item(I)->text();
        }
        Child<QPushButton>(Matches, "BtnOK")->click();
    });
    Child<QPushButton>(Form, "BtnTest")->click();
    return Shown;
}

void WriteFile(const QString& Path, QFileDevice::Permissions Permissions) {
    QFile File(Path);
    if (!File.open(QIODevice::WriteOnly) || !File.setPermissions(Permissions)) {
        qFatal("cannot write %s", qPrintable(Path));
    }
}

}  // namespace

class HotKeyCommandTest : public QObject {
    Q_OBJECT

    // The applications the picker lists, written before the desktop's libraries first read their folders.
    test::TempDir Applications;
    QString Editor;

    QString Application(const QString& Name, const QString& Keys) {
        const QString File = test::QtFile(Applications, "applications/" + Name);
        QFile Entry(File);
        if (!Entry.open(QIODevice::WriteOnly)) {
            qFatal("cannot write %s", qPrintable(File));
        }
        Entry.write(("[Desktop Entry]\nType=Application\nExec=true\n" + Keys).toUtf8());
        return File;
    }

  private slots:
    void initTestCase() {
        RegisterAllClasses();
        QVERIFY(QDir(test::QtPath(Applications)).mkpath("applications"));
        qputenv("XDG_DATA_HOME", test::QtPath(Applications).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", test::QtFile(Applications, "none").toLocal8Bit());
        Editor = Application("org.example.Editor.desktop", "Name=Text Editor\nStartupWMClass=TextEd\n");
        Application("calculator.desktop", "Name=Calculator\nKeywords=math;\n");
        Application("unlisted.desktop", "Name=Text Unlisted\nNoDisplay=true\n");
        Application("org.example.Viewer.desktop", "Name=Viewer\n");
    }
    void init() { test::InstallDialogMessages(); }
    void cleanup() { FreeMessageList(); }

    void showsTheCommandsFieldsAndTheFiveModesInOrder() {
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        TOpenDialog Dialog(Command);
        QCOMPARE(Dialog.Form.windowTitle(), QString("Hotkey command"));
        QCOMPARE(Dialog.Form.size(), QSize(424, 184));
        QCOMPARE(Dialog.Name->text(), QString("Notes"));
        QCOMPARE(Dialog.Exec->text(), QString("%HOME%/bin/notes"));
        QCOMPARE(Dialog.Parameters->text(), QString("--new"));
        QCOMPARE(Dialog.Directory->text(), QString("/tmp"));
        QCOMPARE(Dialog.LookForWindow->text(), QString("Notes -"));
        QCOMPARE(Dialog.ExecMode->currentIndex(), 1);
        QStringList Modes;
        for (int I = 0; I < Dialog.ExecMode->count(); ++I) {
            Modes << Dialog.ExecMode->itemText(I);
        }
        QCOMPARE(Modes, QStringList({"normal", "maximized", "minimized", "normal (no activate)",
                                     "minimized (no activate)"}));
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Name);
    }

    void acceleratorsReachTheirFieldsAndTheFolderButtonsTakeNoFocus() {
        auto Owned = SampleCommand();
        TOpenDialog Dialog(*Owned);
        QTest::keyClick(Dialog.Name, Qt::Key_F, Qt::AltModifier);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Exec);
        QTest::keyClick(Dialog.Exec, Qt::Key_X, Qt::AltModifier);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.ExecMode);
        QTest::keyClick(Dialog.ExecMode, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.LookForWindow);
        QTest::keyClick(Dialog.LookForWindow, Qt::Key_D, Qt::AltModifier);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Directory);
        QTest::keyClick(Dialog.Directory, Qt::Key_Tab);
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.ExecMode);
        QCOMPARE(Child<QToolButton>(Dialog.Form, "BtnBrowse")->focusPolicy(), Qt::NoFocus);
    }

    void testButtonListsTheMatchesTopmostFirstAndChangesNothing() {
        auto Owned = SampleCommand();
        TOpenDialog Dialog(*Owned);
        QVERIFY(!Child<QPushButton>(Dialog.Form, "BtnTest")->isEnabled());
        // Three windows, the one on top without a title.
        test::FakeDesktopWindows Desktop;
        Desktop.Desktop = {
            .Windows = {{.Handle = 1, .Title = "", .Instance = "xterm", .Class = "XTerm"},
                        {.Handle = 2, .Title = "mail - Firefox", .Instance = "Navigator", .Class = "firefox"},
                        {.Handle = 3, .Title = "~/src", .Instance = "xterm", .Class = "XTerm"}},
            .Active = 3};
        Dialog.Form.SetDesktopWindows(&Desktop);

        Dialog.LookForWindow->setText("class:XTERM");
        TMatchesShown Shown = ClickTest(Dialog.Form);
        QVERIFY(Shown.Heading.contains("\"class:XTERM\""));
        QCOMPARE(Shown.Items, QStringList({"(no title)   [xterm.XTerm]", "~/src   [xterm.XTerm]"}));

        Dialog.LookForWindow->setText("thunderbird");
        Shown = ClickTest(Dialog.Form);
        QVERIFY(Shown.Heading.contains("the program would be started"));
        QVERIFY(Shown.Items.isEmpty());
        QVERIFY(Desktop.Restored.empty());
        QCOMPARE(Snapshot(*Owned), Snapshot(*SampleCommand()));
        QVERIFY(!Child<QLabel>(Dialog.Form, "Label6")->toolTip().isEmpty());
    }

    void okWritesEveryFieldBack() {
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        TOpenDialog Dialog(Command);
        Dialog.Name->setText("Editor");
        Dialog.Exec->setText("gedit");
        Dialog.Parameters->clear();
        Dialog.Directory->setText("%HOME%");
        Dialog.LookForWindow->setText("gedit");
        Dialog.ExecMode->setCurrentIndex(4);
        Dialog.Click("BtnOK");
        QCOMPARE(Dialog.Form.result(), int(QDialog::Accepted));
        QCOMPARE(Snapshot(Command), std::string("3|Editor|gedit||%HOME%|gedit|4"));
    }

    void okReportsOnlyTheFirstEmptyRequiredField() {
        TMessageBoxScript Boxes;
        THotKeyCommand Command;
        TOpenDialog Dialog(Command);
        QCOMPARE(Dialog.ExecMode->currentText(), QString("normal"));
        Dialog.Click("BtnOK");
        QCOMPARE(Boxes.Shown().size(), size_t{1});
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Name);
        QVERIFY(Dialog.Form.isVisible());

        Dialog.Name->setText("Editor");
        Dialog.Click("BtnOK");
        QCOMPARE(Boxes.Shown().size(), size_t{2});
        QCOMPARE(Dialog.Form.focusWidget(), Dialog.Exec);
        QVERIFY(Dialog.Form.isVisible());
        QCOMPARE(Snapshot(Command), std::string("-1||||||0"));

        Dialog.Exec->setText("gedit");
        Dialog.Click("BtnOK");
        QVERIFY(!Dialog.Form.isVisible());
        QCOMPARE(Command.Name, std::string("Editor"));
        QCOMPARE(Boxes.Shown().size(), size_t{2});
    }

    void execModeOutsideTheListSelectsNothingAndStoresMinusOne() {
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        Command.ExecMode = 7;
        TOpenDialog Dialog(Command);
        QCOMPARE(Dialog.ExecMode->currentIndex(), -1);
        Dialog.Click("BtnOK");
        QCOMPARE(Command.ExecMode, -1);
    }

    void cancelAfterTypingLeavesTheCommand() {
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        TOpenDialog Dialog(Command);
        QTest::keyClicks(Dialog.Name, "more");
        Dialog.ExecMode->setCurrentIndex(0);
        QTest::keyClick(Dialog.Name, Qt::Key_Escape);
        QCOMPARE(Dialog.Form.result(), int(QDialog::Rejected));
        QCOMPARE(Snapshot(Command), Snapshot(*SampleCommand()));
    }

    // Text from a Windows file is not UTF-8; untouched it goes back as the same bytes.
    void untouchedWindowsTextKeepsItsBytes() {
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        Command.Name =
            "Gr\xF6\xDF"
            "e";
        TOpenDialog Dialog(Command);
        QCOMPARE(Dialog.Name->text(), QString::fromUtf8("Größe"));
        Dialog.Click("BtnOK");
        QCOMPARE(Command.Name, std::string("Gr\xF6\xDF"
                                           "e"));
    }

    void fileDialogFillsOnlyTheFileField() {
        test::TempDir Folder;
        const QString Tool = test::QtFile(Folder, "tool");
        WriteFile(Tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        TOpenDialog Dialog(Command);
        Dialog.Exec->setText(Tool);
        QString Title;
        QStringList Filters;
        WhenModal<TFileBrowseDialog>([&](TFileBrowseDialog& Files) {
            Title = Files.windowTitle();
            Filters = Files.nameFilters();
            QMetaObject::invokeMethod(&Files, "accept");
        });
        Dialog.Exec->setText(Tool);
        Dialog.Click("BtnBrowse");
        QCOMPARE(Title, QString("Browse for file"));
        QCOMPARE(Filters.size(), 4);
        QCOMPARE(Dialog.Exec->text(), Tool);
        QCOMPARE(Dialog.Directory->text(), QString("/tmp"));
        QCOMPARE(Dialog.Parameters->text(), QString("--new"));
    }

    void cancelledFileDialogChangesNothing() {
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        TOpenDialog Dialog(Command);
        WhenModal<TFileBrowseDialog>([](TFileBrowseDialog& Files) { Files.reject(); });
        Dialog.Click("BtnBrowse");
        QCOMPARE(Dialog.Exec->text(), QString("%HOME%/bin/notes"));
    }

    void folderBrowserStartsAtTheDirectoryAndFillsTheField() {
        test::TempDir Folder;
        QVERIFY(QDir(test::QtPath(Folder)).mkpath("work/reports"));
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        TOpenDialog Dialog(Command);
        Dialog.Directory->setText(test::QtFile(Folder, "work"));
        std::string Preselected;
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Browser) {
            Preselected = Browser.SelectedItem().Path;
            Browser.SetSelection(test::QtFile(Folder, "work/reports").toStdString());
            Child<QPushButton>(Browser, "OK")->click();
        });
        Dialog.Click("BtnBrowseDirectory");
        QCOMPARE(Preselected, test::QtFile(Folder, "work").toStdString());
        QCOMPARE(Dialog.Directory->text(), test::QtFile(Folder, "work/reports"));
        QCOMPARE(Dialog.Exec->text(), QString("%HOME%/bin/notes"));
    }

    // Typed letters find the entry, Return takes it, and the check box asks for its windows.
    void pickerFindsAnApplicationByNameAndFillsTheCommand() {
        THotKeyCommand Command;
        TOpenDialog Dialog(Command);
        int Listed = 0;
        WhenModal<TFormApplicationPicker>([&](TFormApplicationPicker& Picker) {
            auto* Search = Child<QLineEdit>(Picker, "TxtSearch");
            Listed = Child<QListWidget>(Picker, "LBApplications")->count();
            QTest::keyClicks(Search, "math");
            for (int I = 0; I < 4; ++I) {
                QTest::keyClick(Search, Qt::Key_Backspace);
            }
            QTest::keyClicks(Search, "text");
            Child<QCheckBox>(Picker, "CBRunOrRaise")->setChecked(true);
            QTest::keyClick(Search, Qt::Key_Return);
        });
        // The button's shortcut clicks it a moment later.
        QTest::keyClick(Dialog.Name, Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(Dialog.Exec->text(), Editor);
        QCOMPARE(Listed, 3);
        QCOMPARE(Dialog.LookForWindow->text(), QString("class:TextEd"));
        QCOMPARE(Dialog.Name->text(), QString("Text Editor"));
    }

    // A file that names an application offers that application's windows, and says what else fits.
    void windowTextOffersTheClassOfTheApplication() {
        THotKeyCommand Command;
        TOpenDialog Dialog(Command);
        auto* Use = Dialog.Form.findChild<QAction*>("UseWindowClass");
        QCOMPARE(Dialog.LookForWindow->placeholderText(), QString("title text, or class:NAME"));
        QVERIFY(!Use->isVisible());
        Dialog.Exec->setText("org.example.Viewer");
        QVERIFY(Dialog.LookForWindow->placeholderText().endsWith("class:org.example.Viewer"));
        QVERIFY(Use->isVisible());
        Use->trigger();
        QCOMPARE(Dialog.LookForWindow->text(), QString("class:org.example.Viewer"));
        QVERIFY(!Use->isVisible());
    }

    void folderBrowserWithoutAnExistingDirectoryAndCancelled() {
        auto Owned = SampleCommand();
        THotKeyCommand& Command = *Owned;
        TOpenDialog Dialog(Command);
        Dialog.Directory->setText("/no/such/folder");
        std::string Preselected;
        WhenModal<TFolderBrowserDialog>([&](TFolderBrowserDialog& Browser) {
            Preselected = Browser.SelectedItem().Path;
            Child<QPushButton>(Browser, "Cancel")->click();
        });
        Dialog.Click("BtnBrowseDirectory");
        QCOMPARE(Preselected, QDir::homePath().toStdString());
        QCOMPARE(Dialog.Directory->text(), QString("/no/such/folder"));
    }
};

TULMA_QTEST_MAIN(HotKeyCommandTest)
#include "HotKeyCommandTest.moc"
