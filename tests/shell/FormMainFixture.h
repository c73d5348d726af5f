#pragma once

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Application.h"
#include "ClassRegistration.h"
#include "CurrentHotKeyFile.h"
#include "FMain.h"
#include "FakeFileDialogs.h"
#include "HotKeyFile.h"
#include "HotTulma.h"
#include "MessageBoxFunction.h"
#include "MessageBoxScript.h"
#include "ObjectStream.h"
#include "PlatformFakes.h"
#include "ShellTestSupport.h"
#include "TempDir.h"

namespace tulma::test {

constexpr std::uint16_t CtrlAlt = 0xC000;

inline int32_t HotKeyCountOnDisk(const std::string& FileName) {
    TObjectStream Stream(THotKeyFile::StreamSize);
    Stream.LoadFromFile(FileName);
    return Stream.ReadObjectOf<THotKeyFile>()->HotKeyList().Count();
}

// The main window on fake desktop services, in a fresh program directory per test. A test class calls
// InitTestCase, Init and Cleanup from its slots of those names.
class FormMainFixture : public QObject {
  protected:
    std::unique_ptr<TempDir> Dir;
    std::unique_ptr<FakeHotKeyRegistry> Registry;
    std::unique_ptr<FakeDesktopWindows> Windows;
    std::unique_ptr<FakeLauncher> Launch;
    FakeLaunchFailures LaunchFailures;
    std::unique_ptr<FakeFileDialogs> Dialogs;
    std::unique_ptr<TAtomTable> Atoms;
    std::unique_ptr<TMessageBoxScript> Boxes;
    std::unique_ptr<TFormMain> Form;
    bool ShellAvailable = false;
    std::function<bool(QWidget*, THotTulma&)> Define;
    std::string BackendNotice;
    bool CompositorBindings = false;

    std::string DefaultFile() const { return Dir->File("KeyList.TUL"); }

    // The program directory holds DefaultHotKeys (when given) as its default file.
    void Start(const std::vector<THotKeyOutline>& DefaultHotKeys, bool Minimize = false,
               bool WithSaveQuestion = true) {
        if (!DefaultHotKeys.empty() || Minimize) {
            WriteHotKeyFile(DefaultFile(), DefaultHotKeys, Minimize);
        }
        InitHotKeyModule(Dir->Path().string());
        Form = std::make_unique<TFormMain>(TShellServices{
            .HotKeys = *Registry,
            .Windows = *Windows,
            .Launcher = *Launch,
            .LaunchFailures = LaunchFailures,
            .FileDialogs = *Dialogs,
            .ShellAvailable = [this] { return ShellAvailable; },
            .DefineHotKey = [this](QWidget* Owner, THotTulma& HotKey) { return Define(Owner, HotKey); },
            .CompositorBindings = CompositorBindings,
            .BackendNotice = BackendNotice,
            .Atoms = *Atoms,
        });
        InstallTestCatalogue(WithSaveQuestion);
        Boxes->ClearShown();
        Form->FormActivate();
    }

    QListWidget* List() const { return Form->findChild<QListWidget*>("LBListe"); }
    template <class T = QPushButton>
    T* Control(const char* Name) const {
        return Form->findChild<T*>(Name);
    }

    QStringList Rows() const {
        QStringList Result;
        for (int Row = 0; Row < List()->count(); ++Row) {
            Result << List()->item(Row)->text();
        }
        return Result;
    }

    // The tray menu's hotkey items, after the four fixed ones.
    QStringList MenuHotKeys() const {
        QStringList Result;
        const auto Items = Form->PopupMenu1().actions();
        for (qsizetype I = 4; I < Items.size(); ++I) {
            Result << Items[I]->text();
        }
        return Result;
    }

    static QWidget* NextTabStop(QWidget* Control) {
        QWidget* Next = Control->nextInFocusChain();
        while (!(Next->focusPolicy() & Qt::TabFocus) || Next->parentWidget() != Control->parentWidget()) {
            Next = Next->nextInFocusChain();
        }
        return Next;
    }

    QAction* MenuItem(const QString& Caption) const {
        for (QAction* Item : Form->PopupMenu1().actions()) {
            if (Item->text() == Caption) {
                return Item;
            }
        }
        return nullptr;
    }

    void Select(const QString& Prefix) {
        for (int Row = 0; Row < List()->count(); ++Row) {
            if (List()->item(Row)->text().startsWith(Prefix)) {
                List()->setCurrentRow(Row);
                return;
            }
        }
        QFAIL("no such row");
    }

    // Makes a change that needs saving: Alpha is deleted.
    void DeleteAlpha() {
        Select("Alpha");
        Boxes->SetNextAnswer(MessageBoxResult::Yes);
        Form->BtnDeleteClick();
        QVERIFY(Form->Modified());
        Boxes->ClearShown();
    }

    static auto Accept(const std::string& Name, std::uint16_t Key) {
        return [Name, Key](QWidget*, THotTulma& HotKey) {
            HotKey.Name = Name;
            HotKey.HotKey = Key;
            return true;
        };
    }

    void InitTestCase() {
        RegisterAllClasses();
        QPixmap Picture(16, 16);
        Picture.fill(Qt::red);
        QApplication::setWindowIcon(QIcon(Picture));
    }

    void Init() {
        Dir = std::make_unique<TempDir>();
        // The window reads the user's autostart entry; tests keep theirs in the test directory.
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(Dir->File("config")));
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("XDG_SESSION_TYPE");
        Registry = std::make_unique<FakeHotKeyRegistry>();
        Windows = std::make_unique<FakeDesktopWindows>();
        Launch = std::make_unique<FakeLauncher>();
        Dialogs = std::make_unique<FakeFileDialogs>();
        Atoms = std::make_unique<TAtomTable>();
        Boxes = std::make_unique<TMessageBoxScript>();
        ShellAvailable = false;
        BackendNotice.clear();
        Define = [](QWidget*, THotTulma&) { return false; };
    }

    void Cleanup() {
        Form.reset();
        Boxes.reset();
        EndHotKeyModule();
        Dir.reset();
    }
};

}  // namespace tulma::test
