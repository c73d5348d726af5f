#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

namespace tulma {

class IStartupNotice;

// What came of starting a desktop entry.
struct TEntryStart {
    bool Started = false;
    // The started process; 0 when the application was asked over D-Bus to start (it has no new process
    // of ours then).
    pid_t Pid = 0;
    // Why nothing was started, in words for the user; empty when started.
    std::string Reason;
};

// An application's desktop entry (a .desktop file in freedesktop.org's Desktop Entry format), read and
// started as the desktop does. The desktop's library (GIO) lives in a module of its own, loaded with the
// first entry, so that a Tulma that starts none does not carry it.
class TDesktopEntry {
  public:
    TDesktopEntry() = default;
    TDesktopEntry(const TDesktopEntry&) = delete;
    TDesktopEntry& operator=(const TDesktopEntry&) = delete;
    virtual ~TDesktopEntry() = default;

    // The .desktop file.
    virtual std::string FileName() const = 0;
    // The desktop id ("org.kde.kate.desktop"); empty for a file outside the application folders.
    virtual std::string Id() const = 0;
    virtual std::string Name() const = 0;
    // Generic name, comment and keywords, for finding the entry by what it does.
    virtual std::string Description() const = 0;
    // A themed icon name, or an icon file's path; empty when the entry names none.
    virtual std::string Icon() const = 0;
    // The window class its windows carry: StartupWMClass, else the desktop id without ".desktop".
    virtual std::string WindowClass() const = 0;
    // Every class name a window of the started application may carry: the window class above and the
    // name of the program its Exec line runs.
    virtual std::vector<std::string> WindowClasses() const = 0;
    // Whether the entry lies in the user's own application folder ($XDG_DATA_HOME/applications).
    virtual bool UserEntry() const = 0;

    // Starts the application: Parameters (split as a command's parameters are) are the files and URLs
    // that fill the Exec line's field codes (%f %F %u %U), files relative to Directory or ours. The
    // entry's Path is its working directory, else Directory (empty: ours; a directory that does not exist
    // starts nothing). Terminal entries run in a terminal, D-Bus activatable ones are asked over the
    // session bus, and Notice, when given, announces the start to the desktop. Environment is the
    // application's whole environment as "NAME=VALUE" entries (see ChildEnvironment).
    virtual TEntryStart Start(const std::string& Parameters, const std::string& Directory,
                              const std::vector<std::string>& Environment, IStartupNotice* Notice) const = 0;
};

// What a command's file means as a desktop entry.
struct TDesktopEntryLookup {
    // Whether the file names a desktop entry at all; when not, it is started as any other file.
    bool IsEntry = false;
    // The entry; null when IsEntry but it cannot be used (see Reason).
    std::unique_ptr<TDesktopEntry> Entry;
    std::string Reason;

    static TDesktopEntryLookup Usable(std::unique_ptr<TDesktopEntry> Entry) {
        TDesktopEntryLookup Found;
        Found.IsEntry = true;
        Found.Entry = std::move(Entry);
        return Found;
    }
    static TDesktopEntryLookup Unusable(std::string Reason) {
        TDesktopEntryLookup Found;
        Found.IsEntry = true;
        Found.Reason = std::move(Reason);
        return Found;
    }
};

// File names a desktop entry when it is a path ending in ".desktop" (a relative one taken from Directory,
// or ours), or an application id of the XDG data folders ("org.kde.kate", "vim.desktop") for which no
// program of that name is on PATH and no file of that name exists. An entry that is not an application,
// whose TryExec program is missing, or that cannot be read is an entry without use, with the reason.
TDesktopEntryLookup FindDesktopEntry(const std::string& File, const std::string& Directory);

// The applications that a desktop's menu shows (entries marked Hidden or NoDisplay, or meant for other
// desktops, left out): the user's own entries first, each group by name. Throws std::runtime_error when
// the desktop-entry module cannot be loaded.
std::vector<std::unique_ptr<TDesktopEntry>> InstalledApplications();

}  // namespace tulma
