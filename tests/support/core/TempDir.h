#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace tulma::test {

// A fresh directory for one test, removed with everything in it afterwards (also when a test took away
// its permissions).
class TempDir {
  public:
    TempDir() {
        std::string Pattern = (std::filesystem::temp_directory_path() / "tulma-test-XXXXXX").string();
        if (mkdtemp(Pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a temporary directory from " + Pattern);
        }
        FPath = Pattern;
    }
    ~TempDir() {
        std::error_code Ignored;
        std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, Ignored);
        std::filesystem::remove_all(FPath, Ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }
    // Writes Text into the file Name (made executable when asked) and returns its path.
    std::string Write(const std::string& Name, const std::string& Text, bool Executable = false) const {
        const std::string Written = File(Name);
        std::ofstream(Written) << Text;
        if (Executable) {
            std::filesystem::permissions(Written, std::filesystem::perms::owner_exec,
                                         std::filesystem::perm_options::add);
        }
        return Written;
    }

  private:
    std::filesystem::path FPath;
};

}  // namespace tulma::test
