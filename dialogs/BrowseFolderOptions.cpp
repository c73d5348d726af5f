#include "BrowseFolderOptions.h"

#include <array>
#include <utility>

namespace tulma {

std::uint32_t PlatformFlags(TBrowseInfoFlagSet Flags) {
    static constexpr std::array<std::pair<TBrowseInfoFlag, std::uint32_t>, 6> Values{{
        {TBrowseInfoFlag::bfFileSysDirsOnly, 0x0001},
        {TBrowseInfoFlag::bfDontGoBelowDomain, 0x0002},
        {TBrowseInfoFlag::bfStatusText, 0x0004},
        {TBrowseInfoFlag::bfFileSysAncestors, 0x0008},
        {TBrowseInfoFlag::bfBrowseForComputer, 0x1000},
        {TBrowseInfoFlag::bfBrowseForPrinter, 0x2000},
    }};
    std::uint32_t Result = 0;
    for (const auto& [Member, Value] : Values) {
        if (Flags.Contains(Member)) {
            Result |= Value;
        }
    }
    return Result;
}

int SpecialFolderNumber(TSHFolders Folder) {
    switch (Folder) {
        case TSHFolders::foDesktop:
            return 0x00;
        case TSHFolders::foDesktopExpanded:
            return -1;
        case TSHFolders::foPrograms:
            return 0x02;
        case TSHFolders::foControlPanel:
            return 0x03;
        case TSHFolders::foPrinters:
            return 0x04;
        case TSHFolders::foPersonal:
            return 0x05;
        case TSHFolders::foFavorites:
            return 0x06;
        case TSHFolders::foStartup:
            return 0x07;
        case TSHFolders::foRecent:
            return 0x08;
        case TSHFolders::foSendto:
            return 0x09;
        case TSHFolders::foRecycleBin:
            return 0x0A;
        case TSHFolders::foStartMenu:
            return 0x0B;
        case TSHFolders::foDesktopDirectory:
            return 0x10;
        case TSHFolders::foMyComputer:
            return 0x11;
        case TSHFolders::foNetwork:
            return 0x12;
        case TSHFolders::foNetworkNeighborhood:
            return 0x13;
        case TSHFolders::foFonts:
            return 0x14;
        case TSHFolders::foTemplates:
            return 0x15;
    }
    return -1;
}

}  // namespace tulma
