#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tulma::test {

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir() {
        std::string Pattern = (std::filesystem::temp_directory_path() / "tulma-test-XXXXXX").string();
        FPath = mkdtemp(Pattern.data());
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

  private:
    std::filesystem::path FPath;
};

}  // namespace tulma::test
