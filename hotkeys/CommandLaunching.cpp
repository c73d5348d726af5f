#include <optional>

#include "DesktopWindows.h"
#include "HotKeyCommand.h"
#include "HotTulma.h"
#include "LaunchFailureReport.h"
#include "Launcher.h"
#include "Text.h"

namespace tulma {
namespace {

// The show command (Windows SW_* number) of each exec mode; a mode from elsewhere shows normally.
int ShowCommandFor(int32_t ExecMode) {
    constexpr int ShowCommands[] = {1, 3, 2, 8, 7};
    return ExecMode >= 0 && ExecMode < static_cast<int32_t>(std::size(ShowCommands)) ? ShowCommands[ExecMode]
                                                                                     : 1;
}

// The first window, from the top, whose title contains Text, case ignored.
std::optional<WindowHandle> FindWindowWithTitleText(DesktopWindows& Windows, const std::string& Text) {
    const std::string Pattern = "*" + Text + "*";
    for (const WindowHandle Window : Windows.TopLevelWindows()) {
        const std::string Title = Windows.WindowTitle(Window);
        if (!Title.empty() && MatchesPattern(Title, Pattern)) {
            return Window;
        }
    }
    return std::nullopt;
}

std::string Expanded(const std::string& Value) {
    auto Text = TText::CreateWithText(Value);
    Text->ExpandEnvironment();
    return Text->GetText();
}

}  // namespace

LaunchResult THotKeyCommand::ExecuteCommand(DesktopWindows& Windows, Launcher& Launch) const {
    if (!LookForWindow.empty()) {
        if (const auto Found = FindWindowWithTitleText(Windows, LookForWindow)) {
            Windows.RestoreAndActivate(*Found);
            return {true, {}};
        }
    }
    return Launch.ShellExecute(Expanded(Exec), Expanded(Parameters), Expanded(Directory),
                               ShowCommandFor(ExecMode));
}

void THotTulma::ExecuteHotKey(DesktopWindows& Windows, Launcher& Launch,
                              LaunchFailureReport& Failures) const {
    const int32_t Count = Commands().Count();
    for (int32_t I = 0; I < Count; ++I) {
        const auto& Command = Commands().ItemAs<THotKeyCommand>(I);
        if (LaunchResult Result = Command.ExecuteCommand(Windows, Launch); !Result.Started) {
            Failures.CommandFailed({Name, Command.Exec, std::move(Result.Reason)});
        }
    }
}

}  // namespace tulma
