#include <optional>

#include "DesktopWindows.h"
#include "HotKeyCommand.h"
#include "HotTulma.h"
#include "LaunchFailureReport.h"
#include "Launcher.h"
#include "Text.h"
#include "WindowMatch.h"

namespace tulma {
namespace {

// The show command of each exec mode; a mode from elsewhere shows normally.
TShowCommand ShowCommandFor(int32_t ExecMode) {
    constexpr TShowCommand ShowCommands[] = {TShowCommand::ShowNormal, TShowCommand::ShowMaximized,
                                             TShowCommand::ShowMinimized, TShowCommand::ShowNoActivate,
                                             TShowCommand::ShowMinNoActive};
    return ExecMode >= 0 && ExecMode < static_cast<int32_t>(std::size(ShowCommands))
               ? ShowCommands[ExecMode]
               : TShowCommand::ShowNormal;
}

// The window that the command's window text finds, or none: the next one of its cycle.
std::optional<TWindowHandle> FindWindowToRaise(IDesktopWindows& Windows, const std::string& Text,
                                               TWindowCycle& Cycle) {
    const TWindowSnapshot Desktop = Windows.Snapshot();
    const auto Matches = MatchingWindows(Desktop.Windows, Text);
    const TWindowInfo* Chosen = Cycle.Next(Matches, Desktop.Active);
    Windows.SearchDone(Text, Chosen);
    return Chosen != nullptr ? std::optional(Chosen->Handle) : std::nullopt;
}

std::string Expanded(const std::string& Value) {
    auto Text = TText::CreateWithText(Value);
    Text->ExpandEnvironment();
    return Text->GetText();
}

}  // namespace

TLaunchResult THotKeyCommand::ExecuteCommand(IDesktopWindows& Windows, ILauncher& Launcher) const {
    if (!LookForWindow.empty()) {
        if (const auto Found = FindWindowToRaise(Windows, LookForWindow, FWindowCycle)) {
            Windows.RestoreAndActivate(*Found);
            return {true, {}};
        }
    }
    return Launcher.Launch(Expanded(Exec), Expanded(Parameters), Expanded(Directory),
                           ShowCommandFor(ExecMode));
}

void THotTulma::ExecuteHotKey(IDesktopWindows& Windows, ILauncher& Launcher,
                              ILaunchFailureReport& Failures) const {
    const int32_t Count = Commands().Count();
    for (int32_t I = 0; I < Count; ++I) {
        const auto& Command = Commands().ItemAs<THotKeyCommand>(I);
        if (TLaunchResult Result = Command.ExecuteCommand(Windows, Launcher); !Result.Started) {
            Failures.CommandFailed({Name, Command.Exec, std::move(Result.Reason)});
        }
    }
}

}  // namespace tulma
