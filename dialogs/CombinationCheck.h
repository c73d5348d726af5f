#pragma once

#include <cstdint>

namespace tulma {

class THotTulma;

// What the key field of the hotkey definition dialog asks about a combination: who else holds it.
class ICombinationCheck {
  public:
    // The desktop's word on a combination before OK.
    enum class TDesktopAnswer {
        Free,          // no other program holds it
        Taken,         // another program (or the desktop itself) holds it
        AfterBinding,  // the desktop decides only once the hotkey is bound, after OK
    };

    ICombinationCheck() = default;
    ICombinationCheck(const ICombinationCheck&) = delete;
    ICombinationCheck& operator=(const ICombinationCheck&) = delete;
    virtual ~ICombinationCheck() = default;

    // The program's own hotkeys answer no press while suspended, so that the key field can capture any
    // combination, theirs included.
    virtual void SuspendHotKeys() = 0;
    virtual void ResumeHotKeys() = 0;
    // The hotkey of the list, other than the one with ExceptID, that holds the combination Value; null
    // when none does.
    virtual const THotTulma* HolderInList(std::uint16_t Value, std::int32_t ExceptID) const = 0;
    // Asked while the program's own hotkeys are suspended, so that only other programs count.
    virtual TDesktopAnswer AskDesktop(std::uint16_t Value) = 0;
    // The hotkey ID gives up its combination: it has none afterwards.
    virtual void TakeCombinationFrom(std::int32_t ID) = 0;
};

}  // namespace tulma
