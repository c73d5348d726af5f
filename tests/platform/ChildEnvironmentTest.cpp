#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ChildEnvironment.h"

namespace tulma {
namespace {

bool Holds(const std::vector<std::string>& Environment, const std::string& Entry) {
    return std::ranges::count(Environment, Entry) == 1;
}

bool Names(const std::vector<std::string>& Environment, const std::string& Name) {
    return std::ranges::any_of(Environment,
                               [&](const std::string& Entry) { return Entry.starts_with(Name + "="); });
}

// What Tulma sets for itself is given back as the user had it, however often it is set; a started
// program's own variables come on top.
TEST(ChildEnvironment, OwnVariablesGoBackToTheUsersValues) {
    setenv("TULMA_TEST_SET_BY_USER", "user", 1);
    unsetenv("TULMA_TEST_UNSET_BY_USER");
    SetOwnVariable("TULMA_TEST_SET_BY_USER", "ours", true);
    SetOwnVariable("TULMA_TEST_SET_BY_USER", "ours again", true);
    SetOwnVariable("TULMA_TEST_UNSET_BY_USER", "ours", false);
    SetOwnVariable("TULMA_TEST_KEPT", "ours", false);
    ASSERT_STREQ(std::getenv("TULMA_TEST_SET_BY_USER"), "ours again");

    const std::vector<std::string> Child = ChildEnvironment({"TULMA_TEST_ADDED=1", "PATH=/only"});
    EXPECT_TRUE(Holds(Child, "TULMA_TEST_SET_BY_USER=user"));
    EXPECT_FALSE(Names(Child, "TULMA_TEST_UNSET_BY_USER"));
    EXPECT_TRUE(Holds(Child, "TULMA_TEST_ADDED=1"));
    EXPECT_TRUE(Holds(Child, "PATH=/only"));
    EXPECT_EQ(
        std::ranges::count_if(Child, [](const std::string& Entry) { return Entry.starts_with("PATH="); }), 1);
    EXPECT_EQ(ChildEnvironment({"TULMA_TEST_SET_BY_USER=started"}).back(), "TULMA_TEST_SET_BY_USER=started");
    EXPECT_FALSE(Holds(ChildEnvironment({"TULMA_TEST_SET_BY_USER=started"}), "TULMA_TEST_SET_BY_USER=user"));
}

}  // namespace
}  // namespace tulma
