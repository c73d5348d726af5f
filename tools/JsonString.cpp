#include "JsonString.h"

#include <cstdint>
#include <string_view>

#include "Json.h"
#include "ToolErrors.h"

namespace tulma {
namespace {

constexpr const char* BytesKey = "bytes";
constexpr const char* HexDigits = "0123456789ABCDEF";

// The length of the well-formed UTF-8 sequence at the start of Text, or 0 (RFC 3629: no overlong
// forms, no surrogates, nothing above U+10FFFF).
size_t SequenceLength(std::string_view Text) {
    const auto Byte = [&Text](size_t I) { return static_cast<uint8_t>(Text[I]); };
    const uint8_t Lead = Byte(0);
    if (Lead < 0x80) {
        return 1;
    }
    size_t Length = 0;
    uint8_t Low = 0x80;
    uint8_t High = 0xBF;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Length = 2;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Length = 3;
        Low = Lead == 0xE0 ? 0xA0 : 0x80;
        High = Lead == 0xED ? 0x9F : 0xBF;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Length = 4;
        Low = Lead == 0xF0 ? 0x90 : 0x80;
        High = Lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (Text.size() < Length || Byte(1) < Low || Byte(1) > High) {
        return 0;
    }
    for (size_t I = 2; I < Length; ++I) {
        if (Byte(I) < 0x80 || Byte(I) > 0xBF) {
            return 0;
        }
    }
    return Length;
}

bool IsValidUtf8(std::string_view Text) {
    while (!Text.empty()) {
        const size_t Length = SequenceLength(Text);
        if (Length == 0) {
            return false;
        }
        Text.remove_prefix(Length);
    }
    return true;
}

std::string ToHex(const std::string& Bytes) {
    std::string Hex;
    Hex.reserve(Bytes.size() * 2);
    for (const char C : Bytes) {
        const auto Byte = static_cast<uint8_t>(C);
        Hex += HexDigits[Byte >> 4];
        Hex += HexDigits[Byte & 0x0F];
    }
    return Hex;
}

int HexValue(char C) {
    if (C >= '0' && C <= '9') {
        return C - '0';
    }
    if (C >= 'A' && C <= 'F') {
        return C - 'A' + 10;
    }
    if (C >= 'a' && C <= 'f') {
        return C - 'a' + 10;
    }
    return -1;
}

std::string FromHex(const std::string& Hex, const std::string& Path) {
    if (Hex.size() % 2 != 0) {
        throw EJsonError(Path, "odd number of hex digits");
    }
    std::string Bytes;
    Bytes.reserve(Hex.size() / 2);
    for (size_t I = 0; I < Hex.size(); I += 2) {
        const int High = HexValue(Hex[I]);
        const int Low = HexValue(Hex[I + 1]);
        if (High < 0 || Low < 0) {
            throw EJsonError(Path, "\"" + Hex.substr(I, 2) + "\" at index " + std::to_string(I) +
                                       " is not a pair of hex digits");
        }
        Bytes += static_cast<char>(High * 16 + Low);
    }
    return Bytes;
}

bool IsBytesObject(const Json& Value) {
    return Value.is_object() && Value.size() == 1 && Value.contains(BytesKey) && Value[BytesKey].is_string();
}

}  // namespace

Json StringToJson(const std::string& Bytes) {
    if (IsValidUtf8(Bytes)) {
        return Bytes;
    }
    return Json{{BytesKey, ToHex(Bytes)}};
}

std::string StringFromJson(const Json& Value, const std::string& Path) {
    std::string Bytes;
    if (Value.is_string()) {
        Bytes = Value.get<std::string>();
    } else if (IsBytesObject(Value)) {
        Bytes = FromHex(Value[BytesKey].get<std::string>(), MemberPath(Path, BytesKey));
    } else {
        throw EJsonError(Path, "expected a string or {\"bytes\": \"<hex>\"}, found " + JsonValueText(Value));
    }
    if (const size_t Nul = Bytes.find('\0'); Nul != std::string::npos) {
        throw EJsonError(Path, "byte " + std::to_string(Nul) + " is NUL, which a stored string cannot hold");
    }
    return Bytes;
}

}  // namespace tulma
