#include "DamagedFileCopy.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

#include "Errors.h"
#include "FileReplacement.h"

namespace tulma {
namespace {

namespace fs = std::filesystem;

// Past this many copies of one file something else is wrong; the save is refused rather than
// searching on.
constexpr int MaxCopies = 1000;

std::string CopyName(const std::string& FileName, int Number) {
    const std::string Kept = FileName + ".damaged";
    return Number == 0 ? Kept : Kept + "." + std::to_string(Number);
}

std::vector<char> ReadAllBytes(const std::string& FileName) {
    std::ifstream File(FileName, std::ios::binary | std::ios::ate);
    const std::streamoff Length = File ? std::streamoff(File.tellg()) : -1;
    std::vector<char> Content(static_cast<size_t>(std::max<std::streamoff>(Length, 0)));
    if (Length < 0 || !File.seekg(0) || !File.read(Content.data(), Length)) {
        throw EFOpenError(FileName);
    }
    return Content;
}

}  // namespace

std::string FreeDamagedCopyName(const std::string& FileName) {
    std::error_code Ignored;
    int Number = 0;
    while (Number < MaxCopies && fs::exists(fs::symlink_status(CopyName(FileName, Number), Ignored))) {
        ++Number;
    }
    return CopyName(FileName, Number);
}

std::string KeepDamagedCopy(const std::string& FileName) {
    struct stat Original {};
    if (stat(FileName.c_str(), &Original) != 0) {
        throw EFOpenError(FileName);
    }
    const std::vector<char> Content = ReadAllBytes(FileName);
    const std::span Bytes(reinterpret_cast<const uint8_t*>(Content.data()), Content.size());
    for (int Number = 0; Number <= MaxCopies; ++Number) {
        const std::string Copy = CopyName(FileName, Number);
        // Made anew, never over a file of that name that appeared in the meantime.
        const int Error = WriteNewFile(Copy, Bytes, Original.st_mode & 07777);
        if (Error == EEXIST) {
            continue;
        }
        if (Error != 0) {
            throw EFCreateError(Copy);
        }
        return Copy;
    }
    throw EFCreateError(CopyName(FileName, MaxCopies));
}

}  // namespace tulma
