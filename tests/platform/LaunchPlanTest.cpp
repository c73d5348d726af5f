#include <gtest/gtest.h>

#include <cstdlib>

#include "LaunchPlan.h"
#include "TempDir.h"

namespace tulma {
namespace {

using test::TempDir;
using Words = std::vector<std::string>;

TEST(LaunchPlanTest, ExecutableRunsDirectlyWithSplitParameters) {
    const TLaunchPlan Plan = PlanLaunch(TULMA_ARGV_PROBE, R"(one "two words")", "/tmp");
    ASSERT_TRUE(Plan.Valid);
    EXPECT_EQ(Plan.Program, TULMA_ARGV_PROBE);
    EXPECT_EQ(Plan.Arguments, (Words{TULMA_ARGV_PROBE, "one", "two words"}));
    EXPECT_EQ(Plan.Directory, "/tmp");
}

TEST(LaunchPlanTest, NameIsLookedUpOnPathThenInTheDirectory) {
    const TLaunchPlan OnPath = PlanLaunch("sh", R"(-c "exit 0")", "");
    ASSERT_TRUE(OnPath.Valid);
    EXPECT_EQ(OnPath.Program, FindOnPath("sh"));
    EXPECT_EQ(OnPath.Arguments, (Words{"sh", "-c", "exit 0"}));

    TempDir Dir;
    Dir.Write("tool", "#!/bin/sh\n", true);
    const TLaunchPlan InDir = PlanLaunch("tool", "", Dir.Path().string());
    ASSERT_TRUE(InDir.Valid);
    EXPECT_EQ(InDir.Program, Dir.File("tool"));
    EXPECT_EQ(InDir.Arguments, Words{"tool"});
    const TLaunchPlan Relative = PlanLaunch("./tool", "x", Dir.Path().string());
    ASSERT_TRUE(Relative.Valid);
    EXPECT_EQ(Relative.Program, Dir.File("./tool"));
}

TEST(LaunchPlanTest, DocumentsFoldersAndUrlsGoToTheDefaultHandler) {
    if (FindOnPath("xdg-open").empty()) {
        GTEST_SKIP() << "xdg-open is not installed";
    }
    TempDir Dir;
    const std::string Document = Dir.Write("notes.txt", "hello");
    const TLaunchPlan Opened = PlanLaunch(Document, "ignored", "");
    ASSERT_TRUE(Opened.Valid);
    EXPECT_EQ(Opened.Program, FindOnPath("xdg-open"));
    EXPECT_EQ(Opened.Arguments, (Words{"xdg-open", Document}));
    EXPECT_EQ(PlanLaunch(Dir.Path().string(), "", "").Arguments, (Words{"xdg-open", Dir.Path().string()}));
    EXPECT_EQ(PlanLaunch("notes.txt", "", Dir.Path().string()).Arguments,
              (Words{"xdg-open", Dir.File("notes.txt")}));
    EXPECT_EQ(PlanLaunch("https://example.org/a b", "", "").Arguments,
              (Words{"xdg-open", "https://example.org/a b"}));
    EXPECT_EQ(PlanLaunch("mailto:someone@example.org", "", "").Arguments,
              (Words{"xdg-open", "mailto:someone@example.org"}));
    Dir.Write("notes:v2.txt", "a colon is an ordinary character");
    EXPECT_EQ(PlanLaunch("notes:v2.txt", "", Dir.Path().string()).Arguments,
              (Words{"xdg-open", Dir.File("notes:v2.txt")}))
        << "an existing file is no URL";
}

TEST(LaunchPlanTest, NothingToStart) {
    TempDir Dir;
    const std::string NotADirectory = Dir.Write("file", "x");
    const std::vector<std::pair<TLaunchPlan, std::string>> Refusals{
        {PlanLaunch("", "", ""), "no file given"},
        {PlanLaunch(Dir.File("missing"), "", ""), "file not found"},
        {PlanLaunch("no-such-program-tulma", "", ""), "not found on PATH or in the working directory"},
        {PlanLaunch(TULMA_ARGV_PROBE, "", Dir.File("missing-dir")),
         "working directory " + Dir.File("missing-dir") + " does not exist"},
        {PlanLaunch(TULMA_ARGV_PROBE, "", NotADirectory),
         "working directory " + NotADirectory + " is not a directory"},
        // one letter before a colon is no URL
        {PlanLaunch("C:notes.txt", "", Dir.Path().string()), "not found on PATH or in the working directory"},
    };
    for (const auto& [Plan, Reason] : Refusals) {
        EXPECT_FALSE(Plan.Valid) << Reason;
        EXPECT_EQ(Plan.Reason, Reason);
    }
}

TEST(LaunchPlanTest, UnclosedQuoteStillStarts) {
    const TLaunchPlan Plan = PlanLaunch(TULMA_ARGV_PROBE, R"(a "b c)", "");
    ASSERT_TRUE(Plan.Valid);
    EXPECT_EQ(Plan.Arguments, (Words{TULMA_ARGV_PROBE, "a", "b c"}));
}

}  // namespace
}  // namespace tulma
