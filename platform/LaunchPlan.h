#pragma once

#include <string>
#include <vector>

namespace tulma {

// What starting a file with its default action means on this desktop: the program to run and its argv.
struct TLaunchPlan {
    bool Valid = false;
    std::string Program;
    std::vector<std::string> Arguments;
    std::string Directory;
    // Why nothing can be started, in words for the user; empty when Valid.
    std::string Reason;
};

// Decides how to start File:
// - File with a '/' is a path, a relative one taken from Directory when given; a name without '/' is
//   looked up on PATH first, then in Directory (or ours);
// - a File that names no existing file but starts like a URL (a scheme "name:" of two or more
//   characters, such as https: or mailto:) goes to xdg-open;
// - an executable regular file is run directly, argv[0] being File as written and the rest split from
//   Parameters (see SplitParameters); any other existing file or folder goes to xdg-open, without the
//   parameters.
// Invalid, with its reason: empty File, a Directory that is not an existing directory, a file that does
// not exist, or no xdg-open where one is needed.
TLaunchPlan PlanLaunch(const std::string& File, const std::string& Parameters, const std::string& Directory);

// The executable file Name resolves to on PATH; empty when none.
std::string FindOnPath(const std::string& Name);

// File taken from Directory unless it is absolute or Directory is empty.
std::string InDirectory(const std::string& Directory, const std::string& File);

// Why a command's working directory keeps it from starting, in words for the user; empty when it is an
// existing directory or none is given.
std::string WorkingDirectoryProblem(const std::string& Directory);

}  // namespace tulma
