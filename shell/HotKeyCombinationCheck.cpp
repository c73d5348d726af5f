#include "HotKeyCombinationCheck.h"

#include "AtomTable.h"
#include "CurrentHotKeyFile.h"
#include "HotKeyActivation.h"
#include "HotKeyFile.h"
#include "HotKeyRegistry.h"
#include "HotTulma.h"

namespace tulma {

THotKeyCombinationCheck::THotKeyCombinationCheck(THotKeyActivation& Activation, IHotKeyRegistry& Registry,
                                                 TAtomTable& Atoms, bool DesktopDecides)
    : Activation(Activation), Registry(Registry), Atoms(Atoms), DesktopDecides(DesktopDecides) {}

void THotKeyCombinationCheck::SuspendHotKeys() {
    Activation.SuspendHotKeys();
}

void THotKeyCombinationCheck::ResumeHotKeys() {
    Activation.ResumeHotKeys();
}

const THotTulma* THotKeyCombinationCheck::HolderInList(std::uint16_t Value, std::int32_t ExceptID) const {
    const TIDList& List = HotKeyFile().HotKeyList();
    for (int32_t I = 0; I < List.Count(); ++I) {
        const auto& HotKey = List.ItemAs<THotTulma>(I);
        if (HotKey.HotKey == Value && HotKey.ID != ExceptID) {
            return &HotKey;
        }
    }
    return nullptr;
}

// A registration under an identifier of its own, ended at once: the window system refuses it when
// another program holds the combination.
ICombinationCheck::TDesktopAnswer THotKeyCombinationCheck::AskDesktop(std::uint16_t Value) {
    if (DesktopDecides) {
        return TDesktopAnswer::AfterBinding;
    }
    const TModifiersAndKey Wanted = ModifiersAndKeyOf(Value);
    const std::uint16_t Probe = Atoms.AddAtom("THotTulmaCapture");
    if (Probe == 0 || Wanted.VirtualKey == 0 || Wanted.VirtualKey > 0xFF) {
        Atoms.DeleteAtom(Probe);
        return TDesktopAnswer::Free;
    }
    const bool Free =
        Registry.RegisterHotKey(Probe, Wanted.Modifiers, static_cast<std::uint8_t>(Wanted.VirtualKey));
    Registry.UnregisterHotKey(Probe);
    Atoms.DeleteAtom(Probe);
    return Free ? TDesktopAnswer::Free : TDesktopAnswer::Taken;
}

void THotKeyCombinationCheck::TakeCombinationFrom(std::int32_t ID) {
    if (auto* HotKey = dynamic_cast<THotTulma*>(HotKeyFile().HotKeyList().GetByID(ID))) {
        HotKey->HotKey = 0;
        Activation.RenewHotKey(*HotKey);
    }
}

}  // namespace tulma
