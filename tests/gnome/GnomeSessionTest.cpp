// Hotkeys as GNOME's custom keybindings on a headless GNOME session (gnome-session.sh runs the whole
// program in one session), with key presses through mutter's remote desktop while a native Wayland window
// has the focus: X11 grabs could not see them. The session's settings hold one keybinding of the user's
// own (Ctrl+Alt+u), which every case checks stays as it was.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <signal.h>

#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "EventLoopWait.h"
#include "GnomeHotKeys.h"
#include "GnomeSession.h"
#include "PressRepeats.h"
#include "ShellTestSupport.h"
#include "StartedProcesses.h"
#include "TestFiles.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

namespace fs = std::filesystem;

constexpr unsigned CtrlAlt = MOD_CONTROL | MOD_ALT;
const fs::path Shared = std::getenv("TULMA_GNOME_SHARED") != nullptr ? std::getenv("TULMA_GNOME_SHARED") : "";
const std::string UsersPath = std::string(TGnomeKeybindings::CustomFolder) + "custom0/";
const TGnomeCustomEntry UsersEntry{"User's own", "touch " + (Shared / "user-binding").string(),
                                   "<Control><Alt>u"};

// Ctrl+Alt+Key, held HoldMs before the release.
void PressCtrlAlt(char Key, int HoldMs = 0) {
    const std::string Command = std::string(std::getenv("TULMA_GNOME_KEYS")) + " --hold " +
                                std::to_string(HoldMs) + " Control_L Alt_L " + Key;
    ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
}

class GnomeSessionTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int Argc = 1;
        static char Name[] = "test_gnome";
        static char* Argv[] = {Name, nullptr};
        static QCoreApplication Application(Argc, Argv);
        ASSERT_TRUE(ProveGnomeKeybindings().Works) << ProveGnomeKeybindings().Reason;
    }

    fs::path Dir = Shared / testing::UnitTest::GetInstance()->current_test_info()->name();
    TGnomeKeybindings Settings;
    TStartedProcesses Started;

    void SetUp() override {
        fs::create_directories(Dir);
        ShowWindow();
    }

    void TearDown() override {
        Started.KillAll();
        TGnomeHotKeys::ForgetAll();
        ExpectUsersEntryUntouched();
    }

    void ExpectUsersEntryUntouched() const {
        EXPECT_EQ(Settings.CustomPaths().front(), UsersPath);
        EXPECT_EQ(Settings.Entry(UsersPath), UsersEntry);
    }

    // Tulma's entries, by path.
    std::vector<std::string> TulmaPaths() const {
        std::vector<std::string> Paths = Settings.CustomPaths();
        std::erase_if(Paths,
                      [](const std::string& Path) { return Path.find("/tulma-") == std::string::npos; });
        return Paths;
    }

    bool Binds(const std::string& Binding) const {
        for (const std::string& Path : TulmaPaths()) {
            if (Settings.Entry(Path).Binding == Binding) {
                return true;
            }
        }
        return false;
    }

    QProcess& Start(const QString& Program, const QStringList& Arguments) {
        QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
        Environment.insert("QT_QPA_PLATFORM", Program == TULMA_WAYLAND_WINDOW ? "wayland" : "offscreen");
        return Started.Start(Program, Arguments, Environment);
    }

    // A native Wayland window, which GNOME gives the focus.
    void ShowWindow() {
        const fs::path Ready = Dir / ("ready-" + std::to_string(Started.Count()));
        Start(TULMA_WAYLAND_WINDOW, {"Focused window", QString::fromStdString(Ready.string())});
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(Ready); }, 20s)) << "the window did not show";
    }

    // A hotkey named Output on Ctrl+Alt+Key that adds a line to the file Output.
    THotKeyOutline Adding(const std::string& Output, char Key) const {
        return {Output, static_cast<std::uint16_t>(0xC000 | Key), "/bin/sh",
                "-c \"echo >> '" + (Dir / Output).string() + "'\""};
    }

    std::string WriteFile(const std::vector<THotKeyOutline>& HotKeys) const {
        const std::string File = (Dir / ("keys " + std::to_string(Started.Count()) + ".tul")).string();
        WriteHotKeyFile(File, HotKeys, true);
        return File;
    }

    // The real program on a file of these hotkeys, once GNOME binds the first one's combination.
    QProcess& StartTulma(const std::vector<THotKeyOutline>& HotKeys, const std::string& Binding) {
        QProcess& Tulma = Start(TULMA_PROGRAM, {QString::fromStdString(WriteFile(HotKeys))});
        EXPECT_TRUE(WaitUntil([&] { return Binds(Binding); }, 20s)) << "no entry binds " << Binding;
        return Tulma;
    }

    // Presses Ctrl+Alt+Key until File has a line more: gsd grabs a new entry some time after it is written.
    bool PressUntilRun(char Key, const fs::path& File) {
        const int Before = LineCount(File);
        for (int Attempt = 0; Attempt < 20 && LineCount(File) == Before; ++Attempt) {
            PressCtrlAlt(Key);
            WaitUntil([&] { return LineCount(File) > Before; }, 1s);
        }
        return LineCount(File) > Before;
    }

    // One press of Ctrl+Alt+Key, and the lines that File gains from it once every program it started
    // had time to write.
    int RunsOfOnePress(char Key, const fs::path& File, int HoldMs = 0) {
        // As a person presses: not within the moment that tells a held key's repeats from presses.
        std::this_thread::sleep_for(TPressRepeats::Gap * 3);
        const int Before = LineCount(File);
        PressCtrlAlt(Key, HoldMs);
        WaitUntil([&] { return LineCount(File) > Before; }, 3s);
        WaitUntil([] { return false; }, 1s);
        return LineCount(File) - Before;
    }
};

