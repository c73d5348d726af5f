#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tulma::test {

// A fresh directory for one test, removed with everything in it afterwards.
class TTemporaryDirectory {
  public:
    TTemporaryDirectory();
    ~TTemporaryDirectory();
    TTemporaryDirectory(const TTemporaryDirectory&) = delete;
    TTemporaryDirectory& operator=(const TTemporaryDirectory&) = delete;

    std::string File(const std::string& Name) const { return (FPath / Name).string(); }
    // The names of the files in the directory, sorted.
    std::vector<std::string> Listing() const;

  private:
    std::filesystem::path FPath;
};

std::vector<uint8_t> ReadFileBytes(const std::string& FileName);
void WriteFileBytes(const std::string& FileName, const std::vector<uint8_t>& Bytes);
void WriteTextFile(const std::string& FileName, const std::string& Text);

}  // namespace tulma::test
