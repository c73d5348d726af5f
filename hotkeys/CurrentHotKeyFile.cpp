#include "CurrentHotKeyFile.h"

#include <filesystem>
#include <memory>

#include "HotKeyFile.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

std::unique_ptr<THotKeyFile>& CurrentFile() {
    static std::unique_ptr<THotKeyFile> File = std::make_unique<THotKeyFile>();
    return File;
}

}  // namespace

THotKeyFile& HotKeyFile() {
    return *CurrentFile();
}

std::string& HotKeyFileName() {
    static std::string FileName;
    return FileName;
}

void InitHotKeyModule(const std::string& ProgramDirectory) {
    HotKeyFileName() = (std::filesystem::path(ProgramDirectory) / "KeyList.TUL").string();
    CurrentFile() = std::make_unique<THotKeyFile>();
    LoadHotKeyFile();
}

void EndHotKeyModule() {
    CurrentFile() = std::make_unique<THotKeyFile>();
}

void LoadHotKeyFile() {
    std::error_code Ignored;
    if (!std::filesystem::exists(HotKeyFileName(), Ignored)) {
        return;
    }
    TObjectStream Stream(THotKeyFile::StreamSize);
    Stream.LoadFromFile(HotKeyFileName());
    CurrentFile() = Stream.ReadObjectOf<THotKeyFile>();
}

void SaveHotKeyFile() {
    TObjectStream Stream(THotKeyFile::StreamSize);
    Stream.WriteObject(HotKeyFile());
    Stream.SaveToFile(HotKeyFileName());
}

}  // namespace tulma
