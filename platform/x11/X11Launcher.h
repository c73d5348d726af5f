#pragma once

#include <QObject>

#include <functional>
#include <memory>

#include <xcb/xcb.h>

#include "ChildReaper.h"
#include "DetachedProcess.h"
#include "Launcher.h"
#include "ShowCommandWatcher.h"
#include "X11StartupNotice.h"

namespace tulma {

struct TDesktopEntryLookup;
struct TLaunchPlan;

// Starts files as commands do (see PlanLaunch for what is run how; desktop entries start their
// application, see FindDesktopEntry) and shows the started program's first window as the show command
// asks.
class TX11Launcher : public QObject, public ILauncher {
    Q_OBJECT
  public:
    // Connection: the application's X connection; without one (nullptr) programs start but show
    // commands are not applied. PressTime: the X time of the hotkey press that asks for a start, which
    // the startup notification of desktop entries carries.
    explicit TX11Launcher(xcb_connection_t* Connection, QObject* Parent = nullptr,
                          std::function<xcb_timestamp_t()> PressTime = {});

    TLaunchResult Launch(const std::string& File, const std::string& Parameters, const std::string& Directory,
                         TShowCommand Show) override;

    // Whether every started program's window has been dealt with.
    bool Idle() const { return Watcher == nullptr || Watcher->Idle(); }

  private:
    TChildReaper* Reaper;
    TShowCommandWatcher* Watcher = nullptr;
    std::unique_ptr<TX11StartupNotice> Notice;

    // Starts the plan's program and adopts it; logs the start with its argv and result.
    TStartResult Start(const TLaunchPlan& Plan);
    TLaunchResult LaunchEntry(const TDesktopEntryLookup& Found, const std::string& Parameters,
                              const std::string& Directory, TShowCommand Show);
};

}  // namespace tulma
