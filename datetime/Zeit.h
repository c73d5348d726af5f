#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "CompareableObject.h"

namespace tulma {

class TObjectStream;

// A time of day as plain hour, minute and second fields. 00:00:00 means both midnight and that no time
// is set.
class TZeit : public TCompareableObject {
  public:
    static constexpr int32_t ClassCode = 1009;
    static constexpr const char* ClassName = "TZeit";

    // The units of Difference.
    static constexpr int32_t HourUnit = 0;
    static constexpr int32_t MinuteUnit = 1;
    static constexpr int32_t SecondUnit = 2;

    TZeit() = default;
    TZeit(int8_t Hour, int8_t NewMinute, int8_t Second) : Stunde(Hour), Minute(NewMinute), Sekunde(Second) {}
    explicit TZeit(TObjectStream& Stream);

    int8_t Stunde = 0;
    int8_t Minute = 0;
    int8_t Sekunde = 0;

    void SetTime(int8_t Hour, int8_t NewMinute, int8_t Second);
    void SetToZeroTime() { SetTime(0, 0, 0); }
    bool IsZeroTime() const { return Stunde == 0 && Minute == 0 && Sekunde == 0; }
    bool TimeExists() const;
    void GetCurrTime();
    int8_t Compare(const TCompareableObject& Other) const override;

    // 14:05 or 14:05:09
    std::string Time2Text(bool WithSeconds) const;
    // The shown parts only; a part left out is carried into the next shown one: 1:02:03 as minutes and
    // seconds is 62:03, as seconds alone 3723.
    std::string Time2TextSpecial(bool Hours, bool Minutes, bool Seconds) const;
    // Reads "h", "h:m" or "h:m:s". Returns whether the result is a valid time; an invalid one becomes
    // 00:00:00. Raises EInvalidInteger for a part that is not a whole number.
    bool Text2Time(std::string_view Text);

    // Carry into the next larger unit; hours wrap around within the day.
    void AddSecond(int8_t N) { ShiftSeconds(N); }
    void AddMinute(int8_t N) { ShiftMinutes(N); }
    void AddHour(int8_t N) { ShiftHours(N); }

    int32_t GetSeconds() const;
    // This time minus Other in whole hours, in minutes or in seconds; 0 for any other unit.
    int32_t Difference(const TZeit& Other, int32_t Unit) const;

    // The fraction of a day; raises ETimeEncodingError when the time does not exist.
    double GetTDateTime() const;
    void SetTDateTime(double Value);
    // The time in the program-wide long time format.
    std::string GetTimeForDB() const;

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

    // Sets the fields from a time of day in milliseconds, the milliseconds dropped.
    void SetMillisecondOfDay(int32_t Milliseconds);

  private:
    void ShiftSeconds(int64_t N);
    void ShiftMinutes(int64_t N);
    void ShiftHours(int64_t N);
};

}  // namespace tulma
