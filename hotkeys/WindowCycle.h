#pragma once

#include <vector>

#include "DesktopWindows.h"

namespace tulma {

// Which of a command's matching windows each press brings forward, the same on every desktop whenever
// or whether its window manager restacks. A press while no match is active starts a cycle, whose order
// is that of the matches then: the topmost, then the others from the lowest up (on a desktop that
// raises what it activates, the least recently used first). Each press while a match is active brings
// the first window of that order not yet visited in the cycle, the active one counting as visited;
// once every one has been, the cycle starts again with the first but the active one. Windows that open
// meanwhile join the end of the order, windows that close leave it.
class TWindowCycle {
  public:
    // The window to bring forward among Matches (topmost first) while Active has the focus (0: none
    // known); null when there is no match.
    const TWindowInfo* Next(const std::vector<TWindowInfo>& Matches, TWindowHandle Active);

  private:
    struct TMember {
        TWindowHandle Window = 0;
        bool Visited = false;
    };

    std::vector<TMember> Order;

    void Follow(const std::vector<TWindowInfo>& Matches, bool Continuing);
    TMember* FirstUnvisited();
};

}  // namespace tulma
