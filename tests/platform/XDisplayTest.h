#pragma once

#include <gtest/gtest.h>

#include "XServerFixture.h"

namespace tulma::test {

// The display of this test program, started by its main before the QGuiApplication.
XServerFixture& TestDisplay();

// Base of tests that need the X display; they are skipped when Xvfb is not installed.
class XDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!TestDisplay().Running()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
    }
    xcb_connection_t* X() const { return TestDisplay().Connection(); }
    xcb_window_t Root() const { return TestDisplay().Root(); }
};

}  // namespace tulma::test
