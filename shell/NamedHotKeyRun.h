#pragma once

namespace tulma {

struct TProgramOptions;

// "tulma --run NAME [FILE]": has the running Tulma run the hotkey NAME; when none runs, loads FILE (or
// the default file) and runs the hotkey here, staying until the started programs' windows are shown as
// asked. Returns the exit status: 0 when the hotkey ran, 1 with a message on standard error otherwise.
int RunNamedHotKey(const TProgramOptions& Options, int& Argc, char** Argv);

}  // namespace tulma
