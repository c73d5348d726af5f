#include <gtest/gtest.h>

#include "CommandLineFileName.h"

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

}  // namespace
}  // namespace tulma
