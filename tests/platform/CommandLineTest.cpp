#include <gtest/gtest.h>

#include "CommandLine.h"

namespace tulma {
namespace {

using Words = std::vector<std::string>;

struct Split {
    const char* Text;
    Words Expected;
};

void ExpectSplits(const std::vector<Split>& Table) {
    for (const auto& [Text, Expected] : Table) {
        EXPECT_EQ(SplitParameters(Text), Expected) << "text: " << Text;
    }
}

TEST(CommandLineTest, BlanksSeparateAndQuotesGroup) {
    ExpectSplits({
        {"", {}},
        {"  \t ", {}},
        {"a  b\tc", {"a", "b", "c"}},
        {"a\nb", {"a\nb"}},
        {R"("two words" x)", {"two words", "x"}},
        {R"(pre"mid dle"post x)", {"premid dlepost", "x"}},
        {R"("" a "")", {"", "a", ""}},
        {R"("a""b")", {"ab"}},
        {R"(Don't panic)", {"Don't", "panic"}},
        {R"('two words')", {"'two", "words'"}},
    });
}

TEST(CommandLineTest, BackslashRules) {
    ExpectSplits({
        {R"(C:\dir\x.txt \\server\share end\)", {R"(C:\dir\x.txt)", R"(\\server\share)", R"(end\)"}},
        {R"("C:\Program Files\")", {R"(C:\Program Files")"}},
        {R"(\"q\")", {R"("q")"}},
        {R"(a\\"b c" d)", {R"(a\b c)", "d"}},
        {R"(a\\\"b c)", {R"(a\"b)", "c"}},
        {R"(a\\\\"b c")", {R"(a\\b c)"}},
        {R"("say \"hi\"" x)", {R"(say "hi")", "x"}},
        {R"(back\ slash)", {R"(back\)", "slash"}},
    });
}

TEST(CommandLineTest, NothingIsExpanded) {
    EXPECT_EQ(SplitParameters("$HOME ~ *.txt `id` $(id) ;|& %PATH%"),
              (Words{"$HOME", "~", "*.txt", "`id`", "$(id)", ";|&", "%PATH%"}));
}

TEST(CommandLineTest, UnclosedQuoteRunsToTheEnd) {
    ExpectSplits({
        {R"(a "b  c)", {"a", "b  c"}},
        {R"(a ")", {"a", ""}},
        {R"("a \")", {R"(a ")"}},
        {R"(a "b" "c)", {"a", "b", "c"}},
    });
}

}  // namespace
}  // namespace tulma
