#include "ByteText.h"

#include <unicode/utf8.h>

#include <array>
#include <cstdint>

namespace tulma {
namespace {

// Windows-1252 at 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

bool IsValidUtf8(std::string_view Bytes) {
    int32_t Offset = 0;
    const auto Length = static_cast<int32_t>(Bytes.size());
    while (Offset < Length) {
        UChar32 Char = 0;
        U8_NEXT(reinterpret_cast<const uint8_t*>(Bytes.data()), Offset, Length, Char);
        if (Char < 0) {
            return false;
        }
    }
    return true;
}

std::u16string FromWindows1252(std::string_view Bytes) {
    std::u16string Text;
    Text.reserve(Bytes.size());
    for (const char C : Bytes) {
        const auto Byte = static_cast<uint8_t>(C);
        Text += Byte >= 0x80 && Byte < 0xA0 ? Windows1252High[Byte - 0x80] : static_cast<char16_t>(Byte);
    }
    return Text;
}

}  // namespace tulma
