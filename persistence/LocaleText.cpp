#include "LocaleText.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <memory>

namespace tulma {
namespace {

// Windows-1252 bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsValidUtf8(std::string_view Text) {
    int32_t Offset = 0;
    const auto Length = static_cast<int32_t>(Text.size());
    while (Offset < Length) {
        UChar32 Char = 0;
        U8_NEXT(reinterpret_cast<const uint8_t*>(Text.data()), Offset, Length, Char);
        if (Char < 0) {
            return false;
        }
    }
    return true;
}

icu::UnicodeString Decode(std::string_view Text) {
    if (IsValidUtf8(Text)) {
        return icu::UnicodeString::fromUTF8(icu::StringPiece(Text.data(), static_cast<int32_t>(Text.size())));
    }
    icu::UnicodeString Result;
    for (const char Byte : Text) {
        const auto Code = static_cast<uint8_t>(Byte);
        Result.append(Code >= 0x80 && Code < 0xA0 ? Cp1252High[Code - 0x80] : static_cast<char16_t>(Code));
    }
    return Result;
}

// The C/POSIX locale maps to ICU's en_US_POSIX, whose collation orders by code point and so tells
// case apart at the first level; the root collation serves such sessions instead.
icu::Locale CollationLocale() {
    const icu::Locale& User = icu::Locale::getDefault();
    return std::string_view(User.getName()) == "en_US_POSIX" ? icu::Locale::getRoot() : User;
}

std::unique_ptr<icu::Collator> MakeCollator() {
    UErrorCode Status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> Collator(icu::Collator::createInstance(CollationLocale(), Status));
    if (U_FAILURE(Status) || !Collator) {
        Status = U_ZERO_ERROR;
        Collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), Status));
    }
    if (Collator) {
        Collator->setStrength(icu::Collator::SECONDARY);
    }
    return Collator;
}

}  // namespace

int8_t CompareTextIgnoreCase(std::string_view A, std::string_view B) {
    static const std::unique_ptr<icu::Collator> Collator = MakeCollator();
    if (!Collator) {
        const int Order = Decode(A).caseCompare(Decode(B), U_FOLD_CASE_DEFAULT);
        return Order < 0 ? -1 : (Order > 0 ? 1 : 0);
    }
    UErrorCode Status = U_ZERO_ERROR;
    // Sorting a list compares each text many times: UTF-8 is compared as it stands, without a copy.
    const UCollationResult Order =
        IsValidUtf8(A) && IsValidUtf8(B)
            ? Collator->compareUTF8(icu::StringPiece(A.data(), static_cast<int32_t>(A.size())),
                                    icu::StringPiece(B.data(), static_cast<int32_t>(B.size())), Status)
            : Collator->compare(Decode(A), Decode(B), Status);
    return Order == UCOL_LESS ? -1 : (Order == UCOL_GREATER ? 1 : 0);
}

std::string UpperCase(std::string_view Text) {
    std::string Result;
    Decode(Text).toUpper(icu::Locale::getDefault()).toUTF8String(Result);
    return Result;
}

}  // namespace tulma
