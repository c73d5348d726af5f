// Hotkeys at scale in a KWin Wayland session: the real tulma program from its start until the last of 1
// and of 1,000 hotkeys answers (with its memory then), through KDE's global shortcut service and through
// the GlobalShortcuts portal side by side; and an edit of one hotkey among 1,000 until its new combination
// answers, through both (the registry alone, as the main window's edit asks it; the portal binds the whole
// set again, so its edit is measured among 1 too). Runs inside the headless desktop of
// tests/wayland/wayland-desktop.sh (scripts/bench-all.sh starts it).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "BusCall.h"
#include "ClassRegistration.h"
#include "EventLoopWait.h"
#include "FillerBindings.h"
#include "KdeHotKeys.h"
#include "PortalHotKeys.h"
#include "ShellTestSupport.h"
#include "WaylandKeyboard.h"
#include "XServerFixture.h"

namespace tulma::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int HotKeyCount = 1000;
// evdev codes.
constexpr std::uint32_t Ctrl = 29;
constexpr std::uint32_t Alt = 56;
constexpr std::uint32_t K = 37;
constexpr std::uint32_t L = 38;
constexpr auto PressEvery = std::chrono::milliseconds(5);
constexpr auto QuietAfterPresses = std::chrono::milliseconds(500);

test::WaylandKeyboard& Keyboard() {
    static test::WaylandKeyboard Shared;
    return Shared;
}

void PressCtrlAlt(std::uint32_t Key) {
    for (const std::uint32_t Code : {Ctrl, Alt, Key}) {
        Keyboard().Press(Code);
    }
    for (const std::uint32_t Code : {Key, Alt, Ctrl}) {
        Keyboard().Release(Code);
    }
    Keyboard().Sync();
}

// Presses Ctrl+Alt+Key every few milliseconds, running Qt's events in between, until Answered holds; the
// seconds since Start. Throws after 20 s.
double PressUntil(std::uint32_t Key, Clock::time_point Start, const std::function<bool()>& Answered) {
    while (!Answered()) {
        if (Clock::now() - Start > std::chrono::seconds(20)) {
            throw std::runtime_error("no answer within 20 s");
        }
        PressCtrlAlt(Key);
        // Running the events alone would press again as soon as none is pending, a thousand times a second
        // and more, which keeps KWin, and KDE's shortcut service in it, busy with the keys.
        test::WaitUntil(Answered, PressEvery, std::chrono::milliseconds(1));
    }
    return std::chrono::duration<double>(Clock::now() - Start).count();
}

double ResidentMegabytes(pid_t Pid) {
    std::ifstream Status("/proc/" + std::to_string(Pid) + "/status");
    for (std::string Line; std::getline(Status, Line);) {
        if (Line.rfind("VmRSS:", 0) == 0) {
            return std::stod(Line.substr(6)) / 1024;
        }
    }
    return 0;
}

