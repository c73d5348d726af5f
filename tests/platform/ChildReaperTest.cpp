#include <gtest/gtest.h>

#include <QCoreApplication>

#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

#include "ChildProcesses.h"
#include "ChildReaper.h"
#include "DetachedProcess.h"
#include "EventLoopWait.h"

using namespace std::chrono_literals;

namespace tulma {
namespace {

class ChildReaperTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int Argc = 1;
        static char Name[] = "test_child_reaper";
        static char* Argv[] = {Name, nullptr};
        static QCoreApplication App(Argc, Argv);
    }

    TChildReaper Reaper;
};

TEST_F(ChildReaperTest, TwoHundredQuickProgramsLeaveNoZombie) {
    for (int I = 0; I < 200; ++I) {
        const TStartResult Result = StartDetached("/bin/true", {"true"}, "");
        ASSERT_TRUE(Result.Started);
        Reaper.Adopt(Result.Pid);
    }
    EXPECT_TRUE(test::WaitUntil([&] { return Reaper.Running() == 0; }, 10s));
    EXPECT_TRUE(test::ChildProcesses().empty());
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(ChildReaperTest, ARunningProgramIsCollectedWhenItEnds) {
    const TStartResult Result = StartDetached("/bin/sleep", {"sleep", "30"}, "");
    ASSERT_TRUE(Result.Started);
    Reaper.Adopt(Result.Pid);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(Reaper.Running(), 1u);
    ASSERT_EQ(test::ChildProcesses().size(), 1u);
    EXPECT_NE(test::ChildProcesses()[0].State, 'Z');

    kill(Result.Pid, SIGTERM);
    EXPECT_TRUE(test::WaitUntil([&] { return Reaper.Running() == 0; }, 10s));
    EXPECT_TRUE(test::ChildProcesses().empty());
}

}  // namespace
}  // namespace tulma
