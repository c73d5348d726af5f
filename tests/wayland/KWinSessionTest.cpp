// Tulma in a KWin Wayland session as a Plasma user has it, every case in the one desktop that
// wayland-desktop.sh starts for this program: class matching and cycling over native and X11 windows,
// the environment of the programs it starts, two instances on different files, its own windows on
// Wayland with or without X, brought forward by a second start, its keys on the compositor's keymap, and
// its hotkeys as KDE's global shortcuts. KDE keeps a killed Tulma's shortcuts (until that file's next
// start), so each case presses keys that no earlier one binds.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QProcess>

#include <xcb/xcb.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "HotKeyCommand.h"
#include "KWinDesktopWindows.h"
#include "KdeHotKeys.h"
#include "PlatformFakes.h"
#include "ShellTestSupport.h"
#include "VirtualKeys.h"
#include "WaylandKeymap.h"
#include "WaylandTestSupport.h"
#include "X11DesktopWindows.h"
#include "X11KeyboardMap.h"
#include "XcbConnection.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& Name) {
    std::ifstream File(Name);
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

class KWinSessionTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int Argc = 1;
        static char Name[] = "test_wayland_session";
        static char* Argv[] = {Name, nullptr};
        static QCoreApplication Application(Argc, Argv);
    }

    void SetUp() override {
        Dir = fs::path(std::getenv("HOME")) / testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(Dir);
        Connection.emplace();
        ASSERT_FALSE(Connection->Failed()) << "no XWayland display";
        X11Windows = std::make_unique<TX11DesktopWindows>(Connection->Get());
        Windows = std::make_unique<TKWinDesktopWindows>(*X11Windows);
    }

    void TearDown() override {
        for (auto& Process : Started) {
            Process->kill();
            Process->waitForFinished(5000);
        }
        Windows.reset();
        X11Windows.reset();
        Connection.reset();
    }

    QProcess& Start(const QString& Program, const QStringList& Arguments,
                    const QProcessEnvironment& Environment = QProcessEnvironment::systemEnvironment(),
                    QProcess::ProcessChannelMode Channels = QProcess::ForwardedChannels) {
        auto& Process = Started.emplace_back(std::make_unique<QProcess>());
        Process->setProcessChannelMode(Channels);
        Process->setProcessEnvironment(Environment);
        Process->start(Program, Arguments);
        EXPECT_TRUE(Process->waitForStarted(10000)) << Program.toStdString();
        return *Process;
    }

    // A native Wayland window, once the desktop shows it.
    void OpenNative(const std::string& Title, const std::string& AppId) {
        const fs::path Ready = Dir / ("ready-" + std::to_string(Started.size()));
        Start(TULMA_WAYLAND_WINDOW, {"--app-id", QString::fromStdString(AppId), QString::fromStdString(Title),
                                     QString::fromStdString(Ready.string())});
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(Ready); }, 20s)) << Title << " did not show";
    }

    // An X11 window in XWayland, once KWin lists it.
    void OpenX11(const std::string& Title, const std::string& Instance, const std::string& Class) {
        Start(TULMA_X11_WINDOW, {QString::fromStdString(Title), "--class", QString::fromStdString(Instance),
                                 QString::fromStdString(Class)});
        ASSERT_TRUE(WaitUntil([&] { return TitleOf(Windows->Snapshot().Windows, Title) != nullptr; }, 20s))
            << Title << " did not show";
    }

    static const TWindowInfo* TitleOf(const std::vector<TWindowInfo>& Listed, const std::string& Title) {
        const auto Found = std::ranges::find(Listed, Title, &TWindowInfo::Title);
        return Found != Listed.end() ? &*Found : nullptr;
    }

    std::string ActiveTitle() {
        const TWindowSnapshot Now = Windows->Snapshot();
        const auto Found = std::ranges::find(Now.Windows, Now.Active, &TWindowInfo::Handle);
        return Found != Now.Windows.end() ? Found->Title : std::string();
    }

    // The titles that four runs of a command with window text Text bring forward, one after the other,
    // the window Other having the focus at first; nothing may be started.
    std::vector<std::string> Cycle(const std::string& Text, const std::string& Other) {
        EXPECT_TRUE(WaitUntil([&] { return ActiveTitle() == Other; }, 20s)) << "active: " << ActiveTitle();
        FakeLauncher Launch;
        THotKeyCommand Command;
        Command.Exec = "never-started";
        Command.LookForWindow = Text;
        std::vector<std::string> Activated;
        for (int Press = 0; Press < 4; ++Press) {
            const std::string Before = ActiveTitle();
            Command.ExecuteCommand(*Windows, Launch);
            EXPECT_TRUE(WaitUntil([&] { return ActiveTitle() != Before; }, 20s)) << "press " << Press + 1;
            Activated.push_back(ActiveTitle());
        }
        EXPECT_TRUE(Launch.Started.empty());
        return Activated;
    }

    // What `tulma --list-windows Text` prints.
    std::string ListWindows(const std::string& Text) {
        QProcess List;
        List.start(TULMA_PROGRAM, {"--list-windows", QString::fromStdString(Text)});
        EXPECT_TRUE(List.waitForFinished(20000));
        return List.readAllStandardOutput().toStdString();
    }

    fs::path Dir;
    std::unique_ptr<TKWinDesktopWindows> Windows;
    std::vector<std::unique_ptr<QProcess>> Started;

  private:
    std::optional<TXcbConnection> Connection;
    std::unique_ptr<TX11DesktopWindows> X11Windows;
};

