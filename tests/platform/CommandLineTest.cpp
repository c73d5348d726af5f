#include <gtest/gtest.h>

#include "CommandLine.h"

namespace tulma {
namespace {

using Words = std::vector<std::string>;

TEST(CommandLineTest, BlanksSeparateAndQuotesGroup) {
    EXPECT_EQ(SplitParameters(""), Words{});
    EXPECT_EQ(SplitParameters("  \t "), Words{});
    EXPECT_EQ(SplitParameters("a  b\tc\n d"), (Words{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitParameters(R"("two words" 'single quoted')"), (Words{"two words", "single quoted"}));
    EXPECT_EQ(SplitParameters(R"(pre"mid dle"'post' x)"), (Words{"premid dlepost", "x"}));
    EXPECT_EQ(SplitParameters(R"("" '' a)"), (Words{"", "", "a"}));
}

TEST(CommandLineTest, BackslashRules) {
    EXPECT_EQ(SplitParameters(R"(back\ slash \"q\" \\)"), (Words{"back slash", "\"q\"", "\\"}));
    // Inside double quotes only \" and \\ are escapes, so Windows-style paths keep their backslashes.
    EXPECT_EQ(SplitParameters(R"("say \"hi\"" "C:\dir\file" "a\\b")"),
              (Words{"say \"hi\"", "C:\\dir\\file", "a\\b"}));
    EXPECT_EQ(SplitParameters(R"('a\'b)"), Words{"a\\b"}) << "no escapes inside single quotes";
    EXPECT_EQ(SplitParameters(R"(end\)"), Words{"end\\"});
}

TEST(CommandLineTest, NothingIsExpanded) {
    EXPECT_EQ(SplitParameters("$HOME ~ *.txt `id` $(id) ;|&"),
              (Words{"$HOME", "~", "*.txt", "`id`", "$(id)", ";|&"}));
}

TEST(CommandLineTest, UnbalancedQuoteGivesNoArguments) {
    EXPECT_EQ(SplitParameters(R"(a "b c)"), std::nullopt);
    EXPECT_EQ(SplitParameters("a 'b c"), std::nullopt);
    EXPECT_EQ(SplitParameters(R"("a \")"), std::nullopt);
}

}  // namespace
}  // namespace tulma
