#include "AtomTable.h"

#include <algorithm>

namespace tulma {

namespace {

std::string Folded(const std::string& Name) {
    std::string Result = Name;
    std::transform(Result.begin(), Result.end(), Result.begin(),
                   [](char C) { return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C; });
    return Result;
}

}  // namespace

TAtomTable& TAtomTable::Global() {
    static TAtomTable Table;
    return Table;
}

std::uint16_t TAtomTable::AddAtom(const std::string& Name) {
    if (Name.empty() || Name.size() > MaxNameLength) {
        return 0;
    }
    const std::string Key = Folded(Name);
    if (auto Found = ByFoldedName.find(Key); Found != ByFoldedName.end()) {
        ++Entries[Found->second].Uses;
        return Found->second;
    }
    const std::uint16_t Value = TakeValue();
    if (Value == 0) {
        return 0;
    }
    Entries[Value] = TEntry{Name, 1};
    ByFoldedName[Key] = Value;
    return Value;
}

std::uint16_t TAtomTable::DeleteAtom(std::uint16_t Atom) {
    auto Found = Entries.find(Atom);
    if (Found == Entries.end()) {
        return Atom;
    }
    if (--Found->second.Uses == 0) {
        ByFoldedName.erase(Folded(Found->second.Name));
        Entries.erase(Found);
        Freed.insert(Atom);
    }
    return 0;
}

std::uint16_t TAtomTable::FindAtom(const std::string& Name) const {
    auto Found = ByFoldedName.find(Folded(Name));
    return Found == ByFoldedName.end() ? 0 : Found->second;
}

std::string TAtomTable::AtomName(std::uint16_t Atom) const {
    auto Found = Entries.find(Atom);
    return Found == Entries.end() ? std::string() : Found->second.Name;
}

// The lowest free value, so that values stay small and predictable.
std::uint16_t TAtomTable::TakeValue() {
    if (!Freed.empty()) {
        const std::uint16_t Value = *Freed.begin();
        Freed.erase(Freed.begin());
        return Value;
    }
    return NextUnused > LastAtom ? 0 : static_cast<std::uint16_t>(NextUnused++);
}

}  // namespace tulma
