#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>
#include <iostream>
#include <memory>
#include <set>

#include "Application.h"
#include "AtomTable.h"
#include "ClassRegistration.h"
#include "CommandLineFileName.h"
#include "CurrentHotKeyFile.h"
#include "DefaultHotKeyFile.h"
#include "DesktopBackends.h"
#include "DesktopReport.h"
#include "DisplaySession.h"
#include "FDefine.h"
#include "FInfo.h"
#include "FMain.h"
#include "FailureNotices.h"
#include "GraphicalSession.h"
#include "HotKeyActivation.h"
#include "HotKeyCombinationCheck.h"
#include "HotKeyRegistry.h"
#include "HotKeySocket.h"
#include "HotKeySocketServer.h"
#include "KeyComboText.h"
#include "LaunchFailureNotifier.h"
#include "NamedHotKeyRun.h"
#include "PressRepeats.h"
#include "ProgramDirectory.h"
#include "ProgramIcon.h"
#include "ProgramLanguage.h"
#include "ProgramOptions.h"
#include "QtFileDialogs.h"
#include "SecondStart.h"
#include "SessionEndSignals.h"
#include "ShortcutGroup.h"
#include "TrayIcon.h"
#include "WindowListing.h"

namespace tulma {
namespace {

bool DefineHotKey(QWidget* Owner, THotTulma& HotKey, IDesktopWindows& Windows, ICombinationCheck& Check) {
    TFormHotKeyDefine Dialog(Owner);
    Dialog.SetDesktopWindows(&Windows);
    Dialog.SetCombinationCheck(&Check);
    Dialog.SetHotKey(&HotKey);
    return Dialog.exec() == QDialog::Accepted;
}

// The file named on the command line becomes the current one. When it exists but cannot be read, the
// error is shown and the hotkeys and file name in use stay.
void OpenCommandLineFile(const std::string& Argument) {
    const std::string Previous = HotKeyFileName();
    HotKeyFileName() = CommandLineFileName(Argument, WorkingDirectory());
    if (!TApplication::RunGuarded(LoadHotKeyFile)) {
        HotKeyFileName() = Previous;
    }
}

// What a desktop shortcut of a hotkey runs: the light press command beside the program, which reaches
// this Tulma on its socket (or runs the hotkey from the file when none runs). Each file named in one is
// noted in Named: Save As changes the name in use, not the shortcuts already written.
std::vector<std::string> PressCommand(const std::string& Key, std::set<std::string>& Named) {
    // Key is RegistrationKey(ID): the identifier follows its prefix.
    const std::string ID = Key.substr(RegistrationKey(0).size() - 1);
    Named.insert(HotKeyFileName());
    return {AddFileName("tulma-press"), HotKeySocketName().toStdString(), ID, HotKeyFileName()};
}

// Whether a shortcut naming FileName was written by this Tulma, so that its identifiers are the ones in use.
bool WrittenHere(const std::string& FileName, const std::set<std::string>& Named) {
    return std::any_of(Named.begin(), Named.end(),
                       [&](const std::string& One) { return NamesFileInUse(FileName, One); });
}

int Run(const TProgramOptions& Options, int& Argc, char** Argv) {
    auto Session = std::make_unique<TGraphicalSession>();
    TApplication Application(Argc, Argv);
    Session.reset();
    Application.setQuitOnLastWindowClosed(false);
    const TProgramLanguage Language(TProgramLanguage::UserLocale(),
                                    QString::fromStdString(ProgramDirectory()));

    RegisterAllClasses();
    TApplication::RunGuarded([] { InitHotKeyModule(ProgramDirectory()); });
    QApplication::setApplicationName("Tulma");
    // Names the desktop entry, which a Wayland desktop takes the window's icon and program from.
    QApplication::setDesktopFileName("tulma");
    QApplication::setWindowIcon(ProgramIcon());
    if (!Options.FileArgument.empty()) {
        OpenCommandLineFile(Options.FileArgument);
    }

    std::set<std::string> NamedInShortcuts;
    TDesktopBackends Desktop(
        {.ForcedHotKeyBackend = HotKeyBackendName(Options.HotKeyBackend),
         .ShortcutGroup =
             [] { return ShortcutGroup(HotKeyFileName(), DefaultHotKeyFileName(ProgramDirectory())); },
         .ShortcutGroupTitle = [] { return ShortcutGroupTitle(HotKeyFileName()); },
         .DesktopCommand = [&](const std::string& Key) { return PressCommand(Key, NamedInShortcuts); }});
    SetKeyNameLookup(Desktop.KeyNames());
    SetKeyEventLookup(Desktop.KeyCodes());
    IDesktopWindows& Windows = Desktop.Windows();
    TQtFileDialogs FileDialogs;
    TLaunchFailureNotifier LaunchFailures;
    IHotKeyRegistry& HotKeys = Desktop.HotKeys();
    std::unique_ptr<TFormMain> FormMain;
    const TShellServices Services{
        .HotKeys = HotKeys,
        .Windows = Windows,
        .Launcher = Desktop.Launcher(),
        .LaunchFailures = LaunchFailures,
        .FileDialogs = FileDialogs,
        .ShellAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
        .DefineHotKey =
            [&](QWidget* Owner, THotTulma& HotKey) {
                THotKeyCombinationCheck Check(FormMain->Activation(), HotKeys, TAtomTable::Global(),
                                              Desktop.DesktopShortcuts());
                return DefineHotKey(Owner, HotKey, Windows, Check);
            },
        .DesktopShortcuts = Desktop.DesktopShortcuts(),
        .CompositorBindings = Desktop.CompositorBindings(),
        .BackendNotice = Desktop.Notice(),
    };
    FormMain = std::make_unique<TFormMain>(Services);
    TellFailuresIn(*FormMain, LaunchFailures);
    QObject::connect(FormMain.get(), &TFormMain::Closed, &Application, &QApplication::quit);
    const auto TrayHostChanged = [&] {
        TApplication::RunGuarded([&] { FormMain->TrayIcon1().TrayHostChanged(); });
    };
    QObject::connect(&Desktop, &TDesktopBackends::TrayHostChanged, FormMain.get(), TrayHostChanged);
    const auto BackendNoticeChanged = [&] {
        FormMain->SetBackendNotice(Desktop.DesktopShortcuts(), Desktop.Notice());
    };
    QObject::connect(&Desktop, &TDesktopBackends::HotKeysHandedOver, FormMain.get(), BackendNoticeChanged);
    QObject::connect(&Desktop, &TDesktopBackends::NoticeChanged, FormMain.get(), BackendNoticeChanged);
    FormMain->SetAboutBox([] { return std::make_unique<TFormInfo>(); });
    TPressRepeats Repeats;
    const THotKeySocketServer Server(
        [&](const std::string& Name) { return FormMain->Activation().RunHotKey(Name); },
        [&](const std::string& FileName) {
            if (!NamesFileInUse(FileName, HotKeyFileName())) {
                return false;
            }
            FormMain->BringForward();
            return true;
        },
        [&](std::int32_t ID, const std::string& FileName) {
            using enum THotKeySocketServer::TRunIdAnswer;
            if (!WrittenHere(FileName, NamedInShortcuts)) {
                return OtherFile;
            }
            if (!Repeats.IsPress(ID, TPressRepeats::TClock::now())) {
                return Ran;
            }
            return FormMain->Activation().RunHotKeyId(ID) ? Ran : Unknown;
        });
    // A session's end quits as the Quit button does, with unsaved changes kept aside instead of asked about.
    const TSessionEndSignals SessionEnd;
    QObject::connect(&SessionEnd, &TSessionEndSignals::Ended, FormMain.get(),
                     [&] { FormMain->EndSession(); });
    FormMain->ShowAtStart();
    QTimer::singleShot(0, FormMain.get(),
                       [&] { TApplication::RunGuarded([&] { FormMain->OfferRecoveryCopy(); }); });

    const int Result = Application.exec();
    EndHotKeyModule();
    FormMain.reset();
    return Result;
}

int Start(int Argc, char** Argv) {
    const TProgramOptions Options = ParseProgramOptions({Argv + 1, Argv + Argc});
    ChooseQtPlatform();
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
        case TProgramOptions::TAction::ForgetDesktopShortcuts:
            std::cout << ForgetDesktopShortcuts() << std::endl;
            return 0;
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
