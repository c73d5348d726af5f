#pragma once

namespace tulma {

class DesktopWindows;
class Launcher;
class THotKeyCommand;
class THotTulma;

// Runs the hotkey's commands in list order; a command that fails does not stop the next one.
void RunHotKey(const THotTulma& HotKey, DesktopWindows& Windows, Launcher& Launch);

// Brings back the first window whose title contains the command's window text, case ignored; when there
// is none (or no text), starts the command's file with its environment references expanded.
void RunCommand(const THotKeyCommand& Command, DesktopWindows& Windows, Launcher& Launch);

}  // namespace tulma
