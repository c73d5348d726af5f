// Writes the hotkey files that seed the fuzzer's corpus, through the program's own save.
#include <iostream>
#include <string>

#include "ClassRegistration.h"
#include "CurrentHotKeyFile.h"
#include "HotKeyCommand.h"
#include "HotKeyFile.h"
#include "HotTulma.h"

namespace {

using namespace tulma;

void AddHotKey(const std::string& Name, uint16_t Key, int Commands) {
    auto HotKey = std::make_unique<THotTulma>();
    HotKey->Name = Name;
    HotKey->HotKey = Key;
    for (int C = 0; C < Commands; ++C) {
        auto Command = std::make_unique<THotKeyCommand>();
        Command->Name = Name + " command " + std::to_string(C);
        Command->Exec = C % 2 ? "%HOME%/bin/tool" : "/usr/bin/xterm";
        Command->Parameters = "-e \"echo hi\"";
        Command->Directory = C % 2 ? "/tmp" : "";
        Command->LookForWindow = C % 3 ? "Terminal" : "";
        Command->ExecMode = C % 5;
        HotKey->Commands().Add(std::move(Command));
    }
    HotKeyFile().HotKeyList().Add(std::move(HotKey));
}

void Save(const std::string& Directory, const std::string& Name) {
    HotKeyFileName() = Directory + "/" + Name;
    SaveHotKeyFile();
}

}  // namespace

int main(int ArgumentCount, char** Arguments) {
    if (ArgumentCount != 2) {
        std::cerr << "usage: fuzz_seed_writer DIRECTORY\n";
        return 2;
    }
    const std::string Directory = Arguments[1];
    RegisterAllClasses();
    Save(Directory, "empty.tul");
    AddHotKey("Editor", 0xC045, 1);
    Save(Directory, "one.tul");
    AddHotKey("Terminal", 0x6054, 3);
    AddHotKey("Browser", 0xA070, 0);
    HotKeyFile().MinimizeAtStartup = true;
    Save(Directory, "three.tul");
    return 0;
}
