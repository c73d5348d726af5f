#include <QSystemTrayIcon>

#include <iostream>
#include <memory>

#include "Application.h"
#include "ClassRegistration.h"
#include "CommandLineFileName.h"
#include "CurrentHotKeyFile.h"
#include "FDefine.h"
#include "FInfo.h"
#include "FMain.h"
#include "KeyComboText.h"
#include "ProgramDirectory.h"
#include "ProgramIcon.h"
#include "QtFileDialogs.h"
#include "QtX11.h"
#include "X11DesktopWindows.h"
#include "X11HotKeys.h"
#include "X11Launcher.h"

namespace tulma {
namespace {

bool DefineHotKey(QWidget* Owner, THotTulma& HotKey) {
    TFormHotKeyDefine Dialog(Owner);
    Dialog.SetHotKey(&HotKey);
    return Dialog.exec() == QDialog::Accepted;
}

// The file named by the first argument becomes the current one. When it exists but cannot be read,
// the error is shown and the hotkeys and file name in use stay.
void OpenCommandLineFile(const std::string& Argument) {
    const std::string Previous = HotKeyFileName();
    HotKeyFileName() = CommandLineFileName(Argument, ProgramDirectory());
    if (!TApplication::RunGuarded(LoadHotKeyFile)) {
        HotKeyFileName() = Previous;
    }
}

int Run(int Argc, char** Argv) {
    TApplication Application(Argc, Argv);
    Application.setQuitOnLastWindowClosed(false);
    SetKeyNameLookup(X11KeyNames());

    RegisterAllClasses();
    TApplication::RunGuarded([] { InitHotKeyModule(ProgramDirectory()); });
    QApplication::setApplicationName("Tulma");
    QApplication::setWindowIcon(ProgramIcon());
    if (Argc > 1 && Argv[1][0] != '\0') {
        OpenCommandLineFile(Argv[1]);
    }

    X11HotKeys HotKeys;
    X11DesktopWindows Windows(QtX11Connection(), [&HotKeys] { return HotKeys.LastPressTime(); });
    X11Launcher Launch(QtX11Connection());
    TQtFileDialogs FileDialogs;
    const TShellServices Services{
        .HotKeys = HotKeys,
        .Windows = Windows,
        .Launch = Launch,
        .FileDialogs = FileDialogs,
        .TrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
        .DefineHotKey = DefineHotKey,
    };
    auto FormMain = std::make_unique<TFormMain>(Services);
    QObject::connect(FormMain.get(), &TFormMain::Closed, &Application, &QApplication::quit);
    auto FormInfo = std::make_unique<TFormInfo>();
    FormMain->SetAboutBox(FormInfo.get());
    FormMain->show();

    const int Result = Application.exec();
    EndHotKeyModule();
    FormMain.reset();
    FormInfo.reset();
    return Result;
}

}  // namespace
}  // namespace tulma

int main(int Argc, char** Argv) {
    try {
        return tulma::Run(Argc, Argv);
    } catch (const std::exception& Error) {
        std::cerr << "tulma: " << Error.what() << std::endl;
        return 1;
    }
}
