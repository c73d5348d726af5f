#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tulma {

struct TStartResult {
    bool Started = false;
    pid_t Pid = -1;  // the started program's process id
    int Error = 0;   // errno of the failed step when not started
};

// Runs Program (a path) with Arguments (argv, argv[0] included) in Directory (empty: ours) in a session of
// its own, without copying this process's memory (posix_spawn), so that a start is quick however large
// we are. A failed exec (or chdir) is reported and leaves nothing behind. Standard input is /dev/null, no
// other descriptor is inherited, signal dispositions and mask start at their defaults. The environment is
// the user's (ChildEnvironment) with Variables ("NAME=VALUE") added.
// The program is our child: the caller reaps it (TChildReaper) so that it leaves no zombie.
TStartResult StartDetached(const std::string& Program, const std::vector<std::string>& Arguments,
                           const std::string& Directory, const std::vector<std::string>& Variables = {});

}  // namespace tulma
