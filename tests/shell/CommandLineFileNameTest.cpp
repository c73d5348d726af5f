#include <gtest/gtest.h>

#include "CommandLineFileName.h"
#include "SecondStart.h"

namespace tulma {
namespace {

TEST(CommandLineFileNameTest, NamesFollowTheExtensionAndDirectoryRules) {
    const std::string Program = "/opt/tulma";
    EXPECT_EQ(CommandLineFileName("work", Program), "/opt/tulma/work.tul");
    EXPECT_EQ(CommandLineFileName("sub/work", Program), "sub/work.tul");
    EXPECT_EQ(CommandLineFileName("/keys/work.dat", Program), "/keys/work.dat");
    EXPECT_EQ(CommandLineFileName("/my.dir/work", Program), "/my.dir/work.tul");
    EXPECT_EQ(CommandLineFileName("work.", Program), "/opt/tulma/work.");
    EXPECT_EQ(CommandLineFileName("C:work", Program), "/opt/tulma/C:work.tul");
    EXPECT_EQ(CommandLineFileName("work", "/"), "/work.tul");
}

// A second start without a file, or with the running one's file under any of its names, shows that one.
TEST(CommandLineFileNameTest, ShowRequestMeansTheFileInUse) {
    const struct {
        const char* Requested;
        const char* InUse;
        bool Same;
    } Cases[] = {
        {"", "/keys/KeyList.TUL", true},
        {"/keys/work.tul", "/keys/work.tul", true},
        {"/keys/./sub/../work.tul", "/keys/work.tul", true},
        {"/keys/other.tul", "/keys/work.tul", false},
        {"/keys/work.tul", "/keys/work.TUL", false},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(NamesFileInUse(Case.Requested, Case.InUse), Case.Same)
            << Case.Requested << " " << Case.InUse;
    }
}

}  // namespace
}  // namespace tulma
