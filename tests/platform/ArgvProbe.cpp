// Records how it was started: its working directory, then every argument, each ended by a NUL byte, in
// the file that TULMA_PROBE_FILE names. The file appears complete or not at all.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* Target = std::getenv("TULMA_PROBE_FILE");
    if (Target == nullptr) {
        return 2;
    }
    char Cwd[PATH_MAX];
    std::string Record = getcwd(Cwd, sizeof Cwd) != nullptr ? Cwd : "";
    Record += '\0';
    for (int I = 0; I < argc; ++I) {
        Record += argv[I];
        Record += '\0';
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
