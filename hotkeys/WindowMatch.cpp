#include "WindowMatch.h"

#include <algorithm>
#include <string_view>

#include "LocaleText.h"
#include "Text.h"

namespace tulma {
namespace {

constexpr std::string_view ClassPrefix = "class:";

bool SameName(const std::string& Name, const std::string& Wanted) {
    return !Name.empty() && UpperCase(Name) == Wanted;
}

}  // namespace

std::vector<TWindowInfo> MatchingWindows(const std::vector<TWindowInfo>& Windows, const std::string& Text) {
    std::vector<TWindowInfo> Matches;
    if (Text.starts_with(ClassPrefix)) {
        const std::string Wanted = UpperCase(std::string_view(Text).substr(ClassPrefix.size()));
        if (!Wanted.empty()) {
            std::ranges::copy_if(Windows, std::back_inserter(Matches), [&](const TWindowInfo& Window) {
                return SameName(Window.Instance, Wanted) || SameName(Window.Class, Wanted);
            });
        }
    } else if (!Text.empty()) {
        const std::string Pattern = "*" + Text + "*";
        std::ranges::copy_if(Windows, std::back_inserter(Matches), [&](const TWindowInfo& Window) {
            return !Window.Title.empty() && MatchesPattern(Window.Title, Pattern);
        });
    }
    return Matches;
}

std::string WindowLine(const TWindowInfo& Window) {
    return Window.Instance + "." + Window.Class + "\t" + Window.Title;
}

}  // namespace tulma
