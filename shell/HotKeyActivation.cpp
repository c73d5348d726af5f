#include "HotKeyActivation.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "AtomTable.h"
#include "CurrentHotKeyFile.h"
#include "FindHotKey.h"
#include "HotKeyFile.h"
#include "HotKeyRegistry.h"
#include "HotTulma.h"
#include "KeyComboText.h"
#include "QtText.h"

namespace tulma {
namespace {

constexpr std::uint16_t VirtualKeyMask = 0x1FFF;

template <class TAction>
void ForEachHotKey(TAction Action) {
    TIDList& List = HotKeyFile().HotKeyList();
    for (int32_t I = 0; I < List.Count(); ++I) {
        Action(List.ItemAs<THotTulma>(I));
    }
}

}  // namespace

TModifiersAndKey ModifiersAndKeyOf(std::uint16_t HotKey) {
    TModifiersAndKey Result;
    Result.VirtualKey = HotKey & VirtualKeyMask;
    Result.Modifiers = ((HotKey & AltBit) ? MOD_ALT : 0) | ((HotKey & CtrlBit) ? MOD_CONTROL : 0) |
                       ((HotKey & ShiftBit) ? MOD_SHIFT : 0);
    return Result;
}

std::string AtomNameOf(int32_t ID) {
    return "THotTulma" + std::to_string(ID);
}

THotKeyActivation::THotKeyActivation(IHotKeyRegistry& Registry, TAtomTable& Atoms, QMenu& Menu,
                                     TRunHotKey Run, QObject* Parent)
    : QObject(Parent), Registry(Registry), Atoms(Atoms), Menu(Menu), Run(std::move(Run)) {
    Registry.SetPressHandler([this](std::uint16_t Atom) { WMHotKey(Atom); });
    Registry.SetAssignmentHandler([this] { emit AssignmentsChanged(); });
    Registry.SetWithdrawalHandler(
        [this](const std::vector<std::uint16_t>& Withdrawn) { Withdraw(Withdrawn); });
    connect(&Menu, &QMenu::aboutToShow, this, &THotKeyActivation::FillMenu);
}

THotKeyActivation::~THotKeyActivation() {
    Registry.SetPressHandler({});
    Registry.SetAssignmentHandler({});
    Registry.SetWithdrawalHandler({});
}

void THotKeyActivation::ActivateHotKey(THotTulma& HotKey) {
    HotKey.Atom = Atoms.AddAtom(AtomNameOf(HotKey.ID));
    RenewHotKey(HotKey);
}

void THotKeyActivation::RenewHotKey(THotTulma& HotKey) {
    Registry.UnregisterHotKey(HotKey.Atom);
    THotTulma* Renewed = &HotKey;
    Register({&Renewed, 1});
    ShowInMenu(HotKey);
}

void THotKeyActivation::ShowInMenu(const THotTulma& HotKey) {
    const auto [Entry, Added] = MenuEntries.try_emplace(HotKey.ID);
    if (Added) {
        Entry->second.Order = NextOrder++;
    }
    Entry->second.Caption = ToQString(HotKey.Name);
    if (Entry->second.Item != nullptr) {
        Entry->second.Item->setText(Entry->second.Caption);
    }
}

// Entries without an item were all added after the last fill, so their items go last, in their order.
void THotKeyActivation::FillMenu() {
    std::vector<std::pair<std::uint64_t, int32_t>> Missing;
    for (const auto& [ID, Entry] : MenuEntries) {
        if (Entry.Item == nullptr) {
            Missing.emplace_back(Entry.Order, ID);
        }
    }
    std::sort(Missing.begin(), Missing.end());
    for (const auto& [Order, ID] : Missing) {
        TMenuEntry& Entry = MenuEntries.at(ID);
        Entry.Item = Menu.addAction(Entry.Caption);
        Entry.Item->setData(ID);
        connect(Entry.Item, &QAction::triggered, this, [this, Item = Entry.Item] { PPCUserClick(Item); });
    }
}

void THotKeyActivation::DeactivateHotKey(THotTulma& HotKey) {
    RemoveFromMenu(HotKey);
    Registry.UnregisterHotKey(HotKey.Atom);
    Atoms.DeleteAtom(HotKey.Atom);
    Refused.erase(HotKey.ID);
    if (const auto Held = HolderOfCombination.find(HotKey.HotKey);
        Held != HolderOfCombination.end() && Held->second == HotKey.ID) {
        HolderOfCombination.erase(Held);
    }
}

void THotKeyActivation::RemoveFromMenu(const THotTulma& HotKey) {
    if (const auto Found = MenuEntries.find(HotKey.ID); Found != MenuEntries.end()) {
        if (QAction* Item = Found->second.Item) {
            Menu.removeAction(Item);
            Item->deleteLater();
        }
        MenuEntries.erase(Found);
    }
}

// The whole file in one request to the registry, which can answer it in one round trip.
void THotKeyActivation::ActivateAllHotKeys() {
    std::vector<THotTulma*> HotKeys;
    ForEachHotKey([&](THotTulma& HotKey) {
        HotKey.Atom = Atoms.AddAtom(AtomNameOf(HotKey.ID));
        HotKeys.push_back(&HotKey);
    });
    Register(HotKeys);
    for (const THotTulma* HotKey : HotKeys) {
        ShowInMenu(*HotKey);
    }
}

void THotKeyActivation::DeactivateAllHotKeys() {
    std::vector<std::uint16_t> Registered;
    ForEachHotKey([&](const THotTulma& HotKey) {
        RemoveFromMenu(HotKey);
        Registered.push_back(HotKey.Atom);
    });
    Registry.UnregisterHotKeys(Registered);
    for (const std::uint16_t Atom : Registered) {
        Atoms.DeleteAtom(Atom);
    }
    Refused.clear();
    IDOfAtom.clear();
    HolderOfCombination.clear();
}

void THotKeyActivation::SuspendHotKeys() {
    std::vector<std::uint16_t> Registered;
    ForEachHotKey([&](const THotTulma& HotKey) { Registered.push_back(HotKey.Atom); });
    Registry.UnregisterHotKeys(Registered);
}

void THotKeyActivation::ResumeHotKeys() {
    std::vector<THotTulma*> HotKeys;
    ForEachHotKey([&](THotTulma& HotKey) { HotKeys.push_back(&HotKey); });
    Register(HotKeys);
}

// The pressed atom leads to the hotkeys of its identifier by binary search, so that a press costs the same
// whatever the number of hotkeys. Items that share an identifier share its atom: each of them runs.
void THotKeyActivation::WMHotKey(std::uint16_t Atom) {
    const auto Known = IDOfAtom.find(Atom);
    if (Known == IDOfAtom.end()) {
        return;
    }
    TIDList& List = HotKeyFile().HotKeyList();
    for (int32_t I = std::max(List.IndexOfID(Known->second), 0); I < List.Count(); ++I) {
        const auto& HotKey = List.ItemAs<THotTulma>(I);
        if (HotKey.ID != Known->second) {
            break;
        }
        if (HotKey.Atom == Atom) {
            Run(HotKey);
        }
    }
}

void THotKeyActivation::PPCUserClick(const QAction* Item) {
    const int32_t ID = Item->data().toInt();
    ForEachHotKey([this, ID](const THotTulma& HotKey) {
        if (HotKey.ID == ID) {
            Run(HotKey);
        }
    });
}

std::optional<std::string> THotKeyActivation::AssignedCombination(const THotTulma& HotKey) const {
    return IsRefused(HotKey.ID) ? std::nullopt : Registry.AssignedCombination(HotKey.Atom);
}

std::string THotKeyActivation::RefusalReason(const THotTulma& HotKey) const {
    return IsRefused(HotKey.ID) ? Registry.RefusalReason(HotKey.Atom) : std::string();
}

bool THotKeyActivation::RunHotKey(const std::string& Name) {
    const THotTulma* HotKey = FindHotKey(HotKeyFile().HotKeyList(), Name);
    if (HotKey == nullptr) {
        return false;
    }
    Run(*HotKey);
    return true;
}

bool THotKeyActivation::RunHotKeyId(int32_t ID) {
    const auto* HotKey = dynamic_cast<const THotTulma*>(HotKeyFile().HotKeyList().GetByID(ID));
    if (HotKey == nullptr || !MenuEntries.contains(ID)) {
        return false;
    }
    Run(*HotKey);
    return true;
}

const THotTulma* THotKeyActivation::HolderOf(const THotTulma& HotKey) const {
    const auto Holder = HolderOfCombination.find(HotKey.HotKey);
    if (Holder == HolderOfCombination.end() || Holder->second == HotKey.ID || IsRefused(Holder->second)) {
        return nullptr;
    }
    const auto* Other = dynamic_cast<const THotTulma*>(HotKeyFile().HotKeyList().GetByID(Holder->second));
    // The holder may have been given another combination since.
    return Other != nullptr && Other->HotKey == HotKey.HotKey ? Other : nullptr;
}

void THotKeyActivation::Register(std::span<THotTulma* const> HotKeys) {
    std::vector<THotKeyRegistration> Registrations;
    std::vector<const THotTulma*> Asked;
    for (const THotTulma* HotKey : HotKeys) {
        IDOfAtom[HotKey->Atom] = HotKey->ID;
        Refused.insert(HotKey->ID);
        const TModifiersAndKey Wanted = ModifiersAndKeyOf(HotKey->HotKey);
        // An atom table that is full gives no atom, and a key code beyond one byte names no key: neither
        // can be registered.
        if (HotKey->Atom == 0 || Wanted.VirtualKey > 0xFF) {
            continue;
        }
        Registry.NameHotKey(HotKey->Atom, RegistrationKey(HotKey->ID), ToQString(HotKey->Name).toStdString());
        Registrations.push_back(
            {HotKey->Atom, Wanted.Modifiers, static_cast<std::uint8_t>(Wanted.VirtualKey)});
        Asked.push_back(HotKey);
    }
    const std::vector<bool> Registered = Registry.RegisterHotKeys(Registrations);
    for (std::size_t I = 0; I < Asked.size(); ++I) {
        if (Registered[I]) {
            Refused.erase(Asked[I]->ID);
            HolderOfCombination[Asked[I]->HotKey] = Asked[I]->ID;
        }
    }
}

// The registry withdraws only registrations still in force, so each atom still names its hotkey.
void THotKeyActivation::Withdraw(const std::vector<std::uint16_t>& WithdrawnAtoms) {
    for (const std::uint16_t Atom : WithdrawnAtoms) {
        const auto Known = IDOfAtom.find(Atom);
        if (Known == IDOfAtom.end()) {
            continue;
        }
        Refused.insert(Known->second);
        std::erase_if(HolderOfCombination, [&](const auto& Held) { return Held.second == Known->second; });
    }
    emit RegistrationsWithdrawn();
}

}  // namespace tulma
