#include "SwayBindingRecord.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tulma {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view Prefix = "sway-bindings.";
// A record holds a socket path and combinations: anything longer is not ours.
constexpr std::size_t MaxRecordLines = 4096;
constexpr std::size_t MaxLineBytes = 4096;

std::string StateFolder() {
    if (const char* State = std::getenv("XDG_STATE_HOME"); State != nullptr && *State == '/') {
        return std::string(State) + "/tulma";
    }
    const char* Home = std::getenv("HOME");
    return std::string(Home != nullptr ? Home : "") + "/.local/state/tulma";
}

std::vector<std::string> ReadLines(const fs::path& Path) {
    std::vector<std::string> Lines;
    std::ifstream File(Path);
    std::string Line;
    while (Lines.size() < MaxRecordLines && std::getline(File, Line)) {
        if (Line.size() <= MaxLineBytes) {
            Lines.push_back(Line);
        }
    }
    return Lines;
}

// Whether the process that wrote a record still runs Tulma (a pid may have been given to another program).
bool StillRunning(const std::string& Pid) {
    char* End = nullptr;
    const long Number = std::strtol(Pid.c_str(), &End, 10);
    if (End == Pid.c_str() || *End != '\0' || Number <= 0 || Number == getpid()) {
        return false;
    }
    if (kill(static_cast<pid_t>(Number), 0) != 0 && errno == ESRCH) {
        return false;
    }
    std::ifstream Name("/proc/" + Pid + "/comm");
    std::string Comm;
    std::getline(Name, Comm);
    return Comm == "tulma";
}

}  // namespace

TSwayBindingRecord::TSwayBindingRecord(const std::string& SocketPath, std::string RecordFolder)
    : Socket(SocketPath),
      Folder(RecordFolder.empty() ? StateFolder() : std::move(RecordFolder)),
      Own(Folder + "/" + std::string(Prefix) + std::to_string(getpid())) {}

TSwayBindingRecord::~TSwayBindingRecord() {
    Write({});
}

void TSwayBindingRecord::Write(const std::vector<std::string>& Combinations) const {
    std::error_code Ignored;
    if (Combinations.empty()) {
        fs::remove(Own, Ignored);
        return;
    }
    fs::create_directories(Folder, Ignored);
    const std::string Temporary = Own + ".new";
    {
        std::ofstream File(Temporary, std::ios::trunc);
        File << Socket << '\n';
        for (const std::string& Combination : Combinations) {
            File << Combination << '\n';
        }
    }
    fs::rename(Temporary, Own, Ignored);
}

void TSwayBindingRecord::ForEachRecord(
    const std::function<void(const fs::path&, bool Running, std::vector<std::string>&)>& Visit) const {
    std::error_code Error;
    for (const fs::directory_entry& Entry : fs::directory_iterator(Folder, Error)) {
        const std::string Name = Entry.path().filename().string();
        if (Name.starts_with(Prefix) && !Name.ends_with(".new") && Entry.path() != Own) {
            std::vector<std::string> Lines = ReadLines(Entry.path());
            Visit(Entry.path(), StillRunning(Name.substr(Prefix.size())), Lines);
        }
    }
}

void TSwayBindingRecord::ClearLeftovers(
    const std::function<void(const std::vector<std::string>&)>& Unbind) const {
    ForEachRecord([&](const fs::path& Path, bool Running, std::vector<std::string>& Lines) {
        std::error_code Ignored;
        if (Running) {
            return;
        }
        if (!Lines.empty() && Lines.front() == Socket) {
            Lines.erase(Lines.begin());
            Unbind(Lines);
        } else if (!Lines.empty() && fs::exists(Lines.front(), Ignored)) {
            // Left in another sway session that still runs: a Tulma started there clears it.
            return;
        }
        fs::remove(Path, Ignored);
    });
}

std::set<std::string> TSwayBindingRecord::HeldByOthers() const {
    std::set<std::string> Held;
    ForEachRecord([&](const fs::path&, bool Running, std::vector<std::string>& Lines) {
        if (Running && !Lines.empty() && Lines.front() == Socket) {
            Held.insert(Lines.begin() + 1, Lines.end());
        }
    });
    return Held;
}

}  // namespace tulma
