// The whole program on a private Xvfb display with openbox: a hotkey is made through the real dialogs
// with real key presses, saved, and fires after tulma starts again on the saved file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "TempDir.h"
#include "XServerFixture.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

// Runs xdotool with Arguments (shell words) on the test display; true when it succeeded.
bool Xdotool(const std::string& Arguments) {
    return std::system(("timeout 10 xdotool " + Arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// Waits for a visible window whose title is exactly Title and gives it the focus.
bool Activate(const std::string& Title) {
    return Xdotool("search --sync --onlyvisible --name '^" + Title + "$' windowactivate --sync");
}

bool WindowGone(const std::string& Title) {
    return WaitUntil([&] { return !Xdotool("search --onlyvisible --name '^" + Title + "$'"); }, 5s);
}

std::string FileBytes(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& Path) {
    return WaitUntil([&] { return std::filesystem::exists(Path); }, 5s);
}

class DefineHotKeyEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!XServerFixture::XvfbInstalled() || std::system("command -v xdotool >/dev/null") != 0) {
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        }
        Display.Start(true);
    }
    void TearDown() override {
        if (Tulma > 0) {
            Terminate(Tulma);
        }
        Display.Stop();
    }

    void StartTulma() {
        Tulma = StartProgram({TULMA_PROGRAM, HotKeyFile});
        ASSERT_TRUE(Activate(MainWindowTitle));
    }
    void StopTulma() {
        Terminate(Tulma);
        Tulma = -1;
    }
    bool Keys(const std::string& Keys) { return Xdotool("key --clearmodifiers --delay 60 " + Keys); }
    bool Type(const std::string& Text) { return Xdotool("type --delay 30 '" + Text + "'"); }

    XServerFixture Display;
    TempDir Folder;
    const std::string HotKeyFile = Folder.File("keys.tul");
    // The main window's title names a file that is not the default one.
    const std::string MainWindowTitle = "Tulma - keys.tul";
    const std::string Marker = Folder.File("fired");
    pid_t Tulma = -1;
};

TEST_F(DefineHotKeyEndToEndTest, HotKeyMadeInTheDialogsFiresAfterARestart) {
    StartTulma();
    ASSERT_TRUE(Keys("alt+n"));
    ASSERT_TRUE(Activate("Hotkey definition"));
    ASSERT_TRUE(Type("Marker"));
    // The key field comes next; the combination pressed there moves on to the command list.
    ASSERT_TRUE(Keys("Tab ctrl+alt+k"));
    ASSERT_TRUE(Keys("alt+n"));
    ASSERT_TRUE(Activate("Hotkey command"));
    ASSERT_TRUE(Type("Touch"));
    ASSERT_TRUE(Keys("Tab"));
    ASSERT_TRUE(Type("/usr/bin/touch"));
    ASSERT_TRUE(Keys("Tab"));
    ASSERT_TRUE(Type(Marker));
    ASSERT_TRUE(Keys("Return"));
    ASSERT_TRUE(WindowGone("Hotkey command"));
    ASSERT_TRUE(Activate("Hotkey definition"));
    ASSERT_TRUE(Keys("Return"));
    ASSERT_TRUE(WindowGone("Hotkey definition"));

    ASSERT_TRUE(Activate(MainWindowTitle));
    ASSERT_TRUE(Keys("alt+s"));
    ASSERT_TRUE(Exists(HotKeyFile));
    Settle(300);
    // The name, the layout version 101 and the key: Ctrl (0x4000) + Alt (0x8000) + K (0x4B).
    const std::string Saved = FileBytes(HotKeyFile);
    EXPECT_NE(Saved.find(std::string("Marker\x65\0\0\0\x4B\xC0", 12)), std::string::npos);
    EXPECT_NE(Saved.find("/usr/bin/touch"), std::string::npos);
    StopTulma();
    ASSERT_FALSE(std::filesystem::exists(Marker));

    StartTulma();
    Settle(500);
    ASSERT_TRUE(Keys("ctrl+alt+k"));
    EXPECT_TRUE(Exists(Marker)) << "the saved hotkey did not run its command";
}

}  // namespace
}  // namespace tulma::test
