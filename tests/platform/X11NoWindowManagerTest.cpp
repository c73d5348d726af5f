#include <algorithm>
#include <cstdlib>
#include <memory>

#include "QtX11.h"
#include "X11DesktopWindows.h"
#include "XDisplayTest.h"

namespace tulma::test {
namespace {

// A desktop without window manager: the window tree is the list, and activation is done by hand.
class X11NoWindowManagerTest : public XDisplayTest {
  protected:
    std::unique_ptr<X11DesktopWindows> Windows;
    std::vector<pid_t> Started;

    void SetUp() override {
        XDisplayTest::SetUp();
        if (!IsSkipped()) {
            Windows = std::make_unique<X11DesktopWindows>(QtX11Connection());
        }
    }
    void TearDown() override {
        for (pid_t Pid : Started) {
            Terminate(Pid);
        }
    }

    xcb_window_t OpenWindow(const std::string& Title) {
        Started.push_back(Spawn({TULMA_TEST_WINDOW, Title}));
        xcb_window_t Found = XCB_WINDOW_NONE;
        WaitUntil([&] {
            for (WindowHandle Window : Windows->TopLevelWindows()) {
                if (Windows->WindowTitle(Window) == Title && Viewable(static_cast<xcb_window_t>(Window))) {
                    Found = static_cast<xcb_window_t>(Window);
                    return true;
                }
            }
            return false;
        });
        return Found;
    }

    bool Viewable(xcb_window_t Window) {
        xcb_get_window_attributes_reply_t* Reply =
            xcb_get_window_attributes_reply(X(), xcb_get_window_attributes(X(), Window), nullptr);
        const bool Result = Reply != nullptr && Reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(Reply);
        return Result;
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
    ASSERT_TRUE(WaitUntil([&] { return !Viewable(First); }));

    Windows->RestoreAndActivate(First);
    EXPECT_TRUE(WaitUntil([&] { return Viewable(First) && Focus() == First; }));
    List = Windows->TopLevelWindows();
    ASSERT_FALSE(List.empty());
    EXPECT_EQ(List.front(), First);
}

}  // namespace
}  // namespace tulma::test
