#include "Zeit.h"

#include "Calendar.h"
#include "DateErrors.h"
#include "DateFormat.h"
#include "DateTimeValue.h"
#include "FieldVisitor.h"
#include "IntHelpers.h"
#include "IntegerText.h"
#include "ObjectStream.h"
#include "SystemClock.h"

namespace tulma {
namespace {

bool IsTime(int64_t Hour, int64_t Minute, int64_t Second) {
    return Hour >= 0 && Hour <= 23 && Minute >= 0 && Minute <= 59 && Second >= 0 && Second <= 59;
}

}  // namespace

TZeit::TZeit(TObjectStream& Stream)
    : Stunde(static_cast<int8_t>(Stream.ReadByte())),
      Minute(static_cast<int8_t>(Stream.ReadByte())),
      Sekunde(static_cast<int8_t>(Stream.ReadByte())) {}

void TZeit::SetTime(int8_t Hour, int8_t NewMinute, int8_t Second) {
    Stunde = Hour;
    Minute = NewMinute;
    Sekunde = Second;
}

bool TZeit::TimeExists() const {
    return IsTime(Stunde, Minute, Sekunde);
}

void TZeit::GetCurrTime() {
    const TDateTimeFields Now = CurrentLocalDateTime();
    SetTime(static_cast<int8_t>(Now.Hour), static_cast<int8_t>(Now.Minute), static_cast<int8_t>(Now.Second));
}

int8_t TZeit::Compare(const TCompareableObject& Other) const {
    const auto& Time = CastTo<const TZeit>(Other);
    if (Stunde != Time.Stunde) {
        return CompareShortInt(Stunde, Time.Stunde);
    }
    return Minute != Time.Minute ? CompareShortInt(Minute, Time.Minute)
                                 : CompareShortInt(Sekunde, Time.Sekunde);
}

std::string TZeit::Time2Text(bool WithSeconds) const {
    return WithLeadingZero(Stunde) + ":" + WithLeadingZero(Minute) +
           (WithSeconds ? ":" + WithLeadingZero(Sekunde) : "");
}

std::string TZeit::Time2TextSpecial(bool Hours, bool Minutes, bool Seconds) const {
    std::string Text;
    const auto Write = [&Text](int32_t Value) { Text += (Text.empty() ? "" : ":") + WithLeadingZero(Value); };
    int32_t Carry = 0;
    if (Hours) {
        Write(Stunde);
    } else {
        Carry = Stunde * 60;
    }
    if (Minutes) {
        Write(Minute + Carry);
        Carry = 0;
    } else {
        Carry = (Minute + Carry) * 60;
    }
    if (Seconds) {
        Write(Sekunde + Carry);
    }
    return Text;
}

bool TZeit::Text2Time(std::string_view Text) {
    SetToZeroTime();
    int32_t Parts[3] = {0, 0, 0};
    std::string_view Rest = Text;
    for (int32_t I = 0; I < 3; ++I) {
        // A part runs to the next ":"; the seconds, or a part without a ":" after it, take the whole rest.
        const size_t Colon = I == 2 ? std::string_view::npos : Rest.find(':');
        if (Colon == std::string_view::npos || Colon == 0) {
            Parts[I] = TextToInteger(Rest);
            break;
        }
        Parts[I] = TextToInteger(Rest.substr(0, Colon));
        Rest.remove_prefix(Colon + 1);
    }
    if (!IsTime(Parts[0], Parts[1], Parts[2])) {
        return false;
    }
    SetTime(static_cast<int8_t>(Parts[0]), static_cast<int8_t>(Parts[1]), static_cast<int8_t>(Parts[2]));
    return true;
}

void TZeit::ShiftSeconds(int64_t N) {
    const int64_t Seconds = Sekunde + N;
    Sekunde = static_cast<int8_t>(FloorMod(Seconds, 60));
    ShiftMinutes(FloorDiv(Seconds, 60));
}

void TZeit::ShiftMinutes(int64_t N) {
    const int64_t Minutes = Minute + N;
    Minute = static_cast<int8_t>(FloorMod(Minutes, 60));
    ShiftHours(FloorDiv(Minutes, 60));
}

void TZeit::ShiftHours(int64_t N) {
    Stunde = static_cast<int8_t>(FloorMod(Stunde + N, 24));
}

int32_t TZeit::GetSeconds() const {
    return Stunde * 3600 + Minute * 60 + Sekunde;
}

int32_t TZeit::Difference(const TZeit& Other, int32_t Unit) const {
    const int32_t Hours = Stunde - Other.Stunde;
    const int32_t Minutes = Minute - Other.Minute;
    const int32_t Seconds = Sekunde - Other.Sekunde;
    switch (Unit) {
        case HourUnit:
            return Hours;
        case MinuteUnit:
            return Hours * 60 + Minutes;
        case SecondUnit:
            return Hours * 3600 + Minutes * 60 + Seconds;
        default:
            return 0;
    }
}

double TZeit::GetTDateTime() const {
    if (!TimeExists()) {
        throw ETimeEncodingError();
    }
    return GetSeconds() / 86400.0;
}

void TZeit::SetTDateTime(double Value) {
    const auto Parts = SplitDateValue(Value);
    SetMillisecondOfDay(Parts ? Parts->MillisecondOfDay : 0);
}

void TZeit::SetMillisecondOfDay(int32_t Milliseconds) {
    const int32_t Seconds = Milliseconds / 1000;
    SetTime(static_cast<int8_t>(Seconds / 3600), static_cast<int8_t>(Seconds / 60 % 60),
            static_cast<int8_t>(Seconds % 60));
}

std::string TZeit::GetTimeForDB() const {
    TDateTimeFields Fields;
    Fields.Hour = Stunde;
    Fields.Minute = Minute;
    Fields.Second = Sekunde;
    return FormatDateTime(LongTimeFormat(), Fields);
}

void TZeit::Store(TObjectStream& Stream) const {
    Stream.WriteByte(static_cast<uint8_t>(Stunde));
    Stream.WriteByte(static_cast<uint8_t>(Minute));
    Stream.WriteByte(static_cast<uint8_t>(Sekunde));
}

void TZeit::CopyTo(TStreamableObject& Dest) const {
    TCompareableObject::CopyTo(Dest);
    CastTo<TZeit>(Dest).SetTime(Stunde, Minute, Sekunde);
}

void TZeit::VisitFields(TFieldVisitor& Visitor) {
    Visitor.ShortInt("Stunde", Stunde);
    Visitor.ShortInt("Minute", Minute);
    Visitor.ShortInt("Sekunde", Sekunde);
}

}  // namespace tulma
