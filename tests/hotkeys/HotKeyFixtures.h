#pragma once

#include <memory>
#include <string>

#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotTulma.h"

namespace tulma::test {

inline std::unique_ptr<THotKeyCommand> Command(const std::string& Name, const std::string& Exec) {
    auto Result = std::make_unique<THotKeyCommand>();
    Result->Name = Name;
    Result->Exec = Exec;
    return Result;
}

inline std::unique_ptr<THotTulma> HotKey(const std::string& Name, uint16_t Key) {
    auto Result = std::make_unique<THotTulma>();
    Result->Name = Name;
    Result->HotKey = Key;
    return Result;
}

// The file of the format description's worked example: "Editor" on Ctrl+Alt+E starting notepad.exe.
inline std::unique_ptr<THotKeyFile> WorkedExample() {
    auto File = std::make_unique<THotKeyFile>();
    auto Editor = HotKey("Editor", 0xC045);
    Editor->Commands().Add(Command("Notepad", "notepad.exe"));
    File->HotKeyList().Add(std::move(Editor));
    return File;
}

}  // namespace tulma::test