// Three native windows of one app id and another program's window: `class:` names the app id, whatever
// the titles; the presses go round them as on X11, and both command-line entries see the same windows.
TEST_F(KWinSessionTest, ClassCyclesThroughThreeNativeWindows) {
    for (const std::string Title : {"Cyc One", "Cyc Two", "Cyc Three"}) {
        OpenNative(Title, "cyc.app");
    }
    OpenNative("Other", "other.app");
    EXPECT_EQ(Cycle("class:CYC.APP", "Other"),
              (std::vector<std::string>{"Cyc Three", "Cyc One", "Cyc Two", "Cyc Three"}));

    const std::string Listed = ListWindows("class:cyc.app");
    for (const std::string Title : {"Cyc One", "Cyc Two", "Cyc Three"}) {
        EXPECT_NE(Listed.find("tulma_wayland_window.cyc.app\t" + Title + "\n"), std::string::npos) << Listed;
    }
    EXPECT_EQ(std::ranges::count(Listed, '\n'), 3) << Listed;

    // tulma --run alone raises a match rather than starting the program.
    OpenNative("Other again", "other.app");
    const std::string File = (Dir / "keys.tul").string();
    const fs::path Output = Dir / "started";
    WriteHotKeyFile(File, {{"raise", 0xC000 | 'K', "/bin/touch", Output.string(), "class:cyc.app"}});
    ASSERT_TRUE(WaitUntil([&] { return ActiveTitle() == "Other again"; }, 20s));
    QProcess Run;
    Run.start(TULMA_PROGRAM, {"--run", "raise", QString::fromStdString(File)});
    ASSERT_TRUE(Run.waitForFinished(20000));
    EXPECT_TRUE(WaitUntil([&] { return ActiveTitle().starts_with("Cyc "); }, 20s)) << ActiveTitle();
    EXPECT_FALSE(fs::exists(Output));
}

// The same with three X11 windows (XWayland), named by their WM_CLASS instance or class as the program
// wrote it; KWin's list keeps their X window ids.
TEST_F(KWinSessionTest, ClassCyclesThroughThreeX11Windows) {
    for (const std::string Title : {"X One", "X Two", "X Three"}) {
        OpenX11(Title, "cycinst", "CycClass");
    }
    OpenNative("Other", "other.app");
    EXPECT_EQ(Cycle("class:cycclass", "Other"),
              (std::vector<std::string>{"X Three", "X One", "X Two", "X Three"}));
    const std::string Listed = ListWindows("class:CYCINST");
    EXPECT_NE(Listed.find("cycinst.CycClass\tX Two\n"), std::string::npos) << Listed;
    EXPECT_EQ(std::ranges::count(Listed, '\n'), 3) << Listed;
}

