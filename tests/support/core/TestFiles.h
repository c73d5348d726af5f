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
// How many lines File holds; 0 when it does not exist.
int LineCount(const std::filesystem::path& File);

}  // namespace tulma::test
