#pragma once

namespace tulma {

// How a started program's first window is shown, with the Windows SW_* numbers that commands store.
enum class ShowCommand : int {
    ShowNormal = 1,       // SW_SHOWNORMAL
    ShowMinimized = 2,    // SW_SHOWMINIMIZED
    ShowMaximized = 3,    // SW_SHOWMAXIMIZED
    ShowMinNoActive = 7,  // SW_SHOWMINNOACTIVE
    ShowNoActivate = 8,   // SW_SHOWNA
    Restore = 9,          // SW_RESTORE
};

// Any number that is not one of the five start modes counts as ShowNormal.
constexpr ShowCommand ShowCommandFromNumber(int Number) {
    switch (Number) {
        case 2:
            return ShowCommand::ShowMinimized;
        case 3:
            return ShowCommand::ShowMaximized;
        case 7:
            return ShowCommand::ShowMinNoActive;
        case 8:
            return ShowCommand::ShowNoActivate;
        default:
            return ShowCommand::ShowNormal;
    }
}

}  // namespace tulma