// The environment a started program gets, read from /proc as it was exec'd: the user's as Tulma got it,
// whether a press runs the hotkey in the running Tulma or `tulma --run` alone runs it; Tulma's own Qt
// platform does not leak.
TEST_F(KWinSessionTest, StartedProgramGetsTheUsersEnvironment) {
    struct Case {
        const char* UserPlatform;
        bool Running;
    };
    OpenNative("Focused", "focused.app");
    for (const Case& Each : {Case{nullptr, true}, Case{"xcb", true}, Case{nullptr, false}}) {
        QProcessEnvironment User = QProcessEnvironment::systemEnvironment();
        User.remove("QT_QPA_PLATFORM");
        if (Each.UserPlatform != nullptr) {
            User.insert("QT_QPA_PLATFORM", Each.UserPlatform);
        }
        const fs::path Output = Dir / ("environment-" + std::to_string(Started.size()));
        const std::string File = (Dir / "environment.tul").string();
        WriteHotKeyFile(
            File, {{"env", 0xC000 | 'K', "/bin/sh", "-c \"cat /proc/$$/environ > " + Output.string() + "\""}},
            true);
        const auto Written = [&] { return fs::exists(Output) && !fs::is_empty(Output); };
        if (Each.Running) {
            QProcess& Tulma = Start(TULMA_PROGRAM, {QString::fromStdString(File)}, User);
            ASSERT_TRUE(PressUntil(KCode, Written));
            Tulma.terminate();
            Tulma.waitForFinished(10000);
        } else {
            QProcess Run;
            Run.setProcessEnvironment(User);
            Run.start(TULMA_PROGRAM, {"--run", "env", QString::fromStdString(File)});
            ASSERT_TRUE(Run.waitForFinished(20000));
            ASSERT_TRUE(WaitUntil(Written, 20s));
        }

        std::set<std::string> Got;
        std::istringstream Entries(ReadFile(Output));
        for (std::string Entry; std::getline(Entries, Entry, '\0');) {
            if (!Entry.starts_with("XDG_ACTIVATION_TOKEN=") && !Entry.starts_with("DESKTOP_STARTUP_ID=")) {
                Got.insert(Entry);
            }
        }
        std::set<std::string> Expected;
        for (const QString& Entry : User.toStringList()) {
            Expected.insert(Entry.toStdString());
        }
        EXPECT_EQ(Got, Expected) << "user platform " << (Each.UserPlatform ? Each.UserPlatform : "none")
                                 << (Each.Running ? ", running Tulma" : ", tulma --run alone");
    }
}

// Tulma draws its own windows as a native Wayland client, with XWayland or without any X display; its
// hotkeys run either way, and without X it says what it cannot do. Each case has a key that no other case
// here uses: the desktop keeps an ended Tulma's keys for it.
TEST_F(KWinSessionTest, MainWindowIsNativeAndHotKeysRunWithOrWithoutX) {
    for (const bool WithX : {true, false}) {
        const char Key = WithX ? 'N' : 'P';
        QProcessEnvironment User = QProcessEnvironment::systemEnvironment();
        if (!WithX) {
            User.remove("DISPLAY");
        }
        const fs::path Output = Dir / (WithX ? "ran-with-x" : "ran-without-x");
        const std::string File = (Dir / (WithX ? "with-x.tul" : "without-x.tul")).string();
        WriteHotKeyFile(File,
                        {{"touch", static_cast<std::uint16_t>(0xC000 | Key), "/bin/touch", Output.string()}});
        QProcess& Tulma =
            Start(TULMA_PROGRAM, {QString::fromStdString(File)}, User, QProcess::MergedChannels);
        const auto NativeMain = [&] {
            const TWindowSnapshot Now = Windows->Snapshot();
            return std::ranges::any_of(Now.Windows, [](const TWindowInfo& Window) {
                return Window.Title.starts_with("Tulma") && Window.Class == "tulma" &&
                       Window.Handle > 0xFFFFFFFF;
            });
        };
        EXPECT_TRUE(WaitUntil(NativeMain, 20s)) << (WithX ? "with X" : "without X");
        OpenNative(WithX ? "Focus with X" : "Focus without X", "focused.app");
        EXPECT_TRUE(PressUntil(WithX ? NCode : PCode, [&] { return fs::exists(Output); }))
            << (WithX ? "with X" : "without X");
        Tulma.terminate();
        Tulma.waitForFinished(10000);
        const std::string Said = Tulma.readAll().toStdString();
        EXPECT_EQ(Said.find("Without X11 (no X display (DISPLAY is not set))") != std::string::npos, !WithX)
            << Said;
    }
}

