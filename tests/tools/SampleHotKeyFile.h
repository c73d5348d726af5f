#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "HotKeyFile.h"
#include "Json.h"

namespace tulma::test {

// One hotkey, ID 0 "Editor" on Ctrl+Alt+E, with one command, ID 0 "Notepad" starting notepad.exe.
std::unique_ptr<THotKeyFile> MakeEditorHotKeyFile();
// Its 111 data bytes as a hotkey file holds them.
std::vector<uint8_t> EditorHotKeyFileBytes();
// The same file with the command in the older layout that ended after ExecMode (version 100).
std::vector<uint8_t> EditorHotKeyFileBytesInLayout100();
// Its JSON form.
TJson EditorHotKeyFileJson();

}  // namespace tulma::test
