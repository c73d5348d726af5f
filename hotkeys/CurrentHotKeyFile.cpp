#include "CurrentHotKeyFile.h"

#include <filesystem>
#include <memory>
#include <set>

#include "DamagedFileCopy.h"
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

// The files that failed to load and whose bytes have not been copied aside since, by full path: the
// first save over one of them copies it first, so that no unreadable file is lost to a save.
std::set<std::string>& UnreadableFiles() {
    static std::set<std::string> Files;
    return Files;
}

std::string FullPath(const std::string& FileName) {
    std::error_code Error;
    const auto Path = std::filesystem::weakly_canonical(std::filesystem::absolute(FileName, Error), Error);
    return Error ? FileName : Path.string();
}

bool IsUnreadable(const std::string& FileName) {
    std::error_code Ignored;
    return UnreadableFiles().contains(FullPath(FileName)) &&
           std::filesystem::is_regular_file(FileName, Ignored);
}

// Copies the file at HotKeyFileName aside when it could not be read; the copy's name, or empty.
std::string KeepUnreadableFile() {
    std::string Copy;
    if (IsUnreadable(HotKeyFileName())) {
        Copy = KeepDamagedCopy(HotKeyFileName());
    }
    UnreadableFiles().erase(FullPath(HotKeyFileName()));
    return Copy;
}

// The hotkey file object of the stream loaded from FileName. A failure names the file: whether it holds
// no hotkey file at all, or a damaged one.
std::unique_ptr<THotKeyFile> ReadHotKeyFile(TObjectStream& Stream, const std::string& FileName) {
    const std::vector<uint8_t>& Bytes = Stream.Bytes();
    const bool HotKeyFileFirst = Bytes.size() >= 4 && Bytes[0] == (THotKeyFile::ClassCode & 0xFF) &&
                                 Bytes[1] == 0 && Bytes[2] == 0 && Bytes[3] == 0;
    try {
        return Stream.ReadObjectOf<THotKeyFile>();
    } catch (const std::runtime_error& Error) {
        if (!HotKeyFileFirst) {
            throw EFileContentError(TProgramText::NotAHotKeyFile, FileName, Error.what());
        }
        if (std::string(Error.what()).find(FileName) == std::string::npos) {
            throw EFileContentError(TProgramText::DamagedHotKeyFile, FileName, Error.what());
        }
        throw;
    }
}

}  // namespace

THotKeyFile& HotKeyFile() {
    return *CurrentFile();
}

std::string& HotKeyFileName() {
    static std::string FileName;
    return FileName;
}

bool UsesDefaultHotKeyFile() {
    return HotKeyFileName() == DefaultFileName();
}

void InitHotKeyModule(const std::string& ProgramDirectory) {
    DefaultFileName() = DefaultHotKeyFileName(ProgramDirectory);
    HotKeyFileName() = DefaultFileName();
    CurrentFile() = std::make_unique<THotKeyFile>();
    UnreadableFiles().clear();
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
    try {
        TObjectStream Stream(THotKeyFile::StreamSize);
        Stream.LoadFromFile(HotKeyFileName());
        CurrentFile() = ReadHotKeyFile(Stream, HotKeyFileName());
    } catch (...) {
        UnreadableFiles().insert(FullPath(HotKeyFileName()));
        throw;
    }
    UnreadableFiles().erase(FullPath(HotKeyFileName()));
}

std::string CopyKeptBySave() {
    return IsUnreadable(HotKeyFileName()) ? FreeDamagedCopyName(HotKeyFileName()) : std::string();
}

std::string SaveHotKeyFile() {
    TObjectStream Stream(THotKeyFile::StreamSize);
    Stream.WriteObject(HotKeyFile());
    if (HotKeyFileName() == DefaultFileName()) {
        CreatePrivateDirectories(std::filesystem::path(HotKeyFileName()).parent_path().string(),
                                 HotKeyFileName());
    }
    const std::string Copy = KeepUnreadableFile();
    Stream.SaveToFile(HotKeyFileName());
    return Copy;
}

}  // namespace tulma
