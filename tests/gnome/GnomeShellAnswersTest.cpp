// The GNOME window source on a private session bus, against a stand-in for Tulma's Shell extension
// (fake-shell-windows.js under gjs): how it reads the extension's answers, and that it falls back to the X11
// windows when there is no answer it can read.
#include <gtest/gtest.h>

#include <QProcess>

#include <memory>
#include <string>

#include "EventLoopWait.h"
#include "GnomeShellWindows.h"
#include "PlatformFakes.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

constexpr TWindowHandle XTermWindow = 0x400007;

class GnomeShellAnswersTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { StartCoreApplication("test_gnome_answers"); }

    void TearDown() override { StopFake(); }

    void StopFake() {
        if (Fake) {
            Fake->kill();
            Fake->waitForFinished(5000);
            Fake.reset();
        }
        ASSERT_TRUE(WaitUntil([] { return !ShellExtensionOnBus(); }, 20s));
    }

    void StartFake(const QString& Mode) {
        Fake = std::make_unique<QProcess>();
        Fake->start("gjs", {TULMA_FAKE_SHELL_WINDOWS, Mode});
        ASSERT_TRUE(WaitUntil([] { return ShellExtensionOnBus(); }, 20s)) << "the stand-in did not start";
    }

    std::string Printed() {
        WaitUntil([&] { return Fake->bytesAvailable() > 0; }, 5s);
        return Fake->readAllStandardOutput().toStdString();
    }

    FakeDesktopWindows X11;
    std::unique_ptr<QProcess> Fake;
};

// Native windows get handles of their own that they keep; X11 ones their X window id; titles are cut at a
// character boundary; activation names the shell's window, X11 ones included.
TEST_F(GnomeShellAnswersTest, ListingIsReadAndActivationNamesTheShellsWindow) {
    StartFake("listing");
    TGnomeShellWindows Windows(X11);
    const TWindowSnapshot First = Windows.Snapshot();
    ASSERT_EQ(First.Windows.size(), 2U);
    const TWindowInfo& Native = First.Windows[0];
    EXPECT_NE(Native.Handle & (TWindowHandle{1} << 63), 0U);
    EXPECT_EQ(Native.Title.size(), 198U);
    EXPECT_EQ(Native.Class, "editor.app");
    EXPECT_EQ(First.Active, Native.Handle);
    EXPECT_EQ(First.Windows[1].Handle, XTermWindow);
    EXPECT_EQ(First.Windows[1].Instance, "xterm");
    EXPECT_EQ(Windows.TopLevelWindows().front(), Native.Handle);
    EXPECT_TRUE(Windows.ExtensionAnswers());

    Windows.RestoreAndActivate(Native.Handle);
    EXPECT_EQ(Printed(), "Activate 5\n");
    Windows.RestoreAndActivate(XTermWindow);
    EXPECT_EQ(Printed(), "Activate 6\n");
    EXPECT_TRUE(X11.Restored.empty());
}

// An answer of the wrong type counts as none, as does a missing extension: the X11 windows are listed and
// activated instead.
TEST_F(GnomeShellAnswersTest, UnreadableOrMissingAnswersFallBackToTheX11Windows) {
    for (const bool Malformed : {true, false}) {
        if (Malformed) {
            StartFake("malformed");
        }
        X11.SetTitles({{XTermWindow, "Terminal"}});
        X11.Restored.clear();
        TGnomeShellWindows Windows(X11);
        const TWindowSnapshot Listed = Windows.Snapshot();
        ASSERT_EQ(Listed.Windows.size(), 1U) << "malformed: " << Malformed;
        EXPECT_EQ(Listed.Windows[0].Title, "Terminal");
        EXPECT_FALSE(Windows.ExtensionAnswers());
        Windows.RestoreAndActivate(XTermWindow);
        EXPECT_EQ(X11.Restored, std::vector<TWindowHandle>{XTermWindow});
        StopFake();
    }
}

}  // namespace
}  // namespace tulma::test
