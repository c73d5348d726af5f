#pragma once

#include <string>

namespace tulma {

// The function Symbol of the shared object File in the program's folder, or null with the reason in
// Error. The object stays loaded for the life of the process.
void* ProgramModuleSymbol(const char* File, const char* Symbol, std::string& Error);

// A module beside the program that only some sessions load, so that the others do not map the libraries
// it links: the table its entry function returns, or why there is none.
template <class TTable>
struct TProgramModule {
    const TTable* Table = nullptr;
    std::string Error;
};

// Loads the module File and asks its entry function Symbol, which returns const TTable*, for its table.
template <class TTable>
TProgramModule<TTable> LoadProgramModule(const char* File, const char* Symbol) {
    TProgramModule<TTable> Loaded;
    if (void* Entry = ProgramModuleSymbol(File, Symbol, Loaded.Error)) {
        Loaded.Table = reinterpret_cast<const TTable* (*)()>(Entry)();
    }
    return Loaded;
}

}  // namespace tulma
