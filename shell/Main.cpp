#include <QSystemTrayIcon>

#include <iostream>
#include <memory>

#include "Application.h"
#include "ClassRegistration.h"
#include "CommandLineFileName.h"
#include "CurrentHotKeyFile.h"
#include "DesktopBackends.h"
#include "DesktopReport.h"
#include "DisplaySession.h"
#include "FDefine.h"
#include "FInfo.h"
#include "FMain.h"
#include "GraphicalSession.h"
#include "HotKeyActivation.h"
#include "HotKeyServer.h"
#include "KeyComboText.h"
#include "LaunchFailureNotifier.h"
#include "NamedHotKeyRun.h"
#include "ProgramDirectory.h"
#include "ProgramIcon.h"
#include "ProgramOptions.h"
#include "QtFileDialogs.h"
#include "SecondStart.h"
#include "SessionEndSignals.h"
#include "TrayIcon.h"
#include "WindowListing.h"

namespace tulma {
namespace {

bool DefineHotKey(QWidget* Owner, THotTulma& HotKey, IDesktopWindows& Windows) {
    TFormHotKeyDefine Dialog(Owner);
    Dialog.SetDesktopWindows(&Windows);
    Dialog.SetHotKey(&HotKey);
    return Dialog.exec() == QDialog::Accepted;
}

// The file named on the command line becomes the current one. When it exists but cannot be read, the
// error is shown and the hotkeys and file name in use stay.
void OpenCommandLineFile(const std::string& Argument) {
    const std::string Previous = HotKeyFileName();
    HotKeyFileName() = CommandLineFileName(Argument, ProgramDirectory());
    if (!TApplication::RunGuarded(LoadHotKeyFile)) {
        HotKeyFileName() = Previous;
    }
}

int Run(const TProgramOptions& Options, int& Argc, char** Argv) {
    auto DisplayProbe = RequireGraphicalSession();
    TApplication Application(Argc, Argv);
    DisplayProbe.reset();
    Application.setQuitOnLastWindowClosed(false);

    RegisterAllClasses();
    TApplication::RunGuarded([] { InitHotKeyModule(ProgramDirectory()); });
    QApplication::setApplicationName("Tulma");
    QApplication::setWindowIcon(ProgramIcon());
    if (!Options.FileArgument.empty()) {
        OpenCommandLineFile(Options.FileArgument);
    }

    TDesktopBackends Desktop({.ForcedHotKeys = HotKeyBackendName(Options.HotKeys)});
    SetKeyNameLookup(Desktop.KeyNames());
    SetKeyEventLookup(Desktop.KeyCodes());
    IDesktopWindows& Windows = Desktop.Windows();
    TQtFileDialogs FileDialogs;
    TLaunchFailureNotifier LaunchFailures;
    const TShellServices Services{
        .HotKeys = Desktop.HotKeys(),
        .Windows = Windows,
        .Launcher = Desktop.Launcher(),
        .LaunchFailures = LaunchFailures,
        .FileDialogs = FileDialogs,
        .TrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
        .DefineHotKey = [&Windows](QWidget* Owner,
                                   THotTulma& HotKey) { return DefineHotKey(Owner, HotKey, Windows); },
        .DesktopShortcuts = Desktop.DesktopShortcuts(),
        .CompositorBindings = Desktop.CompositorBindings(),
        .BackendNotice = Desktop.Notice(),
    };
    auto FormMain = std::make_unique<TFormMain>(Services);
    LaunchFailures.SetFallback([&FormMain](const QString& Summary, const QString& Body) {
        FormMain->TrayIcon1().TrayItem().showMessage(Summary, Body);
    });
    QObject::connect(FormMain.get(), &TFormMain::Closed, &Application, &QApplication::quit);
    const auto TrayHostChanged = [&] {
        TApplication::RunGuarded([&] { FormMain->TrayIcon1().TrayHostChanged(); });
    };
    QObject::connect(&Desktop, &TDesktopBackends::TrayHostChanged, FormMain.get(), TrayHostChanged);
    QObject::connect(&Desktop, &TDesktopBackends::NoticeChanged, FormMain.get(),
                     [&] { FormMain->ShowBackendNotice(Desktop.Notice()); });
    FormMain->SetAboutBox([] { return std::make_unique<TFormInfo>(); });
    const THotKeyServer Server(
        [&](const std::string& Name) { return FormMain->Activation().RunHotKey(Name); },
        [&](const std::string& FileName) {
            if (!NamesFileInUse(FileName, HotKeyFileName())) {
                return false;
            }
            FormMain->BringForward();
            return true;
        });
    FormMain->ShowAtStart();

    const TSessionEndSignals SessionEnd;
    const int Result = Application.exec();
    EndHotKeyModule();
    FormMain.reset();
    return Result;
}

int Start(int Argc, char** Argv) {
    const TProgramOptions Options = ParseProgramOptions({Argv + 1, Argv + Argc});
    PreferX11Platform();
    // The arguments are the program's own: Qt sees none of them, so that no hotkey or file name is
    // taken for one of its options ("-name", "-style"...).
    int QtArgc = 1;
    switch (Options.Action) {
        case TProgramOptions::TAction::Help:
            std::cout << UsageText();
            return 0;
        case TProgramOptions::TAction::Version:
            std::cout << VersionText();
            return 0;
        case TProgramOptions::TAction::RunHotKey:
            return RunNamedHotKey(Options, QtArgc, Argv);
        case TProgramOptions::TAction::ListWindows:
            return ListWindows(Options.FileArgument, QtArgc, Argv, std::cout);
        case TProgramOptions::TAction::Desktop:
            return PrintDesktopReport(Options, QtArgc, Argv, std::cout);
        case TProgramOptions::TAction::Start:
            if (ShowRunningTulma(Options.FileArgument)) {
                return 0;
            }
            break;
    }
    return Run(Options, QtArgc, Argv);
}

}  // namespace
}  // namespace tulma

int main(int Argc, char** Argv) {
    try {
        return tulma::Start(Argc, Argv);
    } catch (const tulma::EUsageError& Error) {
        std::cerr << "tulma: " << Error.what() << "\nTry 'tulma --help' for more information." << std::endl;
        return 2;
    } catch (const std::exception& Error) {
        std::cerr << "tulma: " << Error.what() << std::endl;
        return 1;
    }
}
