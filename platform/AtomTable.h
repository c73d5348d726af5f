#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace tulma {

// The process-wide table of named 16-bit registration identifiers. A name keeps its value while it is in
// use: adding it again returns the same value and counts one more use; deleting counts one use down and
// frees the value when no use is left. Values lie in 0xC000..0xFFFF; names compare without regard to
// ASCII letter case and are 1 to 255 bytes long.
class TAtomTable {
  public:
    static constexpr std::uint16_t FirstAtom = 0xC000;
    static constexpr std::uint16_t LastAtom = 0xFFFF;
    static constexpr std::size_t MaxNameLength = 255;

    TAtomTable() = default;
    TAtomTable(const TAtomTable&) = delete;
    TAtomTable& operator=(const TAtomTable&) = delete;

    // The one table of the process.
    static TAtomTable& Global();

    // The name's value with one more use, or 0 when the name is empty, too long or the table is full.
    std::uint16_t AddAtom(const std::string& Name);
    // Counts one use of the value down; an unknown value is ignored. Returns the value, or 0 when the
    // value was in use.
    std::uint16_t DeleteAtom(std::uint16_t Atom);
    // The value of a name in use, or 0.
    std::uint16_t FindAtom(const std::string& Name) const;
    // The name of a value in use, or the empty text.
    std::string AtomName(std::uint16_t Atom) const;
    std::size_t Count() const { return Entries.size(); }

  private:
    struct TEntry {
        std::string Name;
        std::uint32_t Uses = 0;
    };
    std::map<std::uint16_t, TEntry> Entries;
    std::map<std::string, std::uint16_t> ByFoldedName;
    // Values handed out before and free again, and the first value never handed out.
    std::set<std::uint16_t> Freed;
    std::uint32_t NextUnused = FirstAtom;

    std::uint16_t TakeValue();
};

}  // namespace tulma
