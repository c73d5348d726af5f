// Every X test program runs on a display of its own: Xvfb (and openbox, unless the program is built to
// test a desktop without window manager) are started before the QGuiApplication (on the xcb platform)
// and stopped after the tests.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

#include "XDisplayTest.h"

namespace tulma::test {

XServerFixture& TestDisplay() {
    static XServerFixture Display;
    return Display;
}

}  // namespace tulma::test

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const bool OnlyListing = GTEST_FLAG_GET(list_tests);
    std::unique_ptr<QGuiApplication> App;
    if (!OnlyListing && tulma::test::XServerFixture::XvfbInstalled()) {
        tulma::test::TestDisplay().Start(TULMA_TEST_WINDOW_MANAGER != 0);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        App = std::make_unique<QGuiApplication>(argc, argv);
    }
    const int Result = RUN_ALL_TESTS();
    App.reset();
    tulma::test::TestDisplay().Stop();
    return Result;
}
