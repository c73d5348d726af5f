#include "DateFormat.h"

#include <cctype>

namespace tulma {
namespace {

std::string Number(int32_t Value, bool Padded) {
    return Padded && Value >= 0 ? WithLeadingZero(Value) : std::to_string(Value);
}

std::string YearText(int32_t Year, size_t Letters) {
    if (Letters <= 2) {
        return WithLeadingZero(Year % 100);
    }
    const std::string Digits = std::to_string(Year);
    return Year >= 0 && Digits.size() < 4 ? std::string(4 - Digits.size(), '0') + Digits : Digits;
}

}  // namespace

std::string WithLeadingZero(int32_t Value) {
    return (Value < 10 ? "0" : "") + std::to_string(Value);
}

std::string SortKeyPart(int32_t Value, int32_t Ceiling, bool Ascending) {
    return WithLeadingZero(Ascending ? Value : Ceiling - Value);
}

std::string& ShortDateFormat() {
    static std::string Format = "yyyy-MM-dd";
    return Format;
}

std::string& LongTimeFormat() {
    static std::string Format = "hh:nn:ss";
    return Format;
}

std::string FormatDateTime(std::string_view Format, const TDateTimeFields& Fields) {
    std::string Text;
    bool AfterHour = false;
    size_t At = 0;
    while (At < Format.size()) {
        const char Letter = static_cast<char>(std::tolower(static_cast<unsigned char>(Format[At])));
        if (Letter == '\'' || Letter == '"') {
            const size_t Close = Format.find(Format[At], At + 1);
            const size_t End = Close == std::string_view::npos ? Format.size() : Close;
            Text.append(Format.substr(At + 1, End - At - 1));
            At = End + 1;
            continue;
        }
        size_t Run = 1;
        while (At + Run < Format.size() &&
               std::tolower(static_cast<unsigned char>(Format[At + Run])) == Letter) {
            ++Run;
        }
        const bool Padded = Run >= 2;
        switch (Letter) {
            case 'd':
                Text += Number(Fields.Day, Padded);
                break;
            case 'm':
                Text += Number(AfterHour ? Fields.Minute : Fields.Month, Padded);
                break;
            case 'y':
                Text += YearText(Fields.Year, Run);
                break;
            case 'h':
                Text += Number(Fields.Hour, Padded);
                break;
            case 'n':
                Text += Number(Fields.Minute, Padded);
                break;
            case 's':
                Text += Number(Fields.Second, Padded);
                break;
            default:
                Text.append(Format.substr(At, Run));
        }
        if (std::isalpha(static_cast<unsigned char>(Letter))) {
            AfterHour = Letter == 'h';
        }
        At += Run;
    }
    return Text;
}

}  // namespace tulma
