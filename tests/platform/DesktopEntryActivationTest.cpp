// Runs on a private session bus whose service folder offers the application org.example.Activated,
// which argv_probe stands in for; the entry of that id asks for D-Bus activation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "ChildEnvironment.h"
#include "DesktopEntry.h"
#include "ProbeRecord.h"
#include "XServerFixture.h"

using namespace std::chrono_literals;

namespace tulma::test {
namespace {

TEST(DesktopEntryActivationTest, ActivatableEntryIsStartedByTheSessionBus) {
    const std::string ProbeFile = std::getenv("TULMA_PROBE_FILE");
    std::filesystem::remove(ProbeFile);
    const TDesktopEntryLookup Found = FindDesktopEntry("org.example.Activated", "");
    ASSERT_NE(Found.Entry, nullptr) << Found.Reason;
    const TEntryStart Started = Found.Entry->Start("", "", ChildEnvironment(), nullptr);
    EXPECT_TRUE(Started.Started) << Started.Reason;
    EXPECT_EQ(Started.Pid, 0);
    ProbeRecord Record;
    ASSERT_TRUE(WaitUntil([&] { return ProbeRecord::Read(ProbeFile, &Record); }, 10s));
    EXPECT_EQ(Record.Argv, (std::vector<std::string>{TULMA_ARGV_PROBE, "activated"}));
}

}  // namespace
}  // namespace tulma::test
