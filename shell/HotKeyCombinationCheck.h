#pragma once

#include "CombinationCheck.h"

namespace tulma {

class IHotKeyRegistry;
class TAtomTable;
class THotKeyActivation;

// The key field's questions answered from the current hotkey list and the hotkey registry: the list's
// hotkeys step aside while a combination is captured, and the registry is tried for it at once. A
// desktop that decides the combinations itself (the portal) answers only after binding.
class THotKeyCombinationCheck : public ICombinationCheck {
  public:
    THotKeyCombinationCheck(THotKeyActivation& Activation, IHotKeyRegistry& Registry, TAtomTable& Atoms,
                            bool DesktopDecides);

    void SuspendHotKeys() override;
    void ResumeHotKeys() override;
    const THotTulma* HolderInList(std::uint16_t Value, std::int32_t ExceptID) const override;
    TDesktopAnswer AskDesktop(std::uint16_t Value) override;
    void TakeCombinationFrom(std::int32_t ID) override;

  private:
    THotKeyActivation& Activation;
    IHotKeyRegistry& Registry;
    TAtomTable& Atoms;
    bool DesktopDecides;
};

}  // namespace tulma
