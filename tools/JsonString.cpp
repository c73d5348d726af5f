#include "JsonString.h"

#include <cstdint>
#include <string_view>

#include "ByteText.h"
#include "Json.h"
#include "ToolErrors.h"

namespace tulma {
namespace {

constexpr const char* BytesKey = "bytes";
constexpr const char* HexDigits = "0123456789ABCDEF";

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

bool IsBytesObject(const TJson& Value) {
    return Value.is_object() && Value.size() == 1 && Value.contains(BytesKey) && Value[BytesKey].is_string();
}

}  // namespace

TJson StringToJson(const std::string& Bytes) {
    if (IsValidUtf8(Bytes)) {
        return Bytes;
    }
    return TJson{{BytesKey, ToHex(Bytes)}};
}

std::string StringFromJson(const TJson& Value, const std::string& Path) {
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
