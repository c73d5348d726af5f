#pragma once

#include <string>

namespace tulma {

class THotKeyFile;

// The one current hotkey file of the program and the path it belongs to.
THotKeyFile& HotKeyFile();
std::string& HotKeyFileName();
// Whether HotKeyFileName is the default file that start-up settled.
bool UsesDefaultHotKeyFile();

// Makes an empty current file named "KeyList.TUL" and loads it if it exists. The file lies in
// ProgramDirectory, or in the user's configuration folder when the program may not write there
// (DefaultHotKeyFileName).
void InitHotKeyModule(const std::string& ProgramDirectory);
// Frees the current file with all its hotkeys and commands.
void EndHotKeyModule();

// Replaces the current file by the one at HotKeyFileName when that exists. A file that cannot be
// read, or that holds something else, raises its error and leaves the current file as it was; it is
// remembered as unreadable until it loads or its bytes are kept by a save.
void LoadHotKeyFile();
// Writes the current file to HotKeyFileName; a failure leaves the file on disk as it was. Saving the
// default file first makes its folder when that is missing. The first save over a file that could not
// be read first copies its bytes beside it (KeepDamagedCopy) and returns the copy's name, otherwise
// the empty text; when the copy cannot be made, its error is raised and nothing is written.
std::string SaveHotKeyFile();
// The name under which the next SaveHotKeyFile would keep the file at HotKeyFileName because it could
// not be read, or the empty text.
std::string CopyKeptBySave();

}  // namespace tulma
