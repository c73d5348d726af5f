#include "X11Launcher.h"

#include "DetachedProcess.h"
#include "LaunchPlan.h"

namespace tulma {

X11Launcher::X11Launcher(xcb_connection_t* Connection, QObject* Parent) : QObject(Parent) {
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
    const ShowModeWatcher::Baseline Before =
        Watcher != nullptr ? Watcher->TakeBaseline() : ShowModeWatcher::Baseline{};
    const StartResult Result = StartDetached(Plan.Program, Plan.Arguments, Plan.Directory);
    if (Result.Started && Watcher != nullptr) {
        Watcher->Watch(Result.Pid, ShowCommandFromNumber(Show), Before);
    }
    return Result.Started;
}

}  // namespace tulma
