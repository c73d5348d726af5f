#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tulma::test {

struct THotKeyOutline {
    THotKeyOutline(std::string Name, std::uint16_t HotKey, std::string Exec, std::string Parameters = {},
                   std::string LookForWindow = {})
        : Name(std::move(Name)),
          HotKey(HotKey),
          Exec(std::move(Exec)),
          Parameters(std::move(Parameters)),
          LookForWindow(std::move(LookForWindow)) {}

    std::string Name;
    std::uint16_t HotKey = 0;
    std::string Exec;
    std::string Parameters;
    std::string LookForWindow;
};

// Writes a hotkey file holding the hotkeys in the given order, each with one command starting Exec
// unless a window matches LookForWindow.
void WriteHotKeyFile(const std::string& FileName, const std::vector<THotKeyOutline>& HotKeys,
                     bool MinimizeAtStartup = false);

// Replaces the program's catalogue by one with the messages the main window asks (0, 8, 9), leaving
// out message 0 when asked to.
void InstallTestCatalogue(bool WithSaveQuestion = true);

constexpr const char* SaveQuestionText = "Save the changed hotkeys?";
constexpr const char* NothingSelectedText = "Select a hotkey first.";
constexpr const char* ConfirmDeleteText = "Delete the selected hotkey?";

}  // namespace tulma::test
