// Tulma's window search in a GNOME Shell session whose user installed and enabled Tulma's extension before
// the shell started (gnome-session.sh runs the whole program in one session): native Wayland windows are
// raised and cycled as X11 windows are, and without the extension the XWayland windows are still found
// while the notice says how to enable it.
#include <gtest/gtest.h>

#include <QProcess>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DesktopBackends.h"
#include "EventLoopWait.h"
#include "GnomeShellWindows.h"
#include "HotKeyCommand.h"
#include "PlatformFakes.h"
#include "ShellTestSupport.h"
#include "StartedProcesses.h"
#include "X11DesktopWindows.h"
#include "XcbConnection.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;

const fs::path Shared = std::getenv("TULMA_GNOME_SHARED") != nullptr ? std::getenv("TULMA_GNOME_SHARED") : "";
constexpr const char* EnableCommand = "gnome-extensions enable tulma-windows@tulma.org";

// Enables or disables every extension of the session; the shell acts on it at once.
void SetExtensionsEnabled(bool Enabled) {
    const std::string Command = std::string("gsettings set org.gnome.shell enabled-extensions \"") +
                                (Enabled ? "['tulma-windows@tulma.org']" : "[]") + "\"";
    ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
}

std::size_t Occurrences(const std::string& Text, const std::string& Part) {
    std::size_t Count = 0;
    for (auto At = Text.find(Part); At != std::string::npos; At = Text.find(Part, At + 1)) {
        ++Count;
    }
    return Count;
}

class GnomeShellWindowsTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { StartCoreApplication("test_gnome_windows"); }

    void SetUp() override {
        Dir = Shared / testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(Dir);
        Connection.emplace();
        ASSERT_FALSE(Connection->Failed()) << "no XWayland display";
        X11Windows = std::make_unique<TX11DesktopWindows>(Connection->Get());
        Windows = std::make_unique<TGnomeShellWindows>(*X11Windows);
        ASSERT_TRUE(WaitUntil(
            [&] {
                Windows->Snapshot();
                return Windows->ExtensionAnswers();
            },
            20s))
            << "the extension does not answer";
    }

    void TearDown() override {
        Windows.reset();
        X11Windows.reset();
        Connection.reset();
    }

    QProcess& Start(const QString& Program, const QStringList& Arguments) {
        return Started.Start(Program, Arguments);
    }

    // A native Wayland window, once the shell shows it (minimised first with --minimize); its ready file.
    fs::path OpenNative(const std::string& Title, const std::string& AppId, bool Minimize = false) {
        const fs::path Ready = Dir / ("ready-" + std::to_string(Started.Count()));
        QStringList Arguments{"--app-id", QString::fromStdString(AppId)};
        if (Minimize) {
            Arguments << "--minimize";
        }
        Start(TULMA_WAYLAND_WINDOW,
              Arguments << QString::fromStdString(Title) << QString::fromStdString(Ready));
        EXPECT_TRUE(WaitUntil([&] { return fs::exists(Ready); }, 20s)) << Title << " did not show";
        return Ready;
    }

    // An X11 window in XWayland, once the window search sees it.
    void OpenX11(const std::string& Title, const std::string& Instance, const std::string& Class) {
        Start(TULMA_X11_WINDOW, {QString::fromStdString(Title), "--class", QString::fromStdString(Instance),
                                 QString::fromStdString(Class)});
        ASSERT_TRUE(WaitUntil([&] { return Listed(Title).has_value(); }, 20s)) << Title << " did not show";
    }

    std::optional<TWindowInfo> Listed(const std::string& Title) {
        const std::vector<TWindowInfo> Now = Windows->Snapshot().Windows;
        const auto Found = std::ranges::find(Now, Title, &TWindowInfo::Title);
        return Found != Now.end() ? std::optional(*Found) : std::nullopt;
    }

    std::string ActiveTitle() {
        const TWindowSnapshot Now = Windows->Snapshot();
        const auto Found = std::ranges::find(Now.Windows, Now.Active, &TWindowInfo::Handle);
        return Found != Now.Windows.end() ? Found->Title : std::string();
    }

    // Gives the window titled Title the focus for good: a new window may still take it a while after it
    // shows (an X11 one does, a native one when the shell grants its own late request).
    void Focus(const std::string& Title) {
        for (int Attempt = 0; Attempt < 5; ++Attempt) {
            Windows->RestoreAndActivate(Listed(Title)->Handle);
            WaitUntil([&] { return ActiveTitle() == Title; }, 20s);
            WaitUntil([] { return false; }, 1s);
            if (ActiveTitle() == Title) {
                return;
            }
        }
        FAIL() << Title << " does not keep the focus; active: " << ActiveTitle();
    }

    // The titles that four runs of Run bring forward, one after the other, Other having the focus at first.
    template <class TRun>
    std::vector<std::string> Cycle(const std::string& Other, TRun Run) {
        Focus(Other);
        std::vector<std::string> Activated;
        for (int Press = 0; Press < 4; ++Press) {
            const std::string Before = ActiveTitle();
            Run();
            EXPECT_TRUE(WaitUntil([&] { return ActiveTitle() != Before; }, 20s)) << "press " << Press + 1;
            Activated.push_back(ActiveTitle());
        }
        return Activated;
    }

    // What `tulma --desktop` prints.
    static std::string DesktopReport() {
        QProcess Report;
        Report.start(TULMA_PROGRAM, {"--desktop"});
        EXPECT_TRUE(Report.waitForFinished(20000));
        return Report.readAllStandardOutput().toStdString();
    }

    fs::path Dir;
    std::unique_ptr<TX11DesktopWindows> X11Windows;
    std::unique_ptr<TGnomeShellWindows> Windows;
    TStartedProcesses Started;

  private:
    std::optional<TXcbConnection> Connection;
};

