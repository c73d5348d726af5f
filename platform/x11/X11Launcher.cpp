#include "X11Launcher.h"

#include <QStringList>

#include <cerrno>
#include <cstring>

#include "ChildEnvironment.h"
#include "DesktopEntry.h"
#include "DetachedProcess.h"
#include "LaunchPlan.h"
#include "PlatformLog.h"

namespace tulma {

namespace {

QString Quoted(const std::vector<std::string>& Arguments) {
    QStringList Words;
    for (const std::string& Argument : Arguments) {
        Words << '"' + QString::fromStdString(Argument) + '"';
    }
    return Words.join(' ');
}

TLaunchResult ResultOf(const TStartResult& Started) {
    if (Started.Started) {
        return {true, {}};
    }
    // The file was there a moment ago, so "not found" is about the interpreter its #! line or ELF
    // header names.
    if (Started.Error == ENOENT) {
        return {false, "cannot run it: the interpreter it names is missing"};
    }
    return {false, "cannot run it: " + std::string(std::strerror(Started.Error))};
}

}  // namespace

TX11Launcher::TX11Launcher(xcb_connection_t* Connection, QObject* Parent,
                           std::function<xcb_timestamp_t()> PressTime)
    : QObject(Parent), Reaper(new TChildReaper(this)) {
    if (Connection != nullptr) {
        Watcher = new TShowCommandWatcher(Connection, this);
        Notice = std::make_unique<TX11StartupNotice>(Connection, std::move(PressTime));
    }
}

TLaunchResult TX11Launcher::Launch(const std::string& File, const std::string& Parameters,
                                   const std::string& Directory, TShowCommand Show) {
    if (const TDesktopEntryLookup Entry = FindDesktopEntry(File, Directory); Entry.IsEntry) {
        return LaunchEntry(Entry, Parameters, Directory, Show);
    }
    const TLaunchPlan Plan = PlanLaunch(File, Parameters, Directory);
    if (!Plan.Valid) {
        qCDebug(PlatformLog).noquote()
            << "start" << QString::fromStdString(File) << "refused:" << QString::fromStdString(Plan.Reason);
        return {false, Plan.Reason};
    }
    if (Watcher == nullptr) {
        return ResultOf(Start(Plan));
    }
    auto Before = Watcher->AskBaseline(Show);
    const TStartResult Started = Start(Plan);
    if (Started.Started) {
        Watcher->Watch(Started.Pid, Show, Before);
    }
    return ResultOf(Started);
}

// The application's own windows may come from another process (D-Bus activation, a launcher script), so
// its window is looked for by its class names too.
TLaunchResult TX11Launcher::LaunchEntry(const TDesktopEntryLookup& Found, const std::string& Parameters,
                                        const std::string& Directory, TShowCommand Show) {
    if (!Found.Entry) {
        qCDebug(PlatformLog).noquote()
            << "start desktop entry refused:" << QString::fromStdString(Found.Reason);
        return {false, Found.Reason};
    }
    auto Before = Watcher != nullptr ? Watcher->AskBaseline(Show) : std::nullopt;
    const TEntryStart Started = Found.Entry->Start(Parameters, Directory, ChildEnvironment(), Notice.get());
    qCDebug(PlatformLog).noquote() << "start desktop entry" << QString::fromStdString(Found.Entry->FileName())
                                   << (Started.Started ? "pid " + QString::number(Started.Pid)
                                                       : "failed: " + QString::fromStdString(Started.Reason));
    if (!Started.Started) {
        return {false, Started.Reason};
    }
    if (Watcher != nullptr) {
        Watcher->Watch(Started.Pid, Show, Before, Found.Entry->WindowClasses());
    }
    return {true, {}};
}

TStartResult TX11Launcher::Start(const TLaunchPlan& Plan) {
    const TStartResult Started = StartDetached(Plan.Program, Plan.Arguments, Plan.Directory);
    if (Started.Started) {
        Reaper->Adopt(Started.Pid);
    }
    qCDebug(PlatformLog).noquote() << "start" << QString::fromStdString(Plan.Program) << "argv"
                                   << Quoted(Plan.Arguments) << "directory"
                                   << QString::fromStdString(Plan.Directory.empty() ? "." : Plan.Directory)
                                   << (Started.Started ? "pid " + QString::number(Started.Pid)
                                                       : "failed: " + QString::fromLocal8Bit(
                                                                          std::strerror(Started.Error)));
    return Started;
}

}  // namespace tulma
