#include "TestFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tulma::test {

std::vector<uint8_t> ReadFileBytes(const std::string& FileName) {
    std::ifstream File(FileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& FileName, const std::vector<uint8_t>& Bytes) {
    std::ofstream File(FileName, std::ios::binary);
    File.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}

void WriteTextFile(const std::string& FileName, const std::string& Text) {
    std::ofstream(FileName) << Text;
}

std::vector<std::string> FileNamesIn(const std::filesystem::path& Directory) {
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(Directory)) {
        Names.push_back(Entry.path().filename().string());
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

int LineCount(const std::filesystem::path& File) {
    std::ifstream Stream(File);
    int Count = 0;
    for (std::string Line; std::getline(Stream, Line);) {
        ++Count;
    }
    return Count;
}

}  // namespace tulma::test
