#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class QAction;
class QMenu;

namespace tulma {

class TAtomTable;
class IHotKeyRegistry;
class THotTulma;

// A key-combination value in the Windows form the registry takes: MOD_* flags and the virtual-key code.
struct TModifiersAndKey {
    unsigned Modifiers = 0;
    std::uint16_t VirtualKey = 0;
};
TModifiersAndKey ModifiersAndKeyOf(std::uint16_t HotKey);

// The atom name of a hotkey identifier: "THotTulma" and the identifier in decimal.
std::string AtomNameOf(int32_t ID);

// Keeps every active hotkey of the current hotkey file registered system-wide under its atom and listed
// in the tray menu, and runs a hotkey when its combination is pressed or its menu item chosen.
class THotKeyActivation : public QObject {
    Q_OBJECT
  public:
    using TRunHotKey = std::function<void(const THotTulma&)>;

    // Menu: the tray menu; the hotkeys' items follow the items already in it.
    THotKeyActivation(IHotKeyRegistry& Registry, TAtomTable& Atoms, QMenu& Menu, TRunHotKey Run,
                      QObject* Parent = nullptr);
    ~THotKeyActivation() override;

    void ActivateHotKey(THotTulma& HotKey);
    // Registers the current combination in place of the earlier one and renames the menu item.
    void RenewHotKey(THotTulma& HotKey);
    void DeactivateHotKey(THotTulma& HotKey);
    void ActivateAllHotKeys();
    void DeactivateAllHotKeys();
    // Every hotkey of the current file answers no press until ResumeHotKeys registers them all again;
    // their atoms, menu items and marks stay.
    void SuspendHotKeys();
    void ResumeHotKeys();

    // A press of the registration Atom: runs every hotkey of the current file holding that atom.
    void WMHotKey(std::uint16_t Atom);
    // A hotkey's menu item chosen: runs every hotkey of the current file with the item's identifier.
    void PPCUserClick(const QAction* Item);
    // Makes the menu items that entries added since the menu last showed still lack, after the others.
    void FillMenu();
    // A hotkey asked for by name ("tulma --run NAME"): runs the hotkey of the current file that Name
    // means (FindHotKey) as its menu item would; false when no hotkey fits.
    bool RunHotKey(const std::string& Name);
    // A hotkey asked for by identifier (a desktop shortcut's press): runs it once; false when the current
    // file has no active hotkey with that identifier.
    bool RunHotKeyId(int32_t ID);

    // Whether the window system refused the hotkey's combination when it was last registered.
    bool IsRefused(int32_t ID) const { return Refused.contains(ID); }
    // The other active hotkey of the current file that holds the combination HotKey asks for; null when
    // none does (another program holds it, or nobody).
    const THotTulma* HolderOf(const THotTulma& HotKey) const;
    // Why the window system refused the hotkey's combination, when it says; empty otherwise.
    std::string RefusalReason(const THotTulma& HotKey) const;
    // The combination the desktop assigned in place of the hotkey's own, empty when it assigned none; nothing
    // when it took the hotkey's own or the window system leaves the choice to the program.
    std::optional<std::string> AssignedCombination(const THotTulma& HotKey) const;

  signals:
    // The desktop changed the combinations it assigned to the hotkeys.
    void AssignmentsChanged();
    // The window system refused combinations after it had registered them: those hotkeys are refused now.
    void RegistrationsWithdrawn();

  private:
    IHotKeyRegistry& Registry;
    TAtomTable& Atoms;
    QMenu& Menu;
    TRunHotKey Run;
    std::set<int32_t> Refused;
    // The menu entry of each active hotkey, by identifier: a large file must not walk the menu for every
    // hotkey. Its item is made when the menu is about to show (FillMenu): a program that idles in the
    // tray keeps no thousand items nobody opens. Order says where the item goes: entries are appended.
    struct TMenuEntry {
        QString Caption;
        std::uint64_t Order = 0;
        QAction* Item = nullptr;
    };
    std::map<int32_t, TMenuEntry> MenuEntries;
    std::uint64_t NextOrder = 0;
    // The identifier of each registered atom, written by Register. An entry may outlive its hotkey: no
    // press comes for an atom no longer registered, and a new registration of the atom overwrites it.
    std::unordered_map<std::uint16_t, int32_t> IDOfAtom;
    // The hotkey whose registration of a key-combination value succeeded last: only one can hold it. Checked
    // against Refused, since a later registration of that hotkey may have failed.
    std::unordered_map<std::uint16_t, int32_t> HolderOfCombination;

    // Registers the hotkeys' combinations under their atoms in one request and notes which were refused.
    void Register(std::span<THotTulma* const> HotKeys);
    void Withdraw(const std::vector<std::uint16_t>& WithdrawnAtoms);
    void ShowInMenu(const THotTulma& HotKey);
    void RemoveFromMenu(const THotTulma& HotKey);
};

}  // namespace tulma
