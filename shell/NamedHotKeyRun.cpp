#include "NamedHotKeyRun.h"

#include <iostream>
#include <memory>

#include "ClassRegistration.h"
#include "CommandLineFileName.h"
#include "CurrentHotKeyFile.h"
#include "DesktopApplication.h"
#include "DesktopBackends.h"
#include "FindHotKey.h"
#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotKeySocketClient.h"
#include "HotTulma.h"
#include "LaunchFailureNotifier.h"
#include "ProgramDirectory.h"
#include "ProgramLanguage.h"
#include "ProgramOptions.h"
#include "QtText.h"

namespace tulma {
namespace {

int Fail(const std::string& Message) {
    std::cerr << "tulma: " << Message << std::endl;
    return 1;
}

std::string NoSuchHotKey(const TProgramOptions& Options) {
    return Options.HotKeyId ? "no hotkey has the identifier " + std::to_string(*Options.HotKeyId)
                            : "no hotkey is named \"" + Options.HotKeyName + "\"";
}

const THotTulma* AskedHotKey(const TProgramOptions& Options) {
    if (Options.HotKeyId) {
        return dynamic_cast<const THotTulma*>(HotKeyFile().HotKeyList().GetByID(*Options.HotKeyId));
    }
    return FindHotKey(HotKeyFile().HotKeyList(), Options.HotKeyName);
}

TRunReply AskRunningTulma(const TProgramOptions& Options) {
    if (!Options.HotKeyId) {
        return SendRunRequest(Options.HotKeyName);
    }
    return SendRunIdRequest(*Options.HotKeyId,
                            Options.FileArgument.empty()
                                ? std::string()
                                : CommandLineFileName(Options.FileArgument, WorkingDirectory()));
}

// The first window text that a command of the hotkey looks for; empty when none does.
std::string WindowSearched(const THotTulma& HotKey) {
    for (int32_t I = 0; I < HotKey.Commands().Count(); ++I) {
        if (const auto& Command = HotKey.Commands().ItemAs<THotKeyCommand>(I);
            !Command.LookForWindow.empty()) {
            return Command.LookForWindow;
        }
    }
    return {};
}

int RunHere(const TProgramOptions& Options, int& Argc, char** Argv) {
    const auto Application = DesktopApplication(Argc, Argv);
    const TProgramLanguage Language(TProgramLanguage::UserLocale(),
                                    QString::fromStdString(ProgramDirectory()));
    RegisterAllClasses();
    InitHotKeyModule(ProgramDirectory());
    if (!Options.FileArgument.empty()) {
        HotKeyFileName() = CommandLineFileName(Options.FileArgument, WorkingDirectory());
        LoadHotKeyFile();
    }
    const THotTulma* HotKey = AskedHotKey(Options);
    if (HotKey == nullptr) {
        return Fail(NoSuchHotKey(Options) + " in " + HotKeyFileName());
    }
    TDesktopBackends Desktop({.NeedHotKeys = false});
    if (const std::string Text = WindowSearched(*HotKey); !Text.empty() && !Desktop.HasWindows()) {
        return Fail("hotkey \"" + ToQString(HotKey->Name).toStdString() + "\" looks for the window \"" +
                    Text + "\", and no window list can be read here (" + NoWindowsReason(Desktop.Choice()) +
                    "): nothing was run");
    }
    // The program ends right after the run, so a notification must be out before.
    TLaunchFailureNotifier LaunchFailures(TNotificationDelivery::Wait);
    HotKey->ExecuteHotKey(Desktop.Windows(), Desktop.Launcher(), LaunchFailures);
    Desktop.WaitForLaunches();
    return 0;
}

}  // namespace

int RunNamedHotKey(const TProgramOptions& Options, int& Argc, char** Argv) {
    switch (AskRunningTulma(Options)) {
        case TRunReply::Ran:
            return 0;
        case TRunReply::Unknown:
            return Fail(NoSuchHotKey(Options) + " in the running Tulma");
        case TRunReply::NoAnswer:
            return Fail("the running Tulma did not answer");
        case TRunReply::NoServer:
        case TRunReply::OtherFile:
            break;
    }
    try {
        return RunHere(Options, Argc, Argv);
    } catch (const std::exception& Error) {
        return Fail(Error.what());
    }
}

}  // namespace tulma
