#include "Datum.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "Calendar.h"
#include "DateClasses.h"
#include "DateErrors.h"
#include "DateFormat.h"
#include "DateSortingOrder.h"
#include "DateTimeValue.h"
#include "FieldVisitor.h"
#include "IntegerText.h"
#include "NumberWords.h"
#include "ObjectStream.h"
#include "SystemClock.h"

namespace tulma {
namespace {

constexpr int32_t FirstYear = 1800;
constexpr int32_t LastYear = 2099;

constexpr const char* WeekdayNames[7] = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                         "Freitag", "Samstag",  "Sonntag"};
constexpr const char* MonthNames[12] = {"Jänner", "Februar", "März",      "April",   "Mai",      "Juni",
                                        "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

// A two-digit year above 30 lies in the 1900s: 98 is 1998, while 5 stays 5. Longer years stand as
// written, so that 1850 is not read as 3750.
int64_t CenturyAdjusted(int64_t Year) {
    return Year > 30 && Year < 100 ? Year + 1900 : Year;
}

template <class T>
bool Fits(int64_t Value) {
    return Value >= std::numeric_limits<T>::min() && Value <= std::numeric_limits<T>::max();
}

// One part of a search pattern, tested against one component of the date.
bool PartMatches(std::string_view Part, int32_t Value, bool IsYear) {
    const auto Number = [IsYear](std::string_view Text) {
        const int64_t N = TextToInteger(Text);
        return IsYear ? CenturyAdjusted(N) : N;
    };
    if (!Part.empty() && Part.front() == '*') {
        return true;
    }
    const size_t Dash = Part.find('-');
    if (Dash == std::string_view::npos) {
        return Number(Part) == Value;
    }
    int64_t Low = Number(Part.substr(0, Dash));
    int64_t High = Number(Part.substr(Dash + 1));
    if (High < Low) {
        std::swap(Low, High);
    }
    return Low <= Value && Value <= High;
}

std::string DayWord(int32_t Day) {
    if (Day == 1) {
        return "ersten ";
    }
    if (Day == 3) {
        return "dritten ";
    }
    return NumberWords(Day) + (Day == 8 ? "en " : Day >= 20 ? "sten " : "ten ");
}

}  // namespace

TDatum::TDatum(TObjectStream& Stream)
    : Tag(static_cast<int8_t>(Stream.ReadByte())),
      Monat(static_cast<int8_t>(Stream.ReadByte())),
      Jahr(Stream.ReadSmallInt()) {}

void TDatum::SetDate(int8_t Day, int8_t Month, int16_t Year) {
    Tag = Day;
    Monat = Month;
    Jahr = Year;
}

bool TDatum::DateExists() const {
    return Jahr >= FirstYear && Jahr <= LastYear && IsCalendarDay();
}

bool TDatum::IsCalendarDay() const {
    return Tag >= 1 && Tag <= DaysInMonth(Monat, Jahr);
}

void TDatum::GetCurrDate() {
    const TDateTimeFields Now = CurrentLocalDateTime();
    SetDate(static_cast<int8_t>(Now.Day), static_cast<int8_t>(Now.Month), static_cast<int16_t>(Now.Year));
}

int32_t TDatum::GetComponent(int32_t Kind) const {
    switch (Kind) {
        case YearComponent:
            return Jahr;
        case MonthComponent:
            return Monat;
        case DayComponent:
            return Tag;
        default:
            return -1;
    }
}

bool TDatum::EqualTo(const TDatum& Other) const {
    return Tag == Other.Tag && Monat == Other.Monat && Jahr == Other.Jahr;
}

bool TDatum::Before(const TDatum& Other) const {
    for (const uint8_t Kind : ActiveDateOrder().Order) {
        const int32_t Mine = GetComponent(Kind);
        const int32_t Theirs = Other.GetComponent(Kind);
        if (Mine != Theirs) {
            return Mine < Theirs;
        }
    }
    return false;
}

int8_t TDatum::Compare(const TCompareableObject& Other) const {
    const auto& Date = CastTo<const TDatum>(Other);
    return EqualTo(Date) ? 0 : (Before(Date) ? -1 : 1);
}

bool TDatum::LiesInPast() const {
    return Before(Today());
}

bool TDatum::LiesInFuture() const {
    return After(Today());
}

int32_t TDatum::Seit1900() const {
    return static_cast<int32_t>(DaysSince1900(Jahr, Monat, Tag));
}

int32_t TDatum::DayDifference(const TDatum& Other) const {
    return Other.Seit1900() - Seit1900();
}

void TDatum::SetYearClamped(int64_t Year) {
    Jahr = static_cast<int16_t>(
        std::clamp<int64_t>(Year, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

void TDatum::NextDay() {
    if (IsZeroDate()) {
        return;
    }
    if (Tag + 1 <= DaysInMonth(Monat, Jahr)) {
        ++Tag;
        return;
    }
    Tag = 1;
    if (Monat + 1 > 12) {
        Monat = 1;
        SetYearClamped(Jahr + 1);
    } else {
        ++Monat;
    }
}

void TDatum::PreviousDay() {
    if (IsZeroDate()) {
        return;
    }
    if (Tag - 1 >= 1) {
        --Tag;
        return;
    }
    // A day of 0 or below also rolls back, so that no field ever runs out of its range.
    int32_t Month = std::min(Monat - 1, 12);
    if (Month < 1) {
        Month = 12;
        SetYearClamped(Jahr - 1);
    }
    Monat = static_cast<int8_t>(Month);
    Tag = static_cast<int8_t>(DaysInMonth(Month, Jahr));
}

void TDatum::StepDays(int32_t N) {
    for (int32_t I = 0; I < N; ++I) {
        NextDay();
    }
    for (int32_t I = 0; I > N; --I) {
        PreviousDay();
    }
}

void TDatum::AddDay(int16_t N) {
    StepDays(N);
}

// Seven times N need not fit 16 bits, so the steps are counted in 32.
void TDatum::AddWeek(int16_t N) {
    StepDays(7 * static_cast<int32_t>(N));
}

void TDatum::AddMonth(int8_t N) {
    if (IsZeroDate()) {
        return;
    }
    const int64_t MonthIndex = static_cast<int64_t>(Monat) - 1 + N;
    SetYearClamped(Jahr + FloorDiv(MonthIndex, 12));
    Monat = static_cast<int8_t>(FloorMod(MonthIndex, 12) + 1);
    Tag = static_cast<int8_t>(std::min<int32_t>(Tag, DaysInMonth(Monat, Jahr)));
}

void TDatum::AddYear(int32_t N) {
    if (!IsZeroDate()) {
        SetYearClamped(static_cast<int64_t>(Jahr) + N);
    }
}

int32_t TDatum::CalendarWeekday() const {
    return WeekdayOfDayNumber(DaysSince1900(Jahr, Monat, Tag));
}

int32_t TDatum::GetWeekday() const {
    return DateExists() ? CalendarWeekday() : -1;
}

bool TDatum::IsWeekday() const {
    const int32_t Weekday = GetWeekday();
    return Weekday != 5 && Weekday != 6;
}

// A date that does not exist counts as a weekday, so these loops end after at most three steps.
void TDatum::NextWeekday() {
    if (IsZeroDate()) {
        return;
    }
    do {
        NextDay();
    } while (!IsWeekday());
}

void TDatum::PreviousWeekday() {
    if (IsZeroDate()) {
        return;
    }
    do {
        PreviousDay();
    } while (!IsWeekday());
}

// Counted on the calendar itself, so that the first days of 1800 reach their Monday in 1799; fields that
// are no calendar day have no weekday and stay as they are.
void TDatum::GoBackToMonday() {
    if (!IsCalendarDay()) {
        return;
    }
    while (CalendarWeekday() != 0) {
        PreviousDay();
    }
}

std::string TDatum::GetWeekdayName() const {
    return DateExists() ? WeekdayNames[GetWeekday()] : "";
}

std::string TDatum::GetMonthName() const {
    return DateExists() ? MonthNames[Monat - 1] : "";
}

std::string TDatum::Date2Text() const {
    if (IsZeroDate()) {
        return "";
    }
    return WithLeadingZero(Tag) + "." + WithLeadingZero(Monat) + "." + std::to_string(Jahr);
}

void TDatum::Text2Date(std::string_view Text) {
    std::string Rest(Text);
    std::replace_if(
        Rest.begin(), Rest.end(), [](char C) { return C == ',' || C == '-' || C == '/'; }, '.');
    SetToZeroDate();
    const auto TakePart = [&Rest]() -> std::optional<int32_t> {
        const size_t Dot = Rest.find('.');
        if (Dot == std::string::npos || Dot == 0) {
            return std::nullopt;
        }
        const auto Value = TryTextToInteger(std::string_view(Rest).substr(0, Dot));
        Rest.erase(0, Dot + 1);
        return Value;
    };
    const auto Day = TakePart();
    const auto Month = Day ? TakePart() : std::nullopt;
    const auto Year = Rest.empty() ? std::optional<int32_t>(0) : TryTextToInteger(Rest);
    if (!Day || !Month || !Year) {
        return;
    }
    const int64_t FullYear = *Year == 0 ? Today().Jahr : CenturyAdjusted(*Year);
    if (Fits<int8_t>(*Day) && Fits<int8_t>(*Month) && Fits<int16_t>(FullYear)) {
        SetDate(static_cast<int8_t>(*Day), static_cast<int8_t>(*Month), static_cast<int16_t>(FullYear));
    }
}

std::string TDatum::GetLongText() const {
    return GetWeekdayName() + " " + std::to_string(Tag) + "." + GetMonthName() + " " + std::to_string(Jahr);
}

std::string TDatum::GetPANFormat() const {
    return DateExists() ? WithLeadingZero(Tag) + WithLeadingZero(Monat) + std::to_string(Jahr) : "";
}

std::string TDatum::ConvertToText() const {
    return DayWord(Tag) + GetMonthName() + " " + NumberWords(Jahr);
}

std::string TDatum::MakeForSort(bool Ascending) const {
    return SortKeyPart(Jahr, 3000, Ascending) + SortKeyPart(Monat, 13, Ascending) +
           SortKeyPart(Tag, 32, Ascending);
}

bool TDatum::DatumsSuche(std::string_view Pattern) const {
    const size_t Dot = Pattern.find('.');
    if (Dot == std::string_view::npos || Dot == 0) {
        return true;
    }
    if (!PartMatches(Pattern.substr(0, Dot), Tag, false)) {
        return false;
    }
    std::string_view Rest = Pattern.substr(Dot + 1);
    const size_t MonthDot = Rest.find('.');
    if (MonthDot != std::string_view::npos && MonthDot > 0) {
        if (!PartMatches(Rest.substr(0, MonthDot), Monat, false)) {
            return false;
        }
        Rest.remove_prefix(MonthDot + 1);
    }
    return PartMatches(Rest, Jahr, true);
}

double TDatum::GetTDateTime() const {
    if (!DateExists()) {
        throw EDateEncodingError();
    }
    return DateValueOfDayNumber(Seit1900());
}

void TDatum::SetTDateTime(double Value) {
    const auto Parts = SplitDateValue(Value);
    if (!Parts) {
        SetToZeroDate();
        return;
    }
    const TCivilDate Date = CivilFromDaysSince1900(Parts->DaysSince1900);
    SetDate(static_cast<int8_t>(Date.Day), static_cast<int8_t>(Date.Month), static_cast<int16_t>(Date.Year));
}

void TDatum::Store(TObjectStream& Stream) const {
    Stream.WriteByte(static_cast<uint8_t>(Tag));
    Stream.WriteByte(static_cast<uint8_t>(Monat));
    Stream.WriteSmallInt(Jahr);
}

void TDatum::CopyTo(TStreamableObject& Dest) const {
    TCompareableObject::CopyTo(Dest);
    CastTo<TDatum>(Dest).SetDate(Tag, Monat, Jahr);
}

void TDatum::VisitFields(TFieldVisitor& Visitor) {
    Visitor.ShortInt("Tag", Tag);
    Visitor.ShortInt("Monat", Monat);
    Visitor.SmallInt("Jahr", Jahr);
}

}  // namespace tulma
