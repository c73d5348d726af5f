#include "CurrentHotKeyFile.h"

#include <filesystem>
#include <memory>

#include "DefaultHotKeyFile.h"
#include "HotKeyFile.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

std::unique_ptr<THotKeyFile>& CurrentFile() {
    static std::unique_ptr<THotKeyFile> File = std::make_unique<THotKeyFile>();
    return File;
}

// The default file's name as start-up settled it: its folder is made when the file is first saved.
std::string& DefaultFileName() {
    static std::string FileName;
    return FileName;
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
    DefaultFileName() = DefaultHotKeyFileName(ProgramDirectory);
    HotKeyFileName() = DefaultFileName();
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
    if (HotKeyFileName() == DefaultFileName()) {
        CreatePrivateDirectories(std::filesystem::path(HotKeyFileName()).parent_path().string(),
                                 HotKeyFileName());
    }
    Stream.SaveToFile(HotKeyFileName());
}

}  // namespace tulma
