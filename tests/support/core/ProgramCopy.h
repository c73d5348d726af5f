#pragma once

#include <filesystem>
#include <vector>

namespace tulma::test {

// Copies the program into Folder under the name tulma, with what it looks for beside itself: its message
// file, and Extras (its desktop-entry module, a translation) under their own names. The copy's path.
inline std::filesystem::path CopyProgram(const std::filesystem::path& Program,
                                         const std::filesystem::path& MessageFile,
                                         const std::filesystem::path& Folder,
                                         const std::vector<std::filesystem::path>& Extras = {}) {
    namespace fs = std::filesystem;
    fs::copy_file(Program, Folder / "tulma");
    fs::copy_file(MessageFile, Folder / "stdmess0.mes");
    for (const fs::path& Extra : Extras) {
        fs::copy_file(Extra, Folder / Extra.filename());
    }
    return Folder / "tulma";
}

}  // namespace tulma::test
