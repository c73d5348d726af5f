#include "PressRepeats.h"

namespace tulma {

bool TPressRepeats::IsPress(std::int32_t ID, TClock::time_point Now) {
    const auto Previous = Last.find(ID);
    const bool Press = Previous == Last.end() || Now - Previous->second >= Gap;
    // Each repeat moves the mark, so that a held key stays one press however long it is held.
    Last[ID] = Now;
    return Press;
}

}  // namespace tulma
