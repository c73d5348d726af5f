// Reading the combinations that a sway configuration binds in its default mode, on bytes: the main text
// and included files come from a table, never from the disk.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "SwayConfig.h"
#include "SwayKeys.h"

namespace tulma::test {
namespace {

using Files = std::map<std::string, std::string>;

TSwayConfigReader Read(const std::string& Main, const Files& Included = {}) {
    TSwayConfigReader Reader(
        [&](const std::string& Path) -> std::optional<std::string> {
            const auto Found = Included.find(Path);
            return Found == Included.end() ? std::nullopt : std::optional(Found->second);
        },
        [&](const std::string& Pattern) {
            std::vector<std::string> Paths;
            const std::string Stem = Pattern.substr(0, Pattern.find('*'));
            for (const auto& [Path, Text] : Included) {
                if (Pattern.ends_with('*') ? Path.starts_with(Stem) : Path == Pattern) {
                    Paths.push_back(Path);
                }
            }
            return Paths.empty() ? std::vector<std::string>{Pattern} : Paths;
        });
    Reader.ReadText(Main, "/home/u/.config/sway/config");
    return Reader;
}

std::set<std::string> Bound(const std::string& Main, const Files& Included = {}) {
    const TSwayConfigReader Reader = Read(Main, Included);
    std::set<std::string> Names;
    for (const TSwayCombination& Combination : Reader.Bindings()) {
        Names.insert((Combination.Code ? "code " : "") + std::to_string(Combination.Modifiers) + " " +
                     Combination.Key);
    }
    return Names;
}

constexpr unsigned CtrlAlt = TSwayCombination::Ctrl | TSwayCombination::Alt;
const std::string CtrlAltK = std::to_string(CtrlAlt) + " k";

TEST(SwayConfig, DefaultModeBindingsAreFoundAsSwayReadsThem) {
    const struct {
        const char* Case;
        std::string Text;
        std::set<std::string> Expected;
    } Cases[] = {
        {"plain, any case and modifier spelling", "bindsym Control+Mod1+K exec foot", {CtrlAltK}},
        {"options before the keys", "bindsym --no-repeat --release Ctrl+Alt+k nop", {CtrlAltK}},
        {"variables, the longest name first",
         "set $m Mod4\nset $mod Ctrl+Alt\nbindsym $mod+k exec x",
         {CtrlAltK}},
        {"continued line", "bindsym \\\n  Ctrl+Alt+k exec x", {CtrlAltK}},
        {"block of bindings",
         "bindsym {\n  Ctrl+Alt+k exec x\n  Mod4+Return exec y\n}",
         {CtrlAltK, std::to_string(TSwayCombination::Logo) + " return"}},
        {"bindcode", "bindcode Ctrl+Alt+45 exec x", {"code " + std::to_string(CtrlAlt) + " 45"}},
        {"other modes do not count",
         "mode \"resize\" {\n bindsym Ctrl+Alt+k exec x\n}\nbindsym Ctrl+Alt+l x",
         {std::to_string(CtrlAlt) + " l"}},
        {"a mode's one-line form",
         "mode resize bindsym Ctrl+Alt+k x\nmode default bindsym Ctrl+Alt+l x",
         {std::to_string(CtrlAlt) + " l"}},
        {"other blocks do", "bar {\n  status_command x\n}\nbindsym Ctrl+Alt+k x", {CtrlAltK}},
        {"comments and blanks", "# bindsym Ctrl+Alt+k x\n\n   \t# x", {}},
        {"quoted keys", "bindsym \"Ctrl+Alt+k\" exec x", {CtrlAltK}},
        {"no key, unknown modifier, empty part",
         "bindsym\nbindsym Hyper+k x\nbindsym Ctrl++ x\nbindsym --only",
         {}},
        {"stray closing braces", "}\n}\nbindsym Ctrl+Alt+k x", {CtrlAltK}},
        {"unclosed quote, no line end", "bindsym \"Ctrl+Alt+k", {CtrlAltK}},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(Bound(Case.Text), Case.Expected) << Case.Case;
    }
}

TEST(SwayConfig, IncludesAreReadRelativeToTheirFileOnceEachAndWithinBounds) {
    const Files Included{
        {"/home/u/.config/sway/config.d/50-keys", "set $k k\nbindsym Ctrl+Alt+$k x\ninclude ../config"},
        {"/home/u/.config/sway/config.d/60-more", "mode x {\nbindsym Ctrl+Alt+m x"},
        {"/home/u/.config/sway/config", "bindsym Ctrl+Alt+l x"},
        {"/etc/sway/extra", std::string(TSwayConfigReader::MaxFileBytes, '#') + "\nbindsym Ctrl+Alt+q x"},
    };
    // A block left open in one file does not reach into the next; the main file is not read twice.
    EXPECT_EQ(Bound("include config.d/*\nbindsym Ctrl+Alt+n x\ninclude /etc/sway/extra\ninclude /missing",
                    Included),
              (std::set<std::string>{CtrlAltK, std::to_string(CtrlAlt) + " n"}));
}

TEST(SwayConfig, VariablesThatNameEachOtherStayBounded) {
    std::string Text = "set $a aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\n";
    for (char Name = 'b'; Name <= 'z'; ++Name) {
        Text += std::string("set $") + Name + " $" + static_cast<char>(Name - 1) + "$" +
                static_cast<char>(Name - 1) + "\n";
    }
    Text += "bindsym $z x\nbindsym Ctrl+Alt+k x\n";
    const TSwayConfigReader Reader = Read(Text);
    const auto& Bindings = Reader.Bindings();
    ASSERT_EQ(Bindings.size(), 2U);
    EXPECT_EQ(Bindings.begin()->Key.size(), TSwayConfigReader::MaxFileBytes - std::string("bindsym ").size());
}

TEST(SwayConfig, TulmaCombinationsAreSpelledAsSwayTakesThem) {
    EXPECT_EQ(SwayCombinationText(3, 'K'), "Ctrl+Mod1+k");
    EXPECT_EQ(SwayCombinationText(4, 0x70), "Shift+F1");
    EXPECT_EQ(SwayCombinationText(2, 0x0D), "Ctrl+Return");
    EXPECT_EQ(SwayCombinationText(2, 0xFF), "");
    const auto Spellings = SwaySpellings(3, 'K');
    EXPECT_TRUE(Spellings.contains(*ParseSwayCombination("Ctrl+Alt+k", false)));
    // k is keycode 45 on the default (US) keyboard map.
    EXPECT_TRUE(Spellings.contains(*ParseSwayCombination("Mod1+Control+45", true)));
}

}  // namespace
}  // namespace tulma::test
