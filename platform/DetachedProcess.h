#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace tulma {

struct StartResult {
    bool Started = false;
    pid_t Pid = -1;  // the started program's process id
    int Error = 0;   // errno of the failed step when not started
};

// Runs Program (a path) with Arguments (argv, argv[0] included) in Directory (empty: ours) as a new
// session that nobody waits for: fork, setsid, fork again, exec. The middle process is reaped at once and
// the program is adopted by init, so no zombie is left behind. A failed exec (or chdir) is reported back
// through a pipe that closes on a successful exec; the call returns as soon as that is known. Standard
// input is /dev/null; signal dispositions and mask start at their defaults.
StartResult StartDetached(const std::string& Program, const std::vector<std::string>& Arguments,
                          const std::string& Directory);

}  // namespace tulma
