#include "WindowTitle.h"

namespace tulma {
namespace {

bool IsContinuationByte(char C) {
    return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}

}  // namespace

std::string CutTitle(std::string Text, std::size_t MaxBytes) {
    if (const std::size_t Nul = Text.find('\0'); Nul != std::string::npos) {
        Text.resize(Nul);
    }
    if (Text.size() <= MaxBytes) {
        return Text;
    }
    std::size_t End = MaxBytes;
    while (End > 0 && IsContinuationByte(Text[End])) {
        --End;
    }
    Text.resize(End);
    return Text;
}

}  // namespace tulma
