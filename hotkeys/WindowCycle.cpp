#include "WindowCycle.h"

#include <algorithm>

namespace tulma {
namespace {

bool Contains(const std::vector<TWindowInfo>& Windows, TWindowHandle Handle) {
    return std::ranges::find(Windows, Handle, &TWindowInfo::Handle) != Windows.end();
}

}  // namespace

const TWindowInfo* TWindowCycle::Next(const std::vector<TWindowInfo>& Matches, TWindowHandle Active) {
    const bool Continuing = Active != 0 && Contains(Matches, Active);
    Follow(Matches, Continuing);
    if (Order.empty()) {
        return nullptr;
    }
    if (Continuing) {
        std::ranges::find(Order, Active, &TMember::Window)->Visited = true;
    }
    TMember* Chosen = FirstUnvisited();
    if (Chosen == nullptr) {
        // Round again, from the first, leaving the active window for last.
        for (TMember& Window : Order) {
            Window.Visited = Window.Window == Active;
        }
        Chosen = FirstUnvisited();
    }
    Chosen = Chosen != nullptr ? Chosen : &Order.front();
    Chosen->Visited = true;
    return &*std::ranges::find(Matches, Chosen->Window, &TWindowInfo::Handle);
}

// The order of a new cycle, or the running one without the windows that no longer match and with the
// new matches at its end.
void TWindowCycle::Follow(const std::vector<TWindowInfo>& Matches, bool Continuing) {
    if (!Continuing) {
        Order.clear();
    }
    std::erase_if(Order, [&](const TMember& Window) { return !Contains(Matches, Window.Window); });
    if (Order.empty() && !Matches.empty()) {
        Order.push_back({Matches.front().Handle});
        std::for_each(Matches.rbegin(), Matches.rend() - 1,
                      [this](const TWindowInfo& Window) { Order.push_back({Window.Handle}); });
        return;
    }
    for (const TWindowInfo& Window : Matches) {
        if (std::ranges::find(Order, Window.Handle, &TMember::Window) == Order.end()) {
            Order.push_back({Window.Handle});
        }
    }
}

TWindowCycle::TMember* TWindowCycle::FirstUnvisited() {
    const auto Found = std::ranges::find(Order, false, &TMember::Visited);
    return Found != Order.end() ? &*Found : nullptr;
}

}  // namespace tulma
