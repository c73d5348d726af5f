#include "TemporaryDirectory.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tulma::test {

TTemporaryDirectory::TTemporaryDirectory() {
    std::string Pattern = (std::filesystem::temp_directory_path() / "tulmafile-test-XXXXXX").string();
    if (mkdtemp(Pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    FPath = Pattern;
}

TTemporaryDirectory::~TTemporaryDirectory() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
}

std::vector<std::string> TTemporaryDirectory::Listing() const {
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(FPath)) {
        Names.push_back(Entry.path().filename().string());
    }
    std::sort(Names.begin(), Names.end());
    return Names;
}

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

}  // namespace tulma::test