// A second start on the same file brings the running Tulma's window forward over the focused one.
TEST_F(KWinSessionTest, SecondStartBringsTheRunningTulmaForward) {
    const std::string File = (Dir / "forward.tul").string();
    WriteHotKeyFile(File, {});
    Start(TULMA_PROGRAM, {QString::fromStdString(File)});
    const std::string Title = "Tulma - forward.tul";
    ASSERT_TRUE(WaitUntil([&] { return TitleOf(Windows->Snapshot().Windows, Title) != nullptr; }, 20s));
    OpenNative("Focused over Tulma", "focused.app");
    ASSERT_TRUE(WaitUntil([&] { return ActiveTitle() == "Focused over Tulma"; }, 20s));
    QProcess Again;
    Again.start(TULMA_PROGRAM, {QString::fromStdString(File)});
    ASSERT_TRUE(Again.waitForFinished(20000));
    EXPECT_TRUE(WaitUntil([&] { return ActiveTitle() == Title; }, 20s)) << ActiveTitle();
}

// Without X, captured keys and key names come from the compositor's keymap: every code names the same
// keys as on XWayland, which mirrors it.
TEST_F(KWinSessionTest, CompositorKeymapGivesTheKeysOfXWayland) {
    TWaylandKeymap Keymap;
    const std::optional<TKeyboardLayout> Wayland = Keymap.Layout();
    ASSERT_TRUE(Wayland.has_value());
    const TXcbConnection X;
    const TX11KeyboardMap X11(X.Get());
    for (int Code = 1; Code < 0xFF; ++Code) {
        const auto VirtualKey = static_cast<std::uint8_t>(Code);
        EXPECT_EQ(Wayland->KeycodesForVirtualKey(VirtualKey), X11.KeycodesForVirtualKey(VirtualKey)) << Code;
        EXPECT_EQ(Wayland->KeyName(VirtualKey), X11.KeyName(VirtualKey)) << Code;
    }
}

// KDE's shortcut service, asked for the components it knows: each one's title in its settings and the
// names of its actions.
std::map<std::string, QStringList> ShortcutComponents() {
    QDBusConnection Bus = QDBusConnection::sessionBus();
    const QDBusReply<QList<QDBusObjectPath>> Components = Bus.call(QDBusMessage::createMethodCall(
        "org.kde.kglobalaccel", "/kglobalaccel", "org.kde.KGlobalAccel", "allComponents"));
    std::map<std::string, QStringList> Listed;
    for (const QDBusObjectPath& Path : Components.value()) {
        QDBusMessage Ask = QDBusMessage::createMethodCall("org.kde.kglobalaccel", Path.path(),
                                                          "org.freedesktop.DBus.Properties", "Get");
        Ask.setArguments({"org.kde.kglobalaccel.Component", "friendlyName"});
        const QDBusReply<QVariant> Name = Bus.call(Ask);
        const QDBusReply<QStringList> Actions = Bus.call(QDBusMessage::createMethodCall(
            "org.kde.kglobalaccel", Path.path(), "org.kde.kglobalaccel.Component", "shortcutNames"));
        Listed[Name.value().toString().toStdString()] = Actions.value();
    }
    return Listed;
}

// The names of the actions of the components whose title starts with Title, in order, separated by spaces.
std::string ComponentActions(const std::string& Title) {
    QStringList Actions;
    for (const auto& [Name, Listed] : ShortcutComponents()) {
        if (Name.starts_with(Title)) {
            Actions += Listed;
        }
    }
    Actions.sort();
    return Actions.join(' ').toStdString();
}

