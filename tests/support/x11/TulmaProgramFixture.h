#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ProgramCopy.h"
#include "TempDir.h"
#include "XServerFixture.h"

namespace tulma::test {

void Pause(int Ms);

struct TPoint {
    int X = 0;
    int Y = 0;
};

// The keysyms to hold for a hotkey value: its modifiers, then its key.
std::vector<std::uint32_t> ChordOf(std::uint16_t HotKey);

// A copy of the real tulma program with its message file in a fresh directory, on a private Xvfb display
// with openbox and a tray (trayer). Everything started is ended after the test, failed or not.
class TulmaProgramFixture : public testing::Test {
  protected:
    XServerFixture Display;
    std::unique_ptr<TempDir> Folder;
    // Folder's path, where the program's copy lies.
    std::filesystem::path Dir;
    std::vector<pid_t> Started;
    std::unique_ptr<FakeKeyboard> Keyboard;
    // False: SetUp leaves the tray out, for a test that starts it later.
    bool TrayAtStart = true;
    pid_t Tray = 0;

    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    pid_t StartTulma(const std::string& FileName);
    // The program's first managed window, waited for.
    xcb_window_t MainWindow(pid_t Pid);
    bool Viewable(xcb_window_t Window);
    // Whether Window's frame lies above the frames of Others in the X server's stacking order, which
    // every window manager keeps (its _NET_CLIENT_LIST_STACKING may lag, or with fluxbox never change).
    bool RaisedAbove(xcb_window_t Window, const std::set<xcb_window_t>& Others);
    // Clicks the main window's Quit button and waits for the program to end; its exit status, or -1 when
    // it is still running after 30 s or ended by a signal. A program built with LeakSanitizer fails here
    // when it leaked.
    int QuitByButton(pid_t Pid, xcb_window_t Main);
    // Sends Signal and waits for the program to end, as QuitByButton does.
    int EndBySignal(pid_t Pid, int Signal);

    // The file that the tests' hotkey commands add lines to, and its line count.
    std::string Marker() const;
    int Runs() const;

    // Real key presses: the keys held in order and released in reverse.
    void Press(const std::vector<std::uint32_t>& Keysyms);
    // Presses Keysyms until the program has registered them and Runs() has grown, then waits SettleMs for
    // what the run started; false after 50 tries.
    bool PressUntilRun(const std::vector<std::uint32_t>& Keysyms, int SettleMs = 300);

    // The centres of the program's icons that the tray holds.
    std::vector<TPoint> TrayIcons();
    void Click(TPoint Where);
    // The centre of the minimise (iconify) button in the title bar that openbox draws around Window.
    TPoint MinimiseButtonOf(xcb_window_t Window);
    void Xdotool(const std::string& Arguments);
    void ClickInWindow(xcb_window_t Window, int X, int Y);

    void StartTray();
    void StopTray();

  private:
    // Waits up to 30 s for the program to end; its exit status, or -1.
    int WaitForEnd(pid_t Pid);
    xcb_window_t TrayOwner();
    std::vector<xcb_window_t> Children(xcb_window_t Window);
    xcb_window_t FrameOf(xcb_window_t Window);
    std::string ClassOf(xcb_window_t Window);
    TPoint SizeOf(xcb_window_t Window);
    TPoint CentreOf(xcb_window_t Window);
};

}  // namespace tulma::test
