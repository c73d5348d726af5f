#include "LocaleText.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

#include "ByteText.h"

namespace tulma {
namespace {

icu::UnicodeString Decode(std::string_view Text) {
    if (IsValidUtf8(Text)) {
        return icu::UnicodeString::fromUTF8(icu::StringPiece(Text.data(), static_cast<int32_t>(Text.size())));
    }
    const std::u16string Windows1252 = FromWindows1252(Text);
    return icu::UnicodeString(Windows1252.data(), static_cast<int32_t>(Windows1252.size()));
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
