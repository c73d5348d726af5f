#pragma once

#include <sys/types.h>

#include <memory>
#include <vector>

#include "QtX11.h"
#include "X11DesktopWindows.h"
#include "XDisplayTest.h"
#include "XcbReply.h"

namespace tulma::test {

// A display on which the tests open windows of their own and look at them through the window list.
class DesktopWindowsTest : public XDisplayTest {
  protected:
    std::unique_ptr<TX11DesktopWindows> Windows;
    std::vector<pid_t> Started;

    void SetUp() override {
        XDisplayTest::SetUp();
        if (!IsSkipped()) {
            Windows = std::make_unique<TX11DesktopWindows>(QtX11Connection());
        }
    }
    void TearDown() override {
        for (pid_t Pid : Started) {
            Terminate(Pid);
        }
    }

    bool Viewable(xcb_window_t Window) {
        const TXcbReply<xcb_get_window_attributes_reply_t> Reply(
            xcb_get_window_attributes_reply(X(), xcb_get_window_attributes(X(), Window), nullptr));
        return Reply != nullptr && Reply->map_state == XCB_MAP_STATE_VIEWABLE;
    }
};

}  // namespace tulma::test
