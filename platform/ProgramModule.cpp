#include "ProgramModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace tulma {
namespace {

std::string ProgramFolder() {
    char Executable[PATH_MAX] = {};
    const ssize_t Length = readlink("/proc/self/exe", Executable, sizeof Executable - 1);
    const std::string Program(Executable, Length > 0 ? static_cast<std::size_t>(Length) : 0);
    return Program.substr(0, Program.rfind('/') + 1);
}

}  // namespace

void* ProgramModuleSymbol(const char* File, const char* Symbol, std::string& Error) {
    void* Library = dlopen((ProgramFolder() + File).c_str(), RTLD_NOW | RTLD_LOCAL);
    void* Found = Library != nullptr ? dlsym(Library, Symbol) : nullptr;
    if (Found == nullptr) {
        const char* Why = dlerror();
        Error = Why != nullptr ? Why : std::string("no ") + Symbol + " in " + File;
    }
    return Found;
}

}  // namespace tulma
