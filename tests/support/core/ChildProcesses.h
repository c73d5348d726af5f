#pragma once

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tulma::test {

struct ChildProcess {
    pid_t Pid;
    char State;  // 'Z' for a zombie
};

// The processes whose parent is Parent (this process by default), zombies included, read from /proc.
inline std::vector<ChildProcess> ChildProcesses(pid_t Parent = getpid()) {
    std::vector<ChildProcess> Children;
    DIR* Proc = opendir("/proc");
    while (dirent* Entry = Proc != nullptr ? readdir(Proc) : nullptr) {
        std::ifstream Stat(std::string("/proc/") + Entry->d_name + "/stat");
        std::string Line;
        if (!std::getline(Stat, Line) || Line.rfind(')') == std::string::npos) {
            continue;
        }
        // The fields after the command name, which is in parentheses and may contain blanks.
        std::istringstream Rest(Line.substr(Line.rfind(')') + 2));
        char State = '?';
        pid_t Owner = 0;
        Rest >> State >> Owner;
        if (Owner == Parent) {
            Children.push_back(ChildProcess{static_cast<pid_t>(std::stoi(Entry->d_name)), State});
        }
    }
    if (Proc != nullptr) {
        closedir(Proc);
    }
    return Children;
}

}  // namespace tulma::test
