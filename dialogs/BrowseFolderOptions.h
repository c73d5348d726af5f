#pragma once

#include <cstdint>
#include <initializer_list>

// The settings of the folder browser that keep their Windows meaning: option flags and root folders. Their
// values keep the names that the stored format's Delphi origin gave them.
namespace tulma {

// NOLINTBEGIN(readability-identifier-naming)
enum class TBrowseInfoFlag {
    bfFileSysDirsOnly,
    bfDontGoBelowDomain,
    bfStatusText,
    bfFileSysAncestors,
    bfBrowseForComputer,
    bfBrowseForPrinter,
};
// NOLINTEND(readability-identifier-naming)

class TBrowseInfoFlagSet {
  public:
    TBrowseInfoFlagSet() = default;
    TBrowseInfoFlagSet(std::initializer_list<TBrowseInfoFlag> Members) {
        for (const TBrowseInfoFlag Member : Members) {
            Include(Member);
        }
    }
    bool Contains(TBrowseInfoFlag Member) const { return (FBits & Bit(Member)) != 0; }
    void Include(TBrowseInfoFlag Member) { FBits |= Bit(Member); }
    void Exclude(TBrowseInfoFlag Member) { FBits &= ~Bit(Member); }
    bool operator==(const TBrowseInfoFlagSet&) const = default;

  private:
    static std::uint32_t Bit(TBrowseInfoFlag Member) { return 1u << static_cast<int>(Member); }
    std::uint32_t FBits = 0;
};

// The BIF_* value of a flag set, as the Windows dialog takes it.
std::uint32_t PlatformFlags(TBrowseInfoFlagSet Flags);

// NOLINTBEGIN(readability-identifier-naming)
enum class TSHFolders {
    foDesktop,
    foDesktopExpanded,
    foPrograms,
    foControlPanel,
    foPrinters,
    foPersonal,
    foFavorites,
    foStartup,
    foRecent,
    foSendto,
    foRecycleBin,
    foStartMenu,
    foDesktopDirectory,
    foMyComputer,
    foNetwork,
    foNetworkNeighborhood,
    foFonts,
    foTemplates,
};
// NOLINTEND(readability-identifier-naming)

// The CSIDL_* number of a root folder; -1 for foDesktopExpanded, which names no root.
int SpecialFolderNumber(TSHFolders Folder);

enum class TCustomButtonType { btPushButton, btCheckBox };  // NOLINT(readability-identifier-naming)

}  // namespace tulma
