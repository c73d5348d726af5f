#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "ChildProcesses.h"
#include "DetachedProcess.h"
#include "EventLoopWait.h"
#include "FileDescriptor.h"
#include "ProbeRecord.h"
#include "TempDir.h"

using namespace std::chrono_literals;

namespace tulma {
namespace {

using test::ProbeRecord;
using test::TempDir;

std::set<int> OpenDescriptors(pid_t Pid) {
    std::set<int> Descriptors;
    for (const auto& Entry : std::filesystem::directory_iterator("/proc/" + std::to_string(Pid) + "/fd")) {
        Descriptors.insert(std::stoi(Entry.path().filename().string()));
    }
    return Descriptors;
}

int ChildCount() {
    return static_cast<int>(test::ChildProcesses().size());
}

TEST(DetachedProcessTest, ProgramGetsExactArgvAndDirectoryInANewSession) {
    TempDir Dir;
    const std::string Output = Dir.File("probe");
    setenv("TULMA_PROBE_FILE", Output.c_str(), 1);
    setenv("TULMA_PROBE_ENV", "TULMA_MARK", 1);
    setenv("TULMA_MARK", "inherited value", 1);
    const TStartResult Result =
        StartDetached(TULMA_ARGV_PROBE, {"probe", "a b", "", "\"q\"", "$HOME"}, Dir.Path().string());
    ASSERT_TRUE(Result.Started);
    EXPECT_GT(Result.Pid, 0);
    ASSERT_TRUE(test::WaitUntil([&] { return access(Output.c_str(), F_OK) == 0; }, 5s));
    ProbeRecord Record;
    ASSERT_TRUE(ProbeRecord::Read(Output, &Record));
    EXPECT_EQ(Record.Directory, Dir.Path().string());
    EXPECT_EQ(Record.Argv, (std::vector<std::string>{"probe", "a b", "", "\"q\"", "$HOME"}));
    EXPECT_NE(Record.Session, getsid(0)) << "detached into a session of its own";
    EXPECT_EQ(Record.StandardInput, "/dev/null");
    EXPECT_EQ(Record.Environment["TULMA_MARK"], "inherited value");
    int Status = -1;
    ASSERT_EQ(waitpid(Result.Pid, &Status, 0), Result.Pid) << "the program is ours to reap";
    EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
}

TEST(DetachedProcessTest, FailuresAreReportedAndNothingRuns) {
    TempDir Dir;
    const TStartResult Missing = StartDetached(Dir.File("missing"), {"missing"}, "");
    EXPECT_FALSE(Missing.Started);
    EXPECT_EQ(Missing.Error, ENOENT);

    const std::string Output = Dir.File("probe");
    setenv("TULMA_PROBE_FILE", Output.c_str(), 1);
    const TStartResult BadDir = StartDetached(TULMA_ARGV_PROBE, {"probe"}, Dir.File("missing-dir"));
    EXPECT_FALSE(BadDir.Started);
    EXPECT_EQ(BadDir.Error, ENOENT);

    const TStartResult NotAProgram =
        StartDetached(Dir.Write("garbage", "\x7f\x01\x02", true), {"garbage"}, "");
    EXPECT_FALSE(NotAProgram.Started);
    EXPECT_EQ(NotAProgram.Error, ENOEXEC);

    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_NE(access(Output.c_str(), F_OK), 0);
    EXPECT_EQ(ChildCount(), 0);
}

TEST(DetachedProcessTest, NoDescriptorOfOursIsInherited) {
    int Leaky[2];
    ASSERT_EQ(pipe(Leaky), 0) << "descriptors without close-on-exec";
    const TFileDescriptor ReadEnd(Leaky[0]);
    const TFileDescriptor WriteEnd(Leaky[1]);
    const TStartResult Result = StartDetached("/bin/sleep", {"sleep", "30"}, "");
    ASSERT_TRUE(Result.Started);
    // The start returns once the program runs, so its descriptors are the program's own.
    EXPECT_EQ(OpenDescriptors(Result.Pid), (std::set<int>{0, 1, 2}));
    kill(Result.Pid, SIGKILL);
    waitpid(Result.Pid, nullptr, 0);
}

}  // namespace
}  // namespace tulma
