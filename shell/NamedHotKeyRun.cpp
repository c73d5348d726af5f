#include "NamedHotKeyRun.h"

#include <xcb/xcb.h>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <iostream>
#include <memory>

#include "ClassRegistration.h"
#include "CommandLineFileName.h"
#include "CurrentHotKeyFile.h"
#include "FindHotKey.h"
#include "HotKeyFile.h"
#include "HotKeyRequest.h"
#include "HotTulma.h"
#include "LaunchFailureNotifier.h"
#include "ProgramDirectory.h"
#include "ProgramOptions.h"
#include "ShowModeWatcher.h"
#include "X11Desktop.h"

namespace tulma {
namespace {

constexpr int SettlePollMs = 50;
constexpr int SettleMs = TShowModeWatcher::WatchMs + TShowModeWatcher::GuardMs + 1000;

int Fail(const std::string& Message) {
    std::cerr << "tulma: " << Message << std::endl;
    return 1;
}

std::string NoSuchHotKey(const std::string& Name) {
    return "no hotkey is named \"" + Name + "\"";
}

// Gives the event loop time to show the started programs' windows as their commands ask.
void WaitUntilSettled(const TX11Desktop& Desktop) {
    QElapsedTimer Waited;
    Waited.start();
    QEventLoop Loop;
    QTimer Poll;
    QObject::connect(&Poll, &QTimer::timeout, &Loop, [&] {
        if (Desktop.LaunchesSettled() || Waited.elapsed() > SettleMs) {
            Loop.quit();
        }
    });
    Poll.start(SettlePollMs);
    Loop.exec();
}

// An X connection held while Qt makes its own: Qt would end the program if no display answered, and an
// X server that has lost its last client resets itself, refusing connections for a moment.
class TDisplayProbe {
  public:
    TDisplayProbe() : Connection(xcb_connect(nullptr, nullptr)) {}
    ~TDisplayProbe() { xcb_disconnect(Connection); }
    TDisplayProbe(const TDisplayProbe&) = delete;
    TDisplayProbe& operator=(const TDisplayProbe&) = delete;

    bool Reachable() const { return xcb_connection_has_error(Connection) == 0; }

  private:
    xcb_connection_t* Connection;
};

int RunHere(const TProgramOptions& Options, int& Argc, char** Argv) {
    auto Probe = std::make_unique<TDisplayProbe>();
    if (!Probe->Reachable()) {
        return Fail("no Tulma is running and there is no X display to run the hotkey on");
    }
    QGuiApplication Application(Argc, Argv);
    Probe.reset();
    RegisterAllClasses();
    InitHotKeyModule(ProgramDirectory());
    if (!Options.FileArgument.empty()) {
        HotKeyFileName() = CommandLineFileName(Options.FileArgument, WorkingDirectory());
        LoadHotKeyFile();
    }
    const THotTulma* HotKey = FindHotKey(HotKeyFile().HotKeyList(), Options.HotKeyName);
    if (HotKey == nullptr) {
        return Fail(NoSuchHotKey(Options.HotKeyName) + " in " + HotKeyFileName());
    }
    TX11Desktop Desktop;
    // The program ends right after the run, so a notification must be out before.
    TLaunchFailureNotifier LaunchFailures(TNotificationDelivery::Wait);
    HotKey->ExecuteHotKey(Desktop.Windows(), Desktop.Launcher(), LaunchFailures);
    WaitUntilSettled(Desktop);
    return 0;
}

}  // namespace

int RunNamedHotKey(const TProgramOptions& Options, int& Argc, char** Argv) {
    switch (SendRunRequest(Options.HotKeyName)) {
        case TRunReply::Ran:
            return 0;
        case TRunReply::Unknown:
            return Fail(NoSuchHotKey(Options.HotKeyName) + " in the running Tulma");
        case TRunReply::NoAnswer:
            return Fail("the running Tulma did not answer");
        case TRunReply::NoServer:
            break;
    }
    try {
        return RunHere(Options, Argc, Argv);
    } catch (const std::exception& Error) {
        return Fail(Error.what());
    }
}

}  // namespace tulma
