#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CompareableObject.h"

namespace tulma {

class TObjectStream;

// A calendar date as plain day, month and year fields, not a day count: any field values can be held,
// and DateExists tells whether they name a day of 1800 to 2099. All fields 0 is the zero date, which
// means that no date is set. The stepping operations leave the zero date as it is.
class TDatum : public TCompareableObject {
  public:
    static constexpr int32_t ClassCode = 1006;
    static constexpr const char* ClassName = "TDatum";

    // The component kinds of GetComponent and of a sorting order.
    static constexpr int32_t YearComponent = 0;
    static constexpr int32_t MonthComponent = 1;
    static constexpr int32_t DayComponent = 2;

    TDatum() = default;
    TDatum(int8_t Day, int8_t Month, int16_t Year) : Tag(Day), Monat(Month), Jahr(Year) {}
    explicit TDatum(TObjectStream& Stream);

    int8_t Tag = 0;
    int8_t Monat = 0;
    int16_t Jahr = 0;

    void SetDate(int8_t Day, int8_t Month, int16_t Year);
    void SetToZeroDate() { SetDate(0, 0, 0); }
    bool IsZeroDate() const { return Tag == 0 && Monat == 0 && Jahr == 0; }
    bool DateExists() const;
    void GetCurrDate();
    // Jahr, Monat or Tag for the kinds above, -1 for any other kind.
    int32_t GetComponent(int32_t Kind) const;

    bool EqualTo(const TDatum& Other) const;
    // Compares the components in the order of ActiveDateOrder.
    bool Before(const TDatum& Other) const;
    bool After(const TDatum& Other) const { return !EqualTo(Other) && !Before(Other); }
    int8_t Compare(const TCompareableObject& Other) const override;
    bool LiesInPast() const;
    bool LiesInFuture() const;

    // Days from 31.12.1900 to this date: 1.1.1901 is 1, earlier dates are negative.
    int32_t Seit1900() const;
    // Other's day number minus this date's.
    int32_t DayDifference(const TDatum& Other) const;

    void NextDay();
    void PreviousDay();
    void AddDay(int16_t N);
    void AddWeek(int16_t N);
    // A day beyond the new month's end becomes its last day: 31.1.1998 plus one month is 28.2.1998.
    void AddMonth(int8_t N);
    void AddYear(int32_t N);

    // 0 (Monday) to 6 (Sunday); -1 when the date does not exist.
    int32_t GetWeekday() const;
    bool IsWeekday() const;
    void NextWeekday();
    void PreviousWeekday();
    void GoBackToMonday();

    std::string GetWeekdayName() const;
    std::string GetMonthName() const;
    // 06.04.1998; the empty text for the zero date.
    std::string Date2Text() const;
    // Reads "d.m.y" (also with ",", "-" or "/"); anything malformed gives the zero date.
    void Text2Date(std::string_view Text);
    // Montag 6.April 1998
    std::string GetLongText() const;
    // 06041998; the empty text when the date does not exist.
    std::string GetPANFormat() const;
    // sechsten April eintausendneunhundertachtundneunzig
    std::string ConvertToText() const;
    std::string MakeForSort(bool Ascending) const;
    // Whether the date matches a pattern "day.month.year" whose parts are a number, a range a-b or
    // "*"; raises EInvalidInteger for a part that is not a whole number.
    bool DatumsSuche(std::string_view Pattern) const;

    // Days since 30.12.1899; raises EDateEncodingError when the date does not exist.
    double GetTDateTime() const;
    void SetTDateTime(double Value);

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    void SetYearClamped(int64_t Year);
    void StepDays(int32_t N);
    // Whether day and month name a day of the calendar, in any year.
    bool IsCalendarDay() const;
    int32_t CalendarWeekday() const;
};

}  // namespace tulma
