#pragma once

namespace tulma {

struct TProgramOptions;

// "tulma --run NAME [FILE]" (or "--run-id ID [FILE]"): has the running Tulma run the hotkey NAME (or the
// one with identifier ID, when FILE is the file it has open); when none runs, loads FILE (or
// the default file) and runs the hotkey here, staying until the started programs' windows are shown as
// asked. Returns the exit status: 0 when the hotkey ran, 1 with a message on standard error otherwise.
int RunNamedHotKey(const TProgramOptions& Options, int& Argc, char** Argv);

}  // namespace tulma