// The real program, minimised as after an autostart, with its hotkeys through Backend ("kde", "portal"), on
// Qt's platform of its choice or on the one named by Platform (QT_QPA_PLATFORM).
void BM_StartUntilLastAnswers(benchmark::State& State, const std::string& Backend, const char* Platform) {
    // A folder for each count: the portal's desktop remembers a group's shortcuts, which are the file's.
    const fs::path Dir =
        fs::path(std::getenv("HOME")) /
        ("start-" + Backend + (Platform != nullptr ? Platform : "") + "-" + std::to_string(State.range(0)));
    fs::create_directories(Dir);
    const fs::path Marker = Dir / "marker";
    std::vector<test::THotKeyOutline> HotKeys;
    for (const std::uint16_t Combination : FillerCombinations(static_cast<int>(State.range(0)) - 1)) {
        HotKeys.emplace_back("Hotkey " + std::to_string(HotKeys.size()), Combination, "/bin/true");
    }
    // The portal's desktop keeps an ended session's keys held: each count has a last key of its own.
    const bool One = State.range(0) == 1;
    HotKeys.emplace_back("Last", static_cast<std::uint16_t>(CtrlBit | AltBit | (One ? 'L' : 'K')),
                         "/usr/bin/touch", Marker.string());
    const std::string File = (Dir / "large.tul").string();
    test::WriteHotKeyFile(File, HotKeys, true);
    double Megabytes = 0;
    for (auto _ : State) {
        fs::remove(Marker);
        const auto Start = Clock::now();
        if (Platform != nullptr) {
            setenv("QT_QPA_PLATFORM", Platform, 1);
        }
        const pid_t Tulma = test::StartProgram({TULMA_PROGRAM, "--hotkeys=" + Backend, File});
        unsetenv("QT_QPA_PLATFORM");
        std::string Failure;
        try {
            State.SetIterationTime(PressUntil(One ? L : K, Start, [&] { return fs::exists(Marker); }));
        } catch (const std::exception& Error) {
            Failure = Error.what();
        }
        Megabytes = ResidentMegabytes(Tulma);
        State.PauseTiming();
        test::Terminate(Tulma);
        if (!Failure.empty()) {
            State.SkipWithError(Failure.c_str());
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        State.ResumeTiming();
    }
    State.counters["RSS_MB"] = Megabytes;
}

// A registry to edit and the component of KDE's shortcut service that ends up holding its shortcuts.
struct TEditRow {
    std::function<std::unique_ptr<IHotKeyRegistry>()> NewRegistry;
    QString Component;
};

// KDE's service keeps the shortcuts of an ended portal session, inactive, with their keys and their last
// triggers: the next start would find its hotkey moved to the edited combination, and later rows would
// find Ctrl+Alt+K and L taken. They are removed, as KDE's settings would remove them, once the portal has
// let them go (it sets them inactive one by one after the session's end).
void RemoveEndedShortcuts(const QString& Component) {
    const auto Call = [&](const QString& Method) {
        return CallBusMethod(
            QDBusConnection::sessionBus(),
            {QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/component/") + Component,
             QStringLiteral("org.kde.kglobalaccel.Component"), Method},
            {}, 2000);
    };
    test::WaitUntil(
        [&] {
            const QDBusMessage Reply = Call(QStringLiteral("isActive"));
            return Reply.type() != QDBusMessage::ReplyMessage || !Reply.arguments().value(0).toBool();
        },
        std::chrono::seconds(20));
    Call(QStringLiteral("cleanUp"));
}

// A set of the given number of hotkeys registered and answering, the last on Ctrl+Alt+K; then that one
// moves to Ctrl+Alt+L.
void BM_EditUntilWorking(benchmark::State& State, const TEditRow& Row) {
    std::vector<THotKeyRegistration> Registrations;
    for (const std::uint16_t Combination : FillerCombinations(static_cast<int>(State.range(0)) - 1)) {
        Registrations.push_back({static_cast<std::uint16_t>(Registrations.size()),
                                 ((Combination & CtrlBit) != 0 ? MOD_CONTROL : 0U) |
                                     ((Combination & AltBit) != 0 ? MOD_ALT : 0U) |
                                     ((Combination & ShiftBit) != 0 ? MOD_SHIFT : 0U),
                                 static_cast<std::uint8_t>(Combination & 0xFF)});
    }
    const auto Last = static_cast<std::uint16_t>(Registrations.size());
    Registrations.push_back({Last, MOD_CONTROL | MOD_ALT, 'K'});
    for (auto _ : State) {
        State.PauseTiming();
        std::string Failure;
        {
            const auto Keys = Row.NewRegistry();
            bool Ran = false;
            auto Reported = Clock::now();
            Keys->SetPressHandler([&](std::uint16_t Id) {
                Ran = Ran || Id == Last;
                Reported = Clock::now();
            });
            Keys->RegisterHotKeys(Registrations);
            State.ResumeTiming();
            try {
                PressUntil(K, Clock::now(), [&] { return Ran; });
                // The presses of Ctrl+Alt+K sent while the desktop was still binding are reported late, all
                // at once: they must not pass for presses of the new combination.
                test::WaitUntil([&] { return Clock::now() - Reported > QuietAfterPresses; },
                                std::chrono::seconds(20));
                Ran = false;
                const auto Start = Clock::now();
                Keys->UnregisterHotKey(Last);
                Keys->RegisterHotKey(Last, MOD_CONTROL | MOD_ALT, 'L');
                State.SetIterationTime(PressUntil(L, Start, [&] { return Ran; }));
            } catch (const std::exception& Error) {
                Failure = Error.what();
            }
            State.PauseTiming();
        }
        RemoveEndedShortcuts(Row.Component);
        if (!Failure.empty()) {
            State.SkipWithError(Failure.c_str());
            break;
        }
        State.ResumeTiming();
    }
}

const TEditRow KdeEdit{[] {
                           return std::make_unique<TKdeHotKeys>([] {
                               return TKdeComponent{"tulma_bench_edit", "Tulma: bench"};
                           });
                       },
                       QStringLiteral("tulma_bench_edit")};
const TEditRow PortalEdit{
    [] { return std::make_unique<TPortalHotKeys>([] { return std::string("tulma_bench_portal_edit"); }); },
    QStringLiteral("tulma_bench_portal_edit")};

void Configure(benchmark::internal::Benchmark* Bench) {
    Bench->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
}

}  // namespace
}  // namespace tulma::bench

int main(int Argc, char** Argv) {
    using namespace tulma::bench;
    static int QtArgc = 1;
    QCoreApplication Application(QtArgc, Argv);
    tulma::RegisterAllClasses();
    // The edit first: it needs Ctrl+Alt+K and L free, which an ended portal session's keys are not.
    Configure(benchmark::RegisterBenchmark("EditUntilWorking/tulma-kde", BM_EditUntilWorking, KdeEdit)
                  ->Arg(HotKeyCount));
    // The portal binds the whole set again: the edit is measured with 1 hotkey too.
    Configure(benchmark::RegisterBenchmark("EditUntilWorking/tulma-portal", BM_EditUntilWorking, PortalEdit)
                  ->Arg(HotKeyCount)
                  ->Arg(1));
    // KDE's service with Tulma on XWayland too: how much of the start is Qt's Wayland platform.
    for (const auto& [Backend, Platform] :
         {std::pair<std::string, const char*>{"kde", nullptr}, {"kde", "xcb"}, {"portal", nullptr}}) {
        const std::string Name =
            "StartUntilLastAnswers/tulma-" + Backend + (Platform != nullptr ? "-xcb" : "");
        Configure(benchmark::RegisterBenchmark(Name.c_str(), BM_StartUntilLastAnswers, Backend, Platform)
                      ->Arg(HotKeyCount)
                      ->Arg(1));
    }
    benchmark::Initialize(&Argc, Argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
