#include "X11Launcher.h"

#include "DetachedProcess.h"
#include "LaunchPlan.h"

namespace tulma {

X11Launcher::X11Launcher(xcb_connection_t* Connection, QObject* Parent)
    : QObject(Parent), Reaper(new ChildReaper(this)) {
    if (Connection != nullptr) {
        Watcher = new ShowModeWatcher(Connection, this);
    }
}

bool X11Launcher::ShellExecute(const std::string& File, const std::string& Parameters,
                               const std::string& Directory, int Show) {
    const LaunchPlan Plan = PlanLaunch(File, Parameters, Directory);
    if (!Plan.Valid) {
        return false;
    }
    if (Watcher == nullptr) {
        return Start(Plan);
    }
    ShowModeWatcher::BaselineRequest Before = Watcher->AskBaseline();
    const pid_t Pid = Start(Plan);
    if (Pid > 0) {
        Watcher->Watch(Pid, ShowCommandFromNumber(Show), Before);
    }
    return Pid > 0;
}

pid_t X11Launcher::Start(const LaunchPlan& Plan) {
    const StartResult Result = StartDetached(Plan.Program, Plan.Arguments, Plan.Directory);
    if (!Result.Started) {
        return -1;
    }
    Reaper->Adopt(Result.Pid);
    return Result.Pid;
}

}  // namespace tulma
