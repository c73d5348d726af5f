#include "LaunchPlan.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "CommandLine.h"

namespace tulma {

namespace {

TLaunchPlan Refused(std::string Reason) {
    TLaunchPlan Plan;
    Plan.Reason = std::move(Reason);
    return Plan;
}

bool IsDirectory(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode);
}

bool Exists(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0;
}

bool IsExecutableFile(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode) && access(Path.c_str(), X_OK) == 0;
}

bool IsUrl(const std::string& File) {
    const std::size_t Colon = File.find(':');
    if (Colon == std::string::npos || Colon < 2) {
        return false;
    }
    for (std::size_t I = 0; I < Colon; ++I) {
        const char C = File[I];
        const bool Letter = (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
        const bool Other = (C >= '0' && C <= '9') || C == '+' || C == '-' || C == '.';
        if (!Letter && !(I > 0 && Other)) {
            return false;
        }
    }
    return true;
}

TLaunchPlan Opener(const std::string& Target, const std::string& Directory) {
    const std::string XdgOpen = FindOnPath("xdg-open");
    if (XdgOpen.empty()) {
        return Refused("no xdg-open to open it with");
    }
    return TLaunchPlan{true, XdgOpen, {"xdg-open", Target}, Directory, {}};
}

// The program runs in its own working directory, so whatever it is handed must not depend on ours.
std::string Absolute(const std::string& Path) {
    if (Path.starts_with('/')) {
        return Path;
    }
    char Buffer[PATH_MAX];
    return getcwd(Buffer, sizeof Buffer) != nullptr ? InDirectory(Buffer, Path) : Path;
}

// Where the file named by a command lies, or empty.
std::string LocateFile(const std::string& File, const std::string& Directory) {
    if (File.find('/') == std::string::npos) {
        if (std::string OnPath = FindOnPath(File); !OnPath.empty()) {
            return Absolute(OnPath);
        }
    }
    const std::string Path = InDirectory(Directory, File);
    return Exists(Path) ? Absolute(Path) : std::string();
}

std::string NotFound(const std::string& File) {
    return File.find('/') == std::string::npos ? "not found on PATH or in the working directory"
                                               : "file not found";
}

}  // namespace

std::string InDirectory(const std::string& Directory, const std::string& File) {
    if (File.starts_with('/') || Directory.empty()) {
        return File;
    }
    return Directory.ends_with('/') ? Directory + File : Directory + '/' + File;
}

std::string WorkingDirectoryProblem(const std::string& Directory) {
    if (Directory.empty() || IsDirectory(Directory)) {
        return {};
    }
    return "working directory " + Directory + (Exists(Directory) ? " is not a directory" : " does not exist");
}

std::string FindOnPath(const std::string& Name) {
    const char* Path = std::getenv("PATH");
    const std::string Dirs = Path != nullptr ? Path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t Start = 0;
    while (Start <= Dirs.size()) {
        std::size_t End = Dirs.find(':', Start);
        if (End == std::string::npos) {
            End = Dirs.size();
        }
        // An empty PATH entry means the current directory.
        const std::string Dir = End == Start ? "." : Dirs.substr(Start, End - Start);
        if (const std::string Candidate = Dir + '/' + Name; IsExecutableFile(Candidate)) {
            return Candidate;
        }
        Start = End + 1;
    }
    return {};
}

TLaunchPlan PlanLaunch(const std::string& File, const std::string& Parameters, const std::string& Directory) {
    if (File.empty()) {
        return Refused("no file given");
    }
    if (std::string Problem = WorkingDirectoryProblem(Directory); !Problem.empty()) {
        return Refused(std::move(Problem));
    }
    // ':' is an ordinary character in file names, so an existing file wins over a URL.
    const std::string Path = LocateFile(File, Directory);
    if (Path.empty()) {
        return IsUrl(File) ? Opener(File, Directory) : Refused(NotFound(File));
    }
    if (!IsExecutableFile(Path)) {
        return Opener(Path, Directory);
    }
    TLaunchPlan Plan{true, Path, {File}, Directory, {}};
    const std::vector<std::string> Split = SplitParameters(Parameters);
    Plan.Arguments.insert(Plan.Arguments.end(), Split.begin(), Split.end());
    return Plan;
}

}  // namespace tulma
