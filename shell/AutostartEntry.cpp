#include "AutostartEntry.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "ConfigHome.h"
#include "DefaultHotKeyFile.h"
#include "FileReplacement.h"

namespace tulma {

namespace fs = std::filesystem;

namespace {

// Characters that make the desktop entry's Exec key quote an argument.
constexpr std::string_view ReservedCharacters = " \t\n\"'\\><~|&;$*?#()`";
// Characters that a quoted argument escapes with a backslash.
constexpr std::string_view QuotedEscapes = "\"`$\\";

std::string QuoteArgument(const std::string& Argument) {
    if (Argument.find_first_of(ReservedCharacters) == std::string::npos) {
        return Argument;
    }
    std::string Quoted = "\"";
    for (const char Character : Argument) {
        if (QuotedEscapes.find(Character) != std::string_view::npos) {
            Quoted += '\\';
        }
        Quoted += Character;
    }
    return Quoted + '"';
}

// The escapes of a desktop entry's string value, and "%%" for a percent sign of the Exec key.
std::string EscapeValue(const std::string& Value) {
    std::string Escaped;
    for (const char Character : Value) {
        switch (Character) {
            case '\\':
                Escaped += "\\\\";
                break;
            case '\n':
                Escaped += "\\n";
                break;
            case '%':
                Escaped += "%%";
                break;
            default:
                Escaped += Character;
        }
    }
    return Escaped;
}

std::string RunningProgram() {
    std::error_code Error;
    const fs::path Program = fs::read_symlink("/proc/self/exe", Error);
    return Error ? "tulma" : Program.string();
}

}  // namespace

TAutostartEntry::TAutostartEntry(std::string FileName, std::string ProgramFile)
    : FFileName(std::move(FileName)), ProgramFile(std::move(ProgramFile)) {}

TAutostartEntry TAutostartEntry::ForThisUser() {
    return TAutostartEntry((fs::path(ConfigHome()) / "autostart" / "tulma.desktop").string(),
                           RunningProgram());
}

bool TAutostartEntry::Enabled() const {
    std::ifstream Entry(FFileName);
    if (!Entry) {
        return false;
    }
    for (std::string Line; std::getline(Entry, Line);) {
        if (Line == "Hidden=true") {
            return false;
        }
    }
    return true;
}

void TAutostartEntry::SetEnabled(bool Enabled) {
    if (Enabled) {
        CreatePrivateDirectories(fs::path(FFileName).parent_path().string(), FFileName);
        const std::string Text = Content();
        ReplaceFileContent(FFileName, {reinterpret_cast<const uint8_t*>(Text.data()), Text.size()});
        return;
    }
    std::error_code Error;
    fs::remove(FFileName, Error);
    if (Error) {
        throw std::runtime_error("Cannot remove " + FFileName + ": " + Error.message());
    }
}

std::string TAutostartEntry::Content() const {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tulma\n"
           "Comment=Global hotkeys for your programs\n"
           "Exec=" +
           DesktopExecArgument(ProgramFile) +
           "\n"
           "Icon=tulma\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::string DesktopExecArgument(const std::string& Path) {
    return EscapeValue(QuoteArgument(Path));
}

}  // namespace tulma
