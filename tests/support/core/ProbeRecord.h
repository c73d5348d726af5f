#pragma once

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace tulma::test {

// What argv_probe wrote about how it was started.
struct ProbeRecord {
    std::string Directory;
    long Session = 0;
    std::string StandardInput;
    std::vector<std::string> Argv;
    std::map<std::string, std::string> Environment;  // the variables named in TULMA_PROBE_ENV

    static bool Read(const std::string& File, ProbeRecord* Record) {
        std::ifstream In(File, std::ios::binary);
        if (!In) {
            return false;
        }
        const std::string Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
        std::vector<std::string> Items;
        std::size_t Start = 0;
        for (std::size_t End; (End = Bytes.find('\0', Start)) != std::string::npos; Start = End + 1) {
            Items.push_back(Bytes.substr(Start, End - Start));
        }
        if (Items.size() < 4 || Items.size() < 4 + std::stoul(Items[3])) {
            return false;
        }
        const std::size_t Argc = std::stoul(Items[3]);
        Record->Directory = Items[0];
        Record->Session = std::stol(Items[1]);
        Record->StandardInput = Items[2];
        Record->Argv.assign(Items.begin() + 4, Items.begin() + 4 + static_cast<long>(Argc));
        for (std::size_t I = 4 + Argc; I < Items.size(); ++I) {
            const std::size_t Equals = Items[I].find('=');
            Record->Environment[Items[I].substr(0, Equals)] = Items[I].substr(Equals + 1);
        }
        return true;
    }
};

}  // namespace tulma::test
