#include "DetachedProcess.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>

#include "ChildEnvironment.h"
#include "FileDescriptor.h"

namespace tulma {

namespace {

class TSpawnActions {
  public:
    explicit TSpawnActions(const std::string& Directory) {
        posix_spawn_file_actions_init(&Actions);
        if (NullInput.Valid()) {
            posix_spawn_file_actions_adddup2(&Actions, NullInput.Get(), STDIN_FILENO);
        }
        if (!Directory.empty()) {
            posix_spawn_file_actions_addchdir_np(&Actions, Directory.c_str());
        }
        // Descriptors the rest of the program forgot to mark close-on-exec must not leak into the program.
        posix_spawn_file_actions_addclosefrom_np(&Actions, STDERR_FILENO + 1);
    }
    ~TSpawnActions() { posix_spawn_file_actions_destroy(&Actions); }
    TSpawnActions(const TSpawnActions&) = delete;
    TSpawnActions& operator=(const TSpawnActions&) = delete;

    const posix_spawn_file_actions_t* Get() const { return &Actions; }

  private:
    TFileDescriptor NullInput{open("/dev/null", O_RDONLY | O_CLOEXEC)};
    posix_spawn_file_actions_t Actions;
};

class TSpawnAttributes {
  public:
    TSpawnAttributes() {
        posix_spawnattr_init(&Attributes);
        sigset_t Signals;
        sigfillset(&Signals);
        posix_spawnattr_setsigdefault(&Attributes, &Signals);
        sigemptyset(&Signals);
        posix_spawnattr_setsigmask(&Attributes, &Signals);
        posix_spawnattr_setflags(&Attributes,
                                 POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    }
    ~TSpawnAttributes() { posix_spawnattr_destroy(&Attributes); }
    TSpawnAttributes(const TSpawnAttributes&) = delete;
    TSpawnAttributes& operator=(const TSpawnAttributes&) = delete;

    const posix_spawnattr_t* Get() const { return &Attributes; }

  private:
    posix_spawnattr_t Attributes;
};

// argv and envp for posix_spawn, which does not write to them.
std::vector<char*> NullTerminated(const std::vector<std::string>& Strings) {
    std::vector<char*> Pointers;
    Pointers.reserve(Strings.size() + 1);
    for (const std::string& String : Strings) {
        Pointers.push_back(const_cast<char*>(String.c_str()));
    }
    Pointers.push_back(nullptr);
    return Pointers;
}

}  // namespace

TStartResult StartDetached(const std::string& Program, const std::vector<std::string>& Arguments,
                           const std::string& Directory, const std::vector<std::string>& Variables) {
    std::vector<char*> Argv = NullTerminated(Arguments);
    const std::vector<std::string> Environment = ChildEnvironment(Variables);
    std::vector<char*> Envp = NullTerminated(Environment);

    const TSpawnActions Actions(Directory);
    const TSpawnAttributes Attributes;
    TStartResult Result;
    pid_t Pid = -1;
    // A failed chdir or exec comes back as the result; the failed child has been reaped by then.
    Result.Error =
        posix_spawn(&Pid, Program.c_str(), Actions.Get(), Attributes.Get(), Argv.data(), Envp.data());
    Result.Started = Result.Error == 0;
    Result.Pid = Result.Started ? Pid : -1;
    // The program runs by now, on the processor it was started from: it goes first, ahead of our
    // bookkeeping for it (its reaping, its window), which nobody is waiting for.
    if (Result.Started) {
        sched_yield();
    }
    return Result;
}

}  // namespace tulma