// Two Tulmas on different files, both with KDE's shortcut service; the second ends (SIGTERM) and the
// first's hotkeys still run. KDE's settings show them as two components, titled by their files.
TEST_F(KWinSessionTest, OneOfTwoInstancesEndsAndTheOtherStillFires) {
    const auto Lines = [&](const std::string& Name) {
        return std::ranges::count(ReadFile(Dir / Name), '\n');
    };
    const auto Adding = [&](const std::string& Name, std::uint16_t Combination) {
        return THotKeyOutline(Name, Combination, "/bin/sh", "-c \"echo >> " + (Dir / Name).string() + "\"");
    };
    WriteHotKeyFile((Dir / "first.tul").string(), {Adding("first", 0xC000 | 'J')}, true);
    WriteHotKeyFile((Dir / "second.tul").string(), {Adding("second", 0xC000 | 'M')}, true);
    Start(TULMA_PROGRAM, {QString::fromStdString((Dir / "first.tul").string())});
    QProcess& Second = Start(TULMA_PROGRAM, {QString::fromStdString((Dir / "second.tul").string())});
    OpenNative("Focused", "focused.app");
    ASSERT_TRUE(PressUntil(JCode, [&] { return Lines("first") > 0; }));
    ASSERT_TRUE(PressUntil(MCode, [&] { return Lines("second") > 0; }));

    EXPECT_EQ(ComponentActions("Tulma: first.tul ("), "hotkey-0");
    EXPECT_EQ(ComponentActions("Tulma: second.tul ("), "hotkey-0");

    Second.terminate();
    ASSERT_TRUE(Second.waitForFinished(10000));
    const auto Runs = Lines("first");
    EXPECT_TRUE(PressUntil(JCode, [&] { return Lines("first") > Runs; }));
}

