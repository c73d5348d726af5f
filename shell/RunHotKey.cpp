#include "RunHotKey.h"

#include <optional>

#include "DesktopWindows.h"
#include "HotKeyCommand.h"
#include "HotTulma.h"
#include "Launcher.h"
#include "Text.h"

namespace tulma {
namespace {

// The SW_* number of each exec mode; a mode no dialog offers counts as "normal".
int ShowCommandOf(int32_t ExecMode) {
    constexpr int ShowCommands[] = {1, 3, 2, 8, 7};
    return ExecMode >= 0 && ExecMode < 5 ? ShowCommands[ExecMode] : 1;
}

std::optional<WindowHandle> FindWindow(const std::string& LookForWindow, DesktopWindows& Windows) {
    // Only the text's own characters count: a '*' in it is matched literally.
    const std::string Pattern = "*" + LookForWindow + "*";
    for (const WindowHandle Window : Windows.TopLevelWindows()) {
        const std::string Title = Windows.WindowTitle(Window);
        if (!Title.empty() && MatchesPattern(Title, Pattern)) {
            return Window;
        }
    }
    return std::nullopt;
}

std::string Expanded(const std::string& Text) {
    auto Value = TText::CreateWithText(Text);
    Value->ExpandEnvironment();
    return Value->GetText();
}

}  // namespace

void RunCommand(const THotKeyCommand& Command, DesktopWindows& Windows, Launcher& Launch) {
    if (!Command.LookForWindow.empty()) {
        if (const auto Window = FindWindow(Command.LookForWindow, Windows)) {
            Windows.RestoreAndActivate(*Window);
            return;
        }
    }
    Launch.ShellExecute(Expanded(Command.Exec), Expanded(Command.Parameters), Expanded(Command.Directory),
                        ShowCommandOf(Command.ExecMode));
}

void RunHotKey(const THotTulma& HotKey, DesktopWindows& Windows, Launcher& Launch) {
    const TIDList& Commands = HotKey.Commands();
    const int32_t Count = Commands.Count();
    for (int32_t I = 0; I < Count; ++I) {
        RunCommand(Commands.ItemAs<THotKeyCommand>(I), Windows, Launch);
    }
}

}  // namespace tulma
