#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tulma::test {

// A fresh directory under the system's temporary directory, removed with everything in it, that files
// are written into by name.
class ScratchDir {
  public:
    ScratchDir() {
        std::string Pattern = (std::filesystem::temp_directory_path() / "tulma-test-XXXXXX").string();
        Path = mkdtemp(Pattern.data()) != nullptr ? Pattern : std::string();
    }
    ~ScratchDir() {
        std::error_code Ignored;
        std::filesystem::remove_all(Path, Ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string operator/(const std::string& Name) const { return Path + "/" + Name; }
    std::string Write(const std::string& Name, const std::string& Text, bool Executable = false) const {
        const std::string File = *this / Name;
        std::ofstream(File) << Text;
        if (Executable) {
            std::filesystem::permissions(File, std::filesystem::perms::owner_exec,
                                         std::filesystem::perm_options::add);
        }
        return File;
    }

    std::string Path;
};

}  // namespace tulma::test