// The program's hotkey runs once per press with a native window focused; its entry is named for the
// user and runs the light press command; combinations that GNOME or the user hold are refused with the
// holder's name and not written; SIGTERM takes every entry back.
TEST_F(GnomeSessionTest, ProgramRunsItsHotKeyOncePerPressRefusesTakenOnesAndLeavesNothingAfterSigterm) {
    QProcess& Tulma =
        StartTulma({Adding("k", 'K'), Adding("tab", '\t'), Adding("u", 'U')}, "<Control><Alt>k");
    ASSERT_TRUE(PressUntilRun('k', Dir / "k"));
    EXPECT_EQ(RunsOfOnePress('k', Dir / "k"), 1);
    // GNOME runs the command again on every autorepeat of a held key (dozens of times in 1.5 s): only the
    // first repeat, after the repeat delay, looks like a press, and on a loaded machine one more may come
    // late enough to look like one.
    const int HeldRuns = RunsOfOnePress('k', Dir / "k", 1500);
    EXPECT_GE(HeldRuns, 1);
    EXPECT_LE(HeldRuns, 3);
    ASSERT_EQ(TulmaPaths().size(), 1U);
    const TGnomeCustomEntry Entry = Settings.Entry(TulmaPaths().front());
    EXPECT_EQ(Entry.Name, "Tulma: k");
    EXPECT_NE(Entry.Command.find("tulma-press"), std::string::npos) << Entry.Command;
    EXPECT_FALSE(Binds("<Control><Alt>Tab"));
    EXPECT_FALSE(Binds("<Control><Alt>u"));
    ExpectUsersEntryUntouched();

    kill(static_cast<pid_t>(Tulma.processId()), SIGTERM);
    ASSERT_TRUE(Tulma.waitForFinished(10000));
    EXPECT_EQ(Tulma.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(TulmaPaths().empty());
    EXPECT_EQ(RunsOfOnePress('k', Dir / "k"), 0);

    // A registry of its own removes the entries of any other Tulma: only now.
    TGnomeHotKeys Registry([](const std::string&) { return std::vector<std::string>{"true"}; });
    for (const auto& [Key, Holder] : {std::pair{'\t', "used by GNOME: Switch system controls"},
                                      std::pair{'U', "used by GNOME: User's own"}}) {
        EXPECT_FALSE(Registry.RegisterHotKey(1, CtrlAlt, Key));
        EXPECT_EQ(Registry.RefusalReason(1), Holder);
    }
    // Unnamed, as the capture dialog asks whether a combination is free: checked, not written.
    EXPECT_TRUE(Registry.RegisterHotKey(2, CtrlAlt, 'P'));
    EXPECT_TRUE(TulmaPaths().empty());
}

// An edited combination runs in place of the old one; a command whose arguments hold spaces and quotes
// reaches its program whole.
TEST_F(GnomeSessionTest, EditedCombinationRunsInPlaceOfTheOldAndOddArgumentsArriveWhole) {
    const fs::path Output = Dir / "it's a \"file\" $HOME";
    TGnomeHotKeys Registry([&](const std::string&) {
        return std::vector<std::string>{"/bin/sh", "-c", "echo >> \"$0\"", Output.string()};
    });
    Registry.NameHotKey(1, RegistrationKey(5), "Edited");
    ASSERT_TRUE(Registry.RegisterHotKey(1, CtrlAlt, 'J'));
    ASSERT_TRUE(PressUntilRun('j', Output));
    Registry.UnregisterHotKey(1);
    ASSERT_TRUE(Registry.RegisterHotKey(1, CtrlAlt, 'L'));
    EXPECT_EQ(TulmaPaths(),
              std::vector<std::string>{std::string(TGnomeKeybindings::CustomFolder) + "tulma-5/"});
    ASSERT_TRUE(PressUntilRun('l', Output));
    EXPECT_EQ(RunsOfOnePress('j', Output), 0);
    ExpectUsersEntryUntouched();

    // A file path that is no UTF-8 cannot go into GNOME's settings: refused, saying so.
    TGnomeHotKeys Bytes([](const std::string&) { return std::vector<std::string>{"/tmp/\xff.tul"}; });
    Bytes.NameHotKey(2, RegistrationKey(6), "Bytes");
    EXPECT_FALSE(Bytes.RegisterHotKey(2, CtrlAlt, 'B'));
    EXPECT_NE(Bytes.RefusalReason(2).find("UTF-8"), std::string::npos);
}

// A killed program leaves its entries behind: a press of one still runs the hotkey from the file, the
// next start removes them, and --forget-desktop-shortcuts removes those of another killed one.
TEST_F(GnomeSessionTest, EntriesOfAKilledProgramStillRunUntilTheNextStartOrForgetRemovesThem) {
    QProcess& Killed = StartTulma({Adding("k", 'K')}, "<Control><Alt>k");
    Killed.kill();
    ASSERT_TRUE(Killed.waitForFinished(10000));
    ASSERT_TRUE(Binds("<Control><Alt>k"));
    EXPECT_TRUE(PressUntilRun('k', Dir / "k")) << "the leftover entry did not run the hotkey from its file";

    QProcess& Next = StartTulma({Adding("m", 'M')}, "<Control><Alt>m");
    EXPECT_FALSE(Binds("<Control><Alt>k"));
    Next.kill();
    ASSERT_TRUE(Next.waitForFinished(10000));
    QProcess Forget;
    Forget.start(TULMA_PROGRAM, {"--forget-desktop-shortcuts"});
    ASSERT_TRUE(Forget.waitForFinished(10000));
    EXPECT_EQ(Forget.exitCode(), 0);
    EXPECT_TRUE(TulmaPaths().empty());
}

}  // namespace
}  // namespace tulma::test
