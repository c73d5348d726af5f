#include "DetachedProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

extern char** environ;

namespace tulma {

namespace {

// Only async-signal-safe calls happen between fork and exec: the parent may run other threads.
struct ChildPlan {
    const char* Program;
    char* const* Argv;
    const char* Directory;
    int NullInput;
    int ReportFd;
    int MaxFd;  // taken before the fork: sysconf is not safe after it
};

bool WriteAll(int Fd, const void* Data, std::size_t Size) {
    const auto* Bytes = static_cast<const char*>(Data);
    while (Size > 0) {
        const ssize_t Written = write(Fd, Bytes, Size);
        if (Written < 0 && errno == EINTR) {
            continue;
        }
        if (Written <= 0) {
            return false;
        }
        Bytes += Written;
        Size -= static_cast<std::size_t>(Written);
    }
    return true;
}

// Reads up to Size bytes; fewer when the writers have all gone.
std::size_t ReadAll(int Fd, void* Data, std::size_t Size) {
    auto* Bytes = static_cast<char*>(Data);
    std::size_t Done = 0;
    while (Done < Size) {
        const ssize_t Got = read(Fd, Bytes + Done, Size - Done);
        if (Got < 0 && errno == EINTR) {
            continue;
        }
        if (Got <= 0) {
            break;
        }
        Done += static_cast<std::size_t>(Got);
    }
    return Done;
}

void ResetSignals() {
    for (int Signal = 1; Signal < NSIG; ++Signal) {
        if (Signal != SIGKILL && Signal != SIGSTOP) {
            signal(Signal, SIG_DFL);
        }
    }
    sigset_t Empty;
    sigemptyset(&Empty);
    sigprocmask(SIG_SETMASK, &Empty, nullptr);
}

// Descriptors the parent forgot to mark close-on-exec must not leak into the program.
void CloseOnExecAbove2(int MaxFd) {
#ifdef SYS_close_range
    if (syscall(SYS_close_range, 3U, ~0U, 4U /* CLOSE_RANGE_CLOEXEC */) == 0) {
        return;
    }
#endif
    for (int Fd = 3; Fd < MaxFd; ++Fd) {
        fcntl(Fd, F_SETFD, FD_CLOEXEC);
    }
}

[[noreturn]] void RunProgram(const ChildPlan& Plan) {
    ResetSignals();
    int Error = 0;
    if (Plan.Directory != nullptr && chdir(Plan.Directory) != 0) {
        Error = errno;
    } else {
        dup2(Plan.NullInput, STDIN_FILENO);
        CloseOnExecAbove2(Plan.MaxFd);
        execve(Plan.Program, Plan.Argv, environ);
        Error = errno;
    }
    WriteAll(Plan.ReportFd, &Error, sizeof Error);
    _exit(127);
}

// The middle process: a new session, the program forked off, its pid reported, gone.
[[noreturn]] void RunMiddle(const ChildPlan& Plan) {
    setsid();
    const pid_t Pid = fork();
    if (Pid == 0) {
        RunProgram(Plan);
    }
    const int Error = Pid < 0 ? errno : 0;
    WriteAll(Plan.ReportFd, &Pid, sizeof Pid);
    if (Pid < 0) {
        WriteAll(Plan.ReportFd, &Error, sizeof Error);
    }
    _exit(0);
}

}  // namespace

StartResult StartDetached(const std::string& Program, const std::vector<std::string>& Arguments,
                          const std::string& Directory) {
    StartResult Result;
    std::vector<char*> Argv;
    for (const std::string& Argument : Arguments) {
        Argv.push_back(const_cast<char*>(Argument.c_str()));
    }
    Argv.push_back(nullptr);

    int Report[2];
    if (pipe2(Report, O_CLOEXEC) != 0) {
        Result.Error = errno;
        return Result;
    }
    const int NullInput = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const long OpenMax = sysconf(_SC_OPEN_MAX);
    const ChildPlan Plan{
        Program.c_str(), Argv.data(), Directory.empty() ? nullptr : Directory.c_str(),
        NullInput,       Report[1],   OpenMax > 0 && OpenMax < 65536 ? static_cast<int>(OpenMax) : 65536};
    const pid_t Middle = fork();
    if (Middle == 0) {
        close(Report[0]);
        RunMiddle(Plan);
    }
    close(Report[1]);
    if (NullInput >= 0) {
        close(NullInput);
    }
    if (Middle < 0) {
        Result.Error = errno;
        close(Report[0]);
        return Result;
    }

    pid_t Pid = -1;
    int Error = 0;
    const bool GotPid = ReadAll(Report[0], &Pid, sizeof Pid) == sizeof Pid;
    // End of file without an error number means the exec succeeded.
    const bool Failed = ReadAll(Report[0], &Error, sizeof Error) == sizeof Error;
    close(Report[0]);
    while (waitpid(Middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    Result.Started = GotPid && Pid > 0 && !Failed;
    Result.Pid = Result.Started ? Pid : -1;
    Result.Error = Result.Started ? 0 : (Error != 0 ? Error : ECHILD);
    return Result;
}

}  // namespace tulma
