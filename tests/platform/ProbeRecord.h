#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tulma::test {

// What argv_probe wrote: its working directory and its argv.
struct ProbeRecord {
    std::string Directory;
    std::vector<std::string> Argv;

    static bool Read(const std::string& File, ProbeRecord* Record) {
        std::ifstream In(File, std::ios::binary);
        if (!In) {
            return false;
        }
        const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
        std::vector<std::string> Parts;
        std::size_t Start = 0;
        for (std::size_t End; (End = Bytes.find('\0', Start)) != std::string::npos; Start = End + 1) {
            Parts.push_back(Bytes.substr(Start, End - Start));
        }
        if (Parts.empty()) {
            return false;
        }
        Record->Directory = Parts.front();
        Record->Argv.assign(Parts.begin() + 1, Parts.end());
        return true;
    }
};

}  // namespace tulma::test
