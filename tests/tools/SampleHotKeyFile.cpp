#include "SampleHotKeyFile.h"

#include "HotKeyCommand.h"
#include "HotTulma.h"

namespace tulma::test {

std::unique_ptr<THotKeyFile> MakeEditorHotKeyFile() {
    auto File = std::make_unique<THotKeyFile>();
    auto HotKey = std::make_unique<THotTulma>();
    HotKey->Name = "Editor";
    HotKey->HotKey = 0xC045;
    auto Command = std::make_unique<THotKeyCommand>();
    Command->Name = "Notepad";
    Command->Exec = "notepad.exe";
    HotKey->Commands().Add(std::move(Command));
    File->HotKeyList().Add(std::move(HotKey));
    return File;
}

std::vector<uint8_t> EditorHotKeyFileBytes() {
    return {
        0x9C, 0x00, 0x00, 0x00, 0x65, 0x00, 0x00, 0x00, 0x00, 0xEB, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00,
        0x00, 0x9B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x45, 0x64, 0x69,
        0x74, 0x6F, 0x72, 0x65, 0x00, 0x00, 0x00, 0x45, 0xC0, 0xEB, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00,
        0x00, 0xC9, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x4E, 0x6F, 0x74,
        0x65, 0x70, 0x61, 0x64, 0x65, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x6E, 0x6F, 0x74, 0x65,
        0x70, 0x61, 0x64, 0x2E, 0x65, 0x78, 0x65, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    };
}

std::vector<uint8_t> EditorHotKeyFileBytesInLayout100() {
    std::vector<uint8_t> Bytes = EditorHotKeyFileBytes();
    Bytes[68] = 100;
    Bytes.erase(Bytes.begin() + 91, Bytes.begin() + 103);
    return Bytes;
}

TJson EditorHotKeyFileJson() {
    return TJson::parse(R"({
        "class": "THotKeyFile",
        "MinimizeAtStartup": false,
        "HotKeyList": {
            "class": "TIDList",
            "Items": [{
                "class": "THotTulma", "ID": 0, "Name": "Editor", "HotKey": 49221,
                "Commands": {
                    "class": "TIDList",
                    "Items": [{
                        "class": "THotKeyCommand", "ID": 0, "Name": "Notepad", "Exec": "notepad.exe",
                        "ExecMode": 0, "Parameters": "", "Directory": "", "LookForWindow": ""
                    }],
                    "LastID": 0
                }
            }],
            "LastID": 0
        }
    })");
}

}  // namespace tulma::test
