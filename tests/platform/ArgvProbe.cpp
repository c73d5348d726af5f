// Records how it was started, in the file that TULMA_PROBE_FILE names: its working directory, its
// session id, where its standard input comes from, its argument count and arguments, and NAME=value for
// each variable listed (comma-separated) in TULMA_PROBE_ENV. Every item ends with a NUL byte. The file
// appears complete or not at all.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void Add(std::string& Record, const std::string& Item) {
    Record += Item;
    Record += '\0';
}

std::string StandardInput() {
    char Target[PATH_MAX] = {};
    const ssize_t Length = readlink("/proc/self/fd/0", Target, sizeof Target - 1);
    return Length > 0 ? std::string(Target, static_cast<std::size_t>(Length)) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    const char* Target = std::getenv("TULMA_PROBE_FILE");
    if (Target == nullptr) {
        return 2;
    }
    std::string Record;
    char Cwd[PATH_MAX];
    Add(Record, getcwd(Cwd, sizeof Cwd) != nullptr ? Cwd : "");
    Add(Record, std::to_string(getsid(0)));
    Add(Record, StandardInput());
    Add(Record, std::to_string(argc));
    for (int I = 0; I < argc; ++I) {
        Add(Record, argv[I]);
    }
    std::istringstream Names(std::getenv("TULMA_PROBE_ENV") != nullptr ? std::getenv("TULMA_PROBE_ENV") : "");
    for (std::string Name; std::getline(Names, Name, ',');) {
        const char* Value = std::getenv(Name.c_str());
        Add(Record, Name + "=" + (Value != nullptr ? Value : ""));
    }
    const std::string Temporary = std::string(Target) + ".part";
    FILE* File = std::fopen(Temporary.c_str(), "wb");
    if (File == nullptr) {
        return 3;
    }
    std::fwrite(Record.data(), 1, Record.size(), File);
    std::fclose(File);
    return std::rename(Temporary.c_str(), Target) == 0 ? 0 : 4;
}
