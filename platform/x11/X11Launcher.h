#pragma once

#include <QObject>

#include <xcb/xcb.h>

#include "ChildReaper.h"
#include "DetachedProcess.h"
#include "Launcher.h"
#include "ShowModeWatcher.h"

namespace tulma {

struct TLaunchPlan;

// Starts files as commands do (see PlanLaunch for what is run how) and shows the started program's first
// window as the show command asks.
class TX11Launcher : public QObject, public ILauncher {
    Q_OBJECT
  public:
    // Connection: the application's X connection; without one (nullptr) programs start but show
    // commands are not applied.
    explicit TX11Launcher(xcb_connection_t* Connection, QObject* Parent = nullptr);

    TLaunchResult Launch(const std::string& File, const std::string& Parameters, const std::string& Directory,
                         TShowCommand Show) override;

    // Whether every started program's window has been dealt with.
    bool Idle() const { return Watcher == nullptr || Watcher->Idle(); }

  private:
    TChildReaper* Reaper;
    TShowModeWatcher* Watcher = nullptr;

    // Starts the plan's program and adopts it; logs the start with its argv and result.
    TStartResult Start(const TLaunchPlan& Plan);
};

}  // namespace tulma
