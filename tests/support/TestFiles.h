#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tulma::test {

std::vector<uint8_t> ReadFileBytes(const std::string& FileName);
void WriteFileBytes(const std::string& FileName, const std::vector<uint8_t>& Bytes);
void WriteTextFile(const std::string& FileName, const std::string& Text);
// The names of the files in Directory, sorted.
std::vector<std::string> FileNamesIn(const std::filesystem::path& Directory);

}  // namespace tulma::test
