#include "FindHotKey.h"

#include "HotTulma.h"
#include "IDList.h"

namespace tulma {
namespace {

template <class TFits>
const THotTulma* FirstThat(const TIDList& HotKeys, TFits Fits) {
    for (int32_t I = 0; I < HotKeys.Count(); ++I) {
        const auto& HotKey = HotKeys.ItemAs<THotTulma>(I);
        if (Fits(HotKey.Name)) {
            return &HotKey;
        }
    }
    return nullptr;
}

}  // namespace

const THotTulma* FindHotKey(const TIDList& HotKeys, const std::string& Name) {
    if (const THotTulma* Exact = FirstThat(HotKeys, [&](const std::string& Own) { return Own == Name; })) {
        return Exact;
    }
    return FirstThat(HotKeys, [&](const std::string& Own) { return MenuText(Own) == Name; });
}

std::string MenuText(const std::string& Name) {
    std::string Text;
    for (std::size_t I = 0; I < Name.size(); ++I) {
        if (Name[I] == '&' && I + 1 < Name.size()) {
            ++I;
        }
        Text += Name[I];
    }
    return Text;
}

}  // namespace tulma