// The registry on its own: presses, a held key, an edit and a deletion, each followed by a press that does
// run, so that a run that should not happen would have come before it; and what KDE refuses, with why.
TEST_F(KWinSessionTest, KdeShortcutsRunOncePerPressFollowEditsAndNameWhoHoldsARefusedOne) {
    TKdeHotKeys Keys([] { return TKdeComponent{"tulma_registry", "Tulma: registry"}; });
    std::vector<std::uint16_t> Presses;
    Keys.SetPressHandler([&](std::uint16_t Id) { Presses.push_back(Id); });
    const auto PressUntilRun = [&](unsigned KeyCode, std::uint16_t Id) {
        Presses.clear();
        return PressUntil(KeyCode, [&] { return !Presses.empty() && Presses.back() == Id; });
    };
    const THotKeyRegistration Asked[] = {{1, MOD_CONTROL | MOD_ALT, 'L'},
                                         {2, MOD_CONTROL | MOD_ALT, 'R'},
                                         {3, MOD_CONTROL | MOD_ALT, 'R'},
                                         {4, MOD_CONTROL, Vk::F1},
                                         {5, MOD_CONTROL, 0xFF}};
    EXPECT_EQ(Keys.RegisterHotKeys(Asked), (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(Keys.RefusalReason(4), "KDE gives it to \"Switch to Desktop 1\" of KWin");
    OpenNative("Focused", "focused.app");
    ASSERT_TRUE(PressUntilRun(LCode, 1));
    Presses.clear();
    ASSERT_TRUE(PressCtrlAlt(LCode, 1500));
    ASSERT_TRUE(PressUntilRun(RCode, 2));
    EXPECT_EQ(std::ranges::count(Presses, 1), 1);

    TKdeHotKeys Other([] { return TKdeComponent{"tulma_other", "Tulma: other"}; });
    EXPECT_FALSE(Other.RegisterHotKey(1, MOD_CONTROL | MOD_ALT, 'L'));
    EXPECT_EQ(Other.RefusalReason(1), "KDE gives it to \"hotkey-1\" of Tulma: registry");

    Keys.UnregisterHotKey(2);
    Keys.UnregisterHotKey(1);
    ASSERT_TRUE(Keys.RegisterHotKey(1, MOD_CONTROL | MOD_ALT, 'R'));
    ASSERT_TRUE(PressUntilRun(RCode, 1));
    ASSERT_TRUE(PressCtrlAlt(LCode));
    ASSERT_TRUE(PressUntilRun(RCode, 1));
    EXPECT_EQ(Presses, std::vector<std::uint16_t>{1});
    EXPECT_EQ(ComponentActions("Tulma: registry"), "hotkey-1");

    // A reload takes every hotkey back and registers the file again: only the changed one reaches KDE.
    ASSERT_TRUE(Keys.RegisterHotKey(2, MOD_CONTROL | MOD_ALT, 'L'));
    QProcess Monitor;
    Monitor.start("dbus-monitor", {"--session", "type='method_call',interface='org.kde.KGlobalAccel'"});
    ASSERT_TRUE(WaitUntil([&] { return Monitor.waitForReadyRead(10) || Monitor.bytesAvailable() > 0; }, 20s));
    const std::uint16_t Reloaded[] = {1, 2};
    Keys.UnregisterHotKeys(Reloaded);
    const THotKeyRegistration Again[] = {{1, MOD_CONTROL | MOD_ALT, 'R'},
                                         {2, MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'L'}};
    EXPECT_EQ(Keys.RegisterHotKeys(Again), (std::vector<bool>{true, true}));
    ASSERT_TRUE(PressUntilRun(RCode, 1));
    const QByteArray Sent = Monitor.readAll();
    Monitor.kill();
    Monitor.waitForFinished();
    EXPECT_EQ(Sent.count("member=setShortcut"), 1) << Sent.toStdString();
    EXPECT_EQ(Sent.count("member=unregister"), 1) << Sent.toStdString();
}

// A Tulma's shortcuts go with it: a killed one's stay in KDE until its file's next start removes them, and
// one that ends (SIGTERM) takes its own back.
TEST_F(KWinSessionTest, KdeShortcutsGoWithTheirTulmaAndAKilledOnesWithItsNextStart) {
    const std::string File = (Dir / "gone.tul").string();
    const fs::path Before = Dir / "before", After = Dir / "after";
    WriteHotKeyFile(File, {{"before", 0xC000 | 'L', "/bin/touch", Before.string()}}, true);
    QProcess& Killed = Start(TULMA_PROGRAM, {QString::fromStdString(File)});
    OpenNative("Focused", "focused.app");
    ASSERT_TRUE(PressUntil(LCode, [&] { return fs::exists(Before); }));
    Killed.kill();
    ASSERT_TRUE(Killed.waitForFinished(10000));
    ASSERT_EQ(ComponentActions("Tulma: gone.tul ("), "hotkey-0") << "KDE no longer keeps a killed one's";

    // The first hotkey, whose action KDE kept, now has no key: only the clean-up can remove that action.
    WriteHotKeyFile(File, {{"idle", 0, "/bin/true"}, {"after", 0xC000 | 'R', "/bin/touch", After.string()}},
                    true);
    QProcess& Again = Start(TULMA_PROGRAM, {QString::fromStdString(File)});
    OpenNative("Focused again", "focused.app");
    ASSERT_TRUE(PressUntil(RCode, [&] { return fs::exists(After); }));
    EXPECT_EQ(ComponentActions("Tulma: gone.tul ("), "hotkey-1");
    fs::remove(Before);
    ASSERT_TRUE(PressCtrlAlt(LCode));
    fs::remove(After);
    ASSERT_TRUE(PressUntil(RCode, [&] { return fs::exists(After); }));
    EXPECT_FALSE(fs::exists(Before));

    Again.terminate();
    ASSERT_TRUE(Again.waitForFinished(10000));
    EXPECT_EQ(ComponentActions("Tulma: gone.tul ("), "");
    EXPECT_FALSE(ShortcutComponents().contains("Tulma: gone.tul (" + Dir.string() + ")"));
}

}  // namespace
}  // namespace tulma::test
