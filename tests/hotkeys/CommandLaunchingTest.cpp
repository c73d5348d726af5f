#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "HotKeyFixtures.h"
#include "PlatformFakes.h"

namespace tulma {
namespace {

class CommandLaunching : public testing::Test {
  protected:
    void Run(const THotKeyCommand& Command) { Command.ExecuteCommand(Windows, Starter); }

    // Files under /no/ do not exist.
    CommandLaunching() { Starter.MissingUnder = "/no/"; }

    test::FakeDesktopWindows Windows;
    test::FakeLauncher Starter;
    test::FakeLaunchFailures Failures;
};

TEST_F(CommandLaunching, HotKeyRunsItsCommandsInTheOrderTheyWereAdded) {
    auto HotKey = test::HotKey("three", 0x4141);
    HotKey->Commands().Add(test::Command("c1", "/bin/first"));
    HotKey->Commands().Add(test::Command("c2", "%TULMA_TEST_NO%/such/file"));
    HotKey->Commands().Add(test::Command("c3", "/bin/third"));
    setenv("TULMA_TEST_NO", "/no", 1);
    HotKey->ExecuteHotKey(Windows, Starter, Failures);
    ASSERT_EQ(Starter.Started.size(), 3u);
    EXPECT_EQ(Starter.Started[0].File, "/bin/first");
    EXPECT_EQ(Starter.Started[1].File, "/no/such/file");
    EXPECT_EQ(Starter.Started[2].File, "/bin/third");
    EXPECT_EQ(Failures.Told,
              (std::vector<TLaunchFailure>{{"three", "%TULMA_TEST_NO%/such/file", "file not found"}}))
        << "told once, under the hotkey's name, with the file as written";
}

TEST_F(CommandLaunching, FoundWindowIsNoFailure) {
    Windows.SetTitles({{1, "Editor"}});
    auto HotKey = test::HotKey("edit", 0x4141);
    auto Command = test::Command("e", "/no/editor");
    Command->LookForWindow = "edit";
    HotKey->Commands().Add(std::move(Command));
    HotKey->ExecuteHotKey(Windows, Starter, Failures);
    EXPECT_TRUE(Failures.Told.empty());
}

TEST_F(CommandLaunching, FoundWindowIsRestoredInsteadOfStarting) {
    Windows.SetTitles({{1, "Terminal"}, {2, "Untitled - NOTEPAD"}, {3, "notes.txt - NOTEPAD"}});
    auto Command = test::Command("n", "notepad");
    Command->LookForWindow = "note";
    Command->ExecMode = 1;
    Run(*Command);
    EXPECT_EQ(Windows.Restored, std::vector<TWindowHandle>{2}) << "the first match from the top";
    EXPECT_TRUE(Starter.Started.empty());
}

TEST_F(CommandLaunching, WithoutTextOrMatchTheProgramStarts) {
    Windows.SetTitles({{1, "Untitled - NOTEPAD"}, {2, ""}});
    auto Command = test::Command("n", "notepad");
    Run(*Command);
    Command->LookForWindow = "wordpad";
    Run(*Command);
    EXPECT_TRUE(Windows.Restored.empty());
    EXPECT_EQ(Starter.Started.size(), 2u);
}

TEST_F(CommandLaunching, StarInTheTextIsAnOrdinaryCharacter) {
    Windows.SetTitles({{1, "x aXb y"}, {2, "x a*b y"}});
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
        EXPECT_EQ(Starter.Started.back().ShowCommand, Show) << "exec mode " << Mode;
    }
}

TEST_F(CommandLaunching, EnvironmentIsExpandedInCopiesOnly) {
    setenv("TULMA_TEST_DIR", "/opt/tools", 1);
    unsetenv("TULMA_TEST_UNSET");
    auto Command = test::Command("env", "%TULMA_TEST_DIR%/run");
    Command->Parameters = "--in %TULMA_TEST_DIR% %TULMA_TEST_UNSET%";
    Command->Directory = "%TULMA_TEST_DIR%";
    Run(*Command);
    EXPECT_EQ(Starter.Started.back(),
              (test::FakeLauncher::Start{"/opt/tools/run", "--in /opt/tools ", "/opt/tools", 1}));
    EXPECT_EQ(Command->Exec, "%TULMA_TEST_DIR%/run");
    EXPECT_EQ(Command->Directory, "%TULMA_TEST_DIR%");
}

}  // namespace
}  // namespace tulma
