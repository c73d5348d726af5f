#include "ProcessFigures.h"

#include <filesystem>
#include <fstream>

#include "ChildProcesses.h"

namespace tulma::test {

namespace {

long StatusField(pid_t Pid, const std::string& Name) {
    std::ifstream Status("/proc/" + std::to_string(Pid) + "/status");
    for (std::string Line; std::getline(Status, Line);) {
        if (Line.rfind(Name + ":", 0) == 0) {
            return std::stol(Line.substr(Name.size() + 1));
        }
    }
    return -1;
}

int OpenFilesOf(pid_t Pid) {
    std::error_code Error;
    int Count = 0;
    for (std::filesystem::directory_iterator It("/proc/" + std::to_string(Pid) + "/fd", Error), End;
         !Error && It != End; It.increment(Error)) {
        ++Count;
    }
    return Count;
}

}  // namespace

ProcessFigures FiguresOf(pid_t Pid) {
    ProcessFigures Figures;
    Figures.OpenFiles = OpenFilesOf(Pid);
    Figures.ResidentKb = StatusField(Pid, "VmRSS");
    Figures.Threads = static_cast<int>(StatusField(Pid, "Threads"));
    for (const ChildProcess& Child : ChildProcesses(Pid)) {
        Figures.Zombies += Child.State == 'Z' ? 1 : 0;
    }
    return Figures;
}

std::string Compare(const ProcessFigures& Before, const ProcessFigures& After) {
    auto Pair = [](auto From, auto To) { return std::to_string(From) + " -> " + std::to_string(To); };
    return "fds " + Pair(Before.OpenFiles, After.OpenFiles) + ", rss " +
           Pair(Before.ResidentKb, After.ResidentKb) + " kB, threads " + Pair(Before.Threads, After.Threads) +
           ", zombies " + Pair(Before.Zombies, After.Zombies);
}

}  // namespace tulma::test
