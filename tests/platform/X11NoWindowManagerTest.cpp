#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "DesktopWindowsTest.h"
#include "QtX11.h"
#include "X11DesktopWindows.h"
#include "X11Launcher.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

// A desktop without window manager: the window tree is the list, and activation is done by hand.
class X11NoWindowManagerTest : public DesktopWindowsTest {
  protected:
    // Starts the test client unless a window with that title is already there, and waits for its window.
    xcb_window_t OpenWindow(const std::string& Title) {
        if (const xcb_window_t Open = FindViewable(Title); Open != XCB_WINDOW_NONE) {
            return Open;
        }
        Started.push_back(StartProgram({TULMA_TEST_WINDOW, Title}));
        xcb_window_t Found = XCB_WINDOW_NONE;
        WaitUntil([&] { return (Found = FindViewable(Title)) != XCB_WINDOW_NONE; }, 5s);
        return Found;
    }

    xcb_window_t FindViewable(const std::string& Title) {
        xcb_window_t Found = XCB_WINDOW_NONE;
        for (TWindowHandle Window : Windows->TopLevelWindows()) {
            if (Windows->WindowTitle(Window) == Title && Viewable(static_cast<xcb_window_t>(Window))) {
                Found = static_cast<xcb_window_t>(Window);
                break;
            }
        }
        return Found;
    }

    // Test windows started through the launcher are not our children; end them by their windows.
    void CloseByTitle(const std::vector<std::string>& Titles) {
        for (const std::string& Title : Titles) {
            const auto Pid = WindowProperty(X(), FindViewable(Title), "_NET_WM_PID", XCB_ATOM_CARDINAL);
            if (!Pid.empty()) {
                kill(static_cast<pid_t>(Pid[0]), SIGTERM);
            }
        }
    }

    xcb_window_t Focus() {
        xcb_get_input_focus_reply_t* Reply =
            xcb_get_input_focus_reply(X(), xcb_get_input_focus(X()), nullptr);
        const xcb_window_t Window = Reply != nullptr ? Reply->focus : xcb_window_t{XCB_WINDOW_NONE};
        std::free(Reply);
        return Window;
    }
};

TEST_F(X11NoWindowManagerTest, WithdrawnWindowIsMappedRaisedAndFocused) {
    ASSERT_FALSE(Windows->HasWindowManager());
    const xcb_window_t First = OpenWindow("First window");
    const xcb_window_t Second = OpenWindow("Second window");
    ASSERT_NE(First, xcb_window_t{XCB_WINDOW_NONE});
    ASSERT_NE(Second, xcb_window_t{XCB_WINDOW_NONE});
    auto List = Windows->TopLevelWindows();
    EXPECT_LT(std::find(List.begin(), List.end(), Second), std::find(List.begin(), List.end(), First));

    xcb_unmap_window(X(), First);
    xcb_flush(X());
    ASSERT_TRUE(WaitUntil([&] { return !Viewable(First); }, 5s));

    Windows->RestoreAndActivate(First);
    EXPECT_TRUE(WaitUntil([&] { return Viewable(First) && Focus() == First; }, 5s));
    List = Windows->TopLevelWindows();
    ASSERT_FALSE(List.empty());
    EXPECT_EQ(List.front(), First);
}

TEST_F(X11NoWindowManagerTest, ShowCommandsWithoutWindowManager) {
    const xcb_window_t Previous = OpenWindow("Previously focused");
    xcb_set_input_focus(X(), XCB_INPUT_FOCUS_POINTER_ROOT, Previous, XCB_CURRENT_TIME);
    xcb_flush(X());
    ASSERT_TRUE(WaitUntil([&] { return Focus() == Previous; }, 5s));
    TX11Launcher Launcher(QtX11Connection());

    // Started with SW_SHOWNA the window shows without the focus.
    ASSERT_TRUE(Launcher.Launch(TULMA_TEST_WINDOW, "Quiet", "", TShowCommand::ShowNoActivate).Started);
    ASSERT_TRUE(WaitUntil([&] { return Launcher.Idle(); }, 15s));
    const xcb_window_t Quiet = OpenWindow("Quiet");
    EXPECT_NE(Quiet, xcb_window_t{XCB_WINDOW_NONE});
    EXPECT_EQ(Focus(), Previous);

    // Started maximized it covers the screen and has the focus.
    ASSERT_TRUE(Launcher.Launch(TULMA_TEST_WINDOW, "Big", "", TShowCommand::ShowMaximized).Started);
    ASSERT_TRUE(WaitUntil([&] { return Launcher.Idle(); }, 15s));
    const xcb_window_t Big = OpenWindow("Big");
    ASSERT_NE(Big, xcb_window_t{XCB_WINDOW_NONE});
    EXPECT_TRUE(WaitUntil([&] { return Focus() == Big; }, 5s));
    xcb_get_geometry_reply_t* Geometry = xcb_get_geometry_reply(X(), xcb_get_geometry(X(), Big), nullptr);
    ASSERT_NE(Geometry, nullptr);
    const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(X())).data;
    EXPECT_EQ(Geometry->width, Screen->width_in_pixels);
    EXPECT_EQ(Geometry->height, Screen->height_in_pixels);
    std::free(Geometry);
    CloseByTitle({"Quiet", "Big"});
}

}  // namespace
}  // namespace tulma::test
