#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CompareableObject.h"
#include "Datum.h"
#include "Zeit.h"

namespace tulma {

class TObjectStream;

// A date with a time of day, ordered by the date, then the time.
class TDatumUndZeit : public TCompareableObject {
  public:
    static constexpr int32_t ClassCode = 1010;
    static constexpr const char* ClassName = "TDatumUndZeit";

    TDatumUndZeit();
    explicit TDatumUndZeit(TObjectStream& Stream);

    TDatum& Datum() { return *FDatum; }
    const TDatum& Datum() const { return *FDatum; }
    TZeit& Zeit() { return *FZeit; }
    const TZeit& Zeit() const { return *FZeit; }

    int8_t Compare(const TCompareableObject& Other) const override;
    // Date and time from one reading of the clock.
    void GetCurrValues();
    void SetToZeroValue();
    bool IsZeroValue() const;
    // 06.04.1998 14:05:09; "---" when neither date nor time is set.
    std::string ConvertToText() const;
    // 06.04.1998 um 14:05 Uhr
    std::string MakeReadable() const;
    std::string MakeForSort(bool Ascending) const;
    // 0 when neither is set; raises the date's or the time's conversion error when one does not exist.
    double GetTDateTime() const;
    void SetTDateTime(double Value);

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    std::unique_ptr<TDatum> FDatum;
    std::unique_ptr<TZeit> FZeit;
};

}  // namespace tulma