// A hotkey's window text raises the topmost native match, then the others from the lowest up, each once,
// then round again, as on X11: by title text in the search itself and by `class:` (the app id) in the
// running program, run by `tulma --run`; a minimised native window comes back; an X11 window is found by
// its WM_CLASS under its X window id. Nothing is started.
TEST_F(GnomeShellWindowsTest, HotKeyRaisesAndCyclesNativeWindowsRestoresMinimisedOnesAndFindsX11Ones) {
    const std::string File = (Dir / "keys.tul").string();
    const fs::path Output = Dir / "started";
    WriteHotKeyFile(File, {{"raise", 0xC000 | 'K', "/bin/touch", Output.string(), "class:editor.app"}}, true);
    QProcess& Tulma = Start(TULMA_PROGRAM, {QString::fromStdString(File)});
    for (const char* Title : {"Editor One", "Editor Two", "Editor Three"}) {
        OpenNative(Title, "editor.app");
    }
    OpenNative("Other", "other.app");

    FakeLauncher Launch;
    THotKeyCommand Command;
    Command.Exec = "never-started";
    Command.LookForWindow = "EDITOR";
    EXPECT_EQ(Cycle("Other", [&] { Command.ExecuteCommand(*Windows, Launch); }),
              (std::vector<std::string>{"Editor Three", "Editor One", "Editor Two", "Editor Three"}));

    const auto RunHotKey = [&] {
        QProcess Run;
        Run.start(TULMA_PROGRAM, {"--run", "raise", QString::fromStdString(File)});
        EXPECT_TRUE(Run.waitForFinished(20000));
        EXPECT_EQ(Run.exitCode(), 0) << Run.readAllStandardError().toStdString();
    };
    EXPECT_EQ(Cycle("Other", RunHotKey),
              (std::vector<std::string>{"Editor Three", "Editor One", "Editor Two", "Editor Three"}));
    EXPECT_EQ(Tulma.state(), QProcess::Running);

    const fs::path Minimised = OpenNative("Hidden away", "hidden.app", true);
    THotKeyCommand Hidden;
    Hidden.LookForWindow = "hidden away";
    Hidden.ExecuteCommand(*Windows, Launch);
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(Minimised.string() + ".activated"); }, 20s))
        << "the minimised window did not come back";

    OpenX11("Terminal", "xterm", "XTerm");
    const auto Terminal = Listed("Terminal");
    EXPECT_EQ(Terminal->Instance, "xterm");
    EXPECT_TRUE(std::ranges::count(X11Windows->TopLevelWindows(), Terminal->Handle) == 1)
        << "not under its X window id";
    Focus("Other");
    THotKeyCommand ByX11Class;
    ByX11Class.LookForWindow = "class:XTerm";
    ByX11Class.ExecuteCommand(*Windows, Launch);
    EXPECT_TRUE(WaitUntil([&] { return ActiveTitle() == "Terminal"; }, 20s)) << ActiveTitle();
    EXPECT_TRUE(Launch.Started.empty());
    EXPECT_FALSE(fs::exists(Output));

    const std::string Report = DesktopReport();
    EXPECT_NE(Report.find("gnome-shell: serves (GNOME Shell and Tulma's extension are on"), std::string::npos)
        << Report;
    EXPECT_NE(Report.find("windows: gnome-shell"), std::string::npos) << Report;
}

// Disabled, the extension no longer answers: the search falls back to the XWayland windows, and the notice
// tells once how to enable the extension, until it answers again.
TEST_F(GnomeShellWindowsTest, WithoutTheExtensionX11WindowsAreFoundAndTheNoticeSaysHowToEnableIt) {
    OpenNative("Native one", "native.app");
    OpenX11("Terminal", "xterm", "XTerm");
    TDesktopBackends Desktop({.NeedHotKeys = false});
    ASSERT_EQ(Desktop.Choice().WindowBackend, "gnome-shell");
    EXPECT_EQ(Occurrences(Desktop.Notice(), "gnome-extensions"), 0U) << Desktop.Notice();
    int NoticeChanges = 0;
    QObject::connect(&Desktop, &TDesktopBackends::NoticeChanged, [&] { ++NoticeChanges; });

    SetExtensionsEnabled(false);
    EXPECT_TRUE(WaitUntil([&] { return !Listed("Native one"); }, 20s)) << "the extension still answers";
    EXPECT_TRUE(Listed("Terminal").has_value());
    EXPECT_FALSE(Windows->ExtensionAnswers());
    Desktop.Windows().Snapshot();
    EXPECT_EQ(NoticeChanges, 1);
    EXPECT_EQ(Occurrences(Desktop.Notice(), EnableCommand), 1U) << Desktop.Notice();
    EXPECT_NE(DesktopReport().find("Tulma's extension is not"), std::string::npos);

    SetExtensionsEnabled(true);
    EXPECT_TRUE(WaitUntil(
        [&] {
            Desktop.Windows().Snapshot();
            return NoticeChanges == 2;
        },
        20s))
        << "the extension does not answer again";
    EXPECT_EQ(Occurrences(Desktop.Notice(), "gnome-extensions"), 0U) << Desktop.Notice();
    EXPECT_TRUE(Listed("Native one").has_value());
}

}  // namespace
}  // namespace tulma::test
