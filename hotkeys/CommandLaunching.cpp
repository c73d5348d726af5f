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

// The show command (Windows SW_* number) of each exec mode; a mode from elsewhere shows normally.
int ShowCommandFor(int32_t ExecMode) {
    constexpr int ShowCommands[] = {1, 3, 2, 8, 7};
    return ExecMode >= 0 && ExecMode < static_cast<int32_t>(std::size(ShowCommands)) ? ShowCommands[ExecMode]
                                                                                     : 1;
}

// The window that the command's window text finds, or none: the topmost match, or, while that one is
// active, the next one in turn.
std::optional<WindowHandle> FindWindowToRaise(IDesktopWindows& Windows, const std::string& Text) {
    const TWindowSnapshot Desktop = Windows.Snapshot();
    const auto Matches = MatchingWindows(Desktop.Windows, Text);
    const TWindowInfo* Chosen = WindowToRaise(Matches, Desktop.Active);
    Windows.SearchDone(Text, Chosen);
    return Chosen != nullptr ? std::optional(Chosen->Handle) : std::nullopt;
}

std::string Expanded(const std::string& Value) {
    auto Text = TText::CreateWithText(Value);
    Text->ExpandEnvironment();
    return Text->GetText();
}

}  // namespace

TLaunchResult THotKeyCommand::ExecuteCommand(IDesktopWindows& Windows, ILauncher& Launch) const {
    if (!LookForWindow.empty()) {
        if (const auto Found = FindWindowToRaise(Windows, LookForWindow)) {
            Windows.RestoreAndActivate(*Found);
            return {true, {}};
        }
    }
    return Launch.ShellExecute(Expanded(Exec), Expanded(Parameters), Expanded(Directory),
                               ShowCommandFor(ExecMode));
}

void THotTulma::ExecuteHotKey(IDesktopWindows& Windows, ILauncher& Launch,
                              ILaunchFailureReport& Failures) const {
    const int32_t Count = Commands().Count();
    for (int32_t I = 0; I < Count; ++I) {
        const auto& Command = Commands().ItemAs<THotKeyCommand>(I);
        if (TLaunchResult Result = Command.ExecuteCommand(Windows, Launch); !Result.Started) {
            Failures.CommandFailed({Name, Command.Exec, std::move(Result.Reason)});
        }
    }
}

}  // namespace tulma
