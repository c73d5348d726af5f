#include "WindowListing.h"

#include <stdexcept>

#include "DesktopApplication.h"
#include "DesktopBackends.h"
#include "DesktopWindows.h"
#include "WindowMatch.h"

namespace tulma {

int PrintMatchingWindows(IDesktopWindows& Windows, const std::string& Text, std::ostream& Out) {
    const auto Desktop = Windows.Snapshot().Windows;
    const auto Listed = Text.empty() ? Desktop : MatchingWindows(Desktop, Text);
    for (const TWindowInfo& Window : Listed) {
        Out << WindowLine(Window) << '\n';
    }
    return Listed.empty() ? 1 : 0;
}

int ListWindows(const std::string& Text, int& Argc, char** Argv, std::ostream& Out) {
    const auto Application = DesktopApplication(Argc, Argv);
    TDesktopBackends Desktop({.NeedHotKeys = false});
    if (!Desktop.HasWindows()) {
        throw std::runtime_error("no window list can be read here: " + NoWindowsReason(Desktop.Choice()));
    }
    return PrintMatchingWindows(Desktop.Windows(), Text, Out);
}

}  // namespace tulma
