#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "DesktopWindows.h"
#include "HotKeyFixtures.h"
#include "LaunchFailureReport.h"
#include "Launcher.h"

namespace tulma {
namespace {

struct TStartRequest {
    std::string File, Parameters, Directory;
    int ShowCommand;
    bool operator==(const TStartRequest&) const = default;
};

// Files under /no/ do not exist.
class FakeLauncher : public ILauncher {
  public:
    std::vector<TStartRequest> Launches;
    TLaunchResult Launch(const std::string& File, const std::string& Parameters, const std::string& Directory,
                         TShowCommand Show) override {
        Launches.push_back({File, Parameters, Directory, static_cast<int>(Show)});
        return File.starts_with("/no/") ? TLaunchResult{false, "file not found"} : TLaunchResult{true, {}};
    }
};

struct Told {
    std::string HotKey, File, Reason;
    bool operator==(const Told&) const = default;
};

class FakeFailures : public ILaunchFailureReport {
  public:
    std::vector<Told> Failures;
    void CommandFailed(const TLaunchFailure& Failure) override {
        Failures.push_back({Failure.HotKey, Failure.File, Failure.Reason});
    }
};

class FakeWindows : public IDesktopWindows {
  public:
    std::vector<std::pair<TWindowHandle, std::string>> Windows;
    std::vector<TWindowHandle> Restored;
    std::vector<TWindowHandle> TopLevelWindows() override {
        std::vector<TWindowHandle> Handles;
        for (const auto& Window : Windows) {
            Handles.push_back(Window.first);
        }
        return Handles;
    }
    std::string WindowTitle(TWindowHandle Handle) override {
        for (const auto& [Window, Title] : Windows) {
            if (Window == Handle) {
                return Title;
            }
        }
        return {};
    }
    void RestoreAndActivate(TWindowHandle Window) override { Restored.push_back(Window); }
};

class CommandLaunching : public testing::Test {
  protected:
    void Run(const THotKeyCommand& Command) { Command.ExecuteCommand(Windows, Starter); }

    FakeWindows Windows;
    FakeLauncher Starter;
    FakeFailures Failures;
};

TEST_F(CommandLaunching, HotKeyRunsItsCommandsInTheOrderTheyWereAdded) {
    auto HotKey = test::HotKey("three", 0x4141);
    HotKey->Commands().Add(test::Command("c1", "/bin/first"));
    HotKey->Commands().Add(test::Command("c2", "%TULMA_TEST_NO%/such/file"));
    HotKey->Commands().Add(test::Command("c3", "/bin/third"));
    setenv("TULMA_TEST_NO", "/no", 1);
    HotKey->ExecuteHotKey(Windows, Starter, Failures);
    ASSERT_EQ(Starter.Launches.size(), 3u);
    EXPECT_EQ(Starter.Launches[0].File, "/bin/first");
    EXPECT_EQ(Starter.Launches[1].File, "/no/such/file");
    EXPECT_EQ(Starter.Launches[2].File, "/bin/third");
    EXPECT_EQ(Failures.Failures,
              (std::vector<Told>{{"three", "%TULMA_TEST_NO%/such/file", "file not found"}}))
        << "told once, under the hotkey's name, with the file as written";
}

TEST_F(CommandLaunching, FoundWindowIsNoFailure) {
    Windows.Windows = {{1, "Editor"}};
    auto HotKey = test::HotKey("edit", 0x4141);
    auto Command = test::Command("e", "/no/editor");
    Command->LookForWindow = "edit";
    HotKey->Commands().Add(std::move(Command));
    HotKey->ExecuteHotKey(Windows, Starter, Failures);
    EXPECT_TRUE(Failures.Failures.empty());
}

TEST_F(CommandLaunching, FoundWindowIsRestoredInsteadOfStarting) {
    Windows.Windows = {{1, "Terminal"}, {2, "Untitled - NOTEPAD"}, {3, "notes.txt - NOTEPAD"}};
    auto Command = test::Command("n", "notepad");
    Command->LookForWindow = "note";
    Command->ExecMode = 1;
    Run(*Command);
    EXPECT_EQ(Windows.Restored, std::vector<TWindowHandle>{2}) << "the first match from the top";
    EXPECT_TRUE(Starter.Launches.empty());
}

TEST_F(CommandLaunching, WithoutTextOrMatchTheProgramStarts) {
    Windows.Windows = {{1, "Untitled - NOTEPAD"}, {2, ""}};
    auto Command = test::Command("n", "notepad");
    Run(*Command);
    Command->LookForWindow = "wordpad";
    Run(*Command);
    EXPECT_TRUE(Windows.Restored.empty());
    EXPECT_EQ(Starter.Launches.size(), 2u);
}

TEST_F(CommandLaunching, StarInTheTextIsAnOrdinaryCharacter) {
    Windows.Windows = {{1, "x aXb y"}, {2, "x a*b y"}};
    auto Command = test::Command("s", "prog");
    Command->LookForWindow = "a*b";
    Run(*Command);
    EXPECT_EQ(Windows.Restored, std::vector<TWindowHandle>{2});
}

TEST_F(CommandLaunching, ExecModesBecomeShowCommands) {
    const std::map<int32_t, int> Expected{{0, 1}, {1, 3}, {2, 2}, {3, 8}, {4, 7}, {5, 1}, {-1, 1}, {1000, 1}};
    for (const auto& [Mode, Show] : Expected) {
        auto Command = test::Command("m", "prog");
        Command->ExecMode = Mode;
        Run(*Command);
        EXPECT_EQ(Starter.Launches.back().ShowCommand, Show) << "exec mode " << Mode;
    }
}

TEST_F(CommandLaunching, EnvironmentIsExpandedInCopiesOnly) {
    setenv("TULMA_TEST_DIR", "/opt/tools", 1);
    unsetenv("TULMA_TEST_UNSET");
    auto Command = test::Command("env", "%TULMA_TEST_DIR%/run");
    Command->Parameters = "--in %TULMA_TEST_DIR% %TULMA_TEST_UNSET%";
    Command->Directory = "%TULMA_TEST_DIR%";
    Run(*Command);
    EXPECT_EQ(Starter.Launches.back(),
              (TStartRequest{"/opt/tools/run", "--in /opt/tools ", "/opt/tools", 1}));
    EXPECT_EQ(Command->Exec, "%TULMA_TEST_DIR%/run");
    EXPECT_EQ(Command->Directory, "%TULMA_TEST_DIR%");
}

}  // namespace
}  // namespace tulma
