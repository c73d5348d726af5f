#include <unistd.h>

#include <cstdlib>

#include <xkbcommon/xkbcommon-keysyms.h>

#include "TempDir.h"
#include "X11Desktop.h"
#include "X11HotKeys.h"
#include "XDisplayTest.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

using X11DesktopTest = XDisplayTest;

// The wiring the application relies on: a hotkey press starts a program through the same desktop.
TEST_F(X11DesktopTest, HotKeyPressStartsAProgram) {
    TX11Desktop Desktop;
    EXPECT_EQ(Desktop.KeyNames()('Q'), "Q");
    TempDir Dir;
    const std::string Output = Dir.File("probe");
    setenv("TULMA_PROBE_FILE", Output.c_str(), 1);
    Desktop.HotKeys().SetPressHandler([&](std::uint16_t) {
        Desktop.Launcher().Launch(TULMA_ARGV_PROBE, "pressed", "", TShowCommand::ShowNormal);
    });
    ASSERT_TRUE(Desktop.HotKeys().RegisterHotKey(0xC000, MOD_CONTROL | MOD_ALT, 'P'));
    FakeKeyboard Keyboard(X());
    Keyboard.Chord({XKB_KEY_Control_L, XKB_KEY_Alt_L, XKB_KEY_p});
    EXPECT_TRUE(WaitUntil([&] { return access(Output.c_str(), F_OK) == 0; }, 5s));
    EXPECT_NE(Desktop.HotKeySignals().LastPressTime(), xcb_timestamp_t{XCB_CURRENT_TIME});
}

}  // namespace
}  // namespace tulma::test
