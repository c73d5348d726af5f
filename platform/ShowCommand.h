#pragma once

namespace tulma {

// How a started program's first window is shown, with the Windows SW_* numbers that commands store.
enum class TShowCommand : int {
    ShowNormal = 1,       // SW_SHOWNORMAL
    ShowMinimized = 2,    // SW_SHOWMINIMIZED
    ShowMaximized = 3,    // SW_SHOWMAXIMIZED
    ShowMinNoActive = 7,  // SW_SHOWMINNOACTIVE
    ShowNoActivate = 8,   // SW_SHOWNA
    Restore = 9,          // SW_RESTORE
};

}  // namespace tulma
