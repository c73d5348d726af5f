#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Datum.h"
#include "StreamableObject.h"

namespace tulma {

class TObjectStream;

// The period from Von to Bis, both days included; a zero date leaves that side open.
class TZeitraum : public TStreamableObject {
  public:
    static constexpr int32_t ClassCode = 1008;
    static constexpr const char* ClassName = "TZeitraum";

    // 1.1.1900 to 31.12.2099.
    TZeitraum();
    explicit TZeitraum(TObjectStream& Stream);

    TDatum& Von() { return *FVon; }
    const TDatum& Von() const { return *FVon; }
    TDatum& Bis() { return *FBis; }
    const TDatum& Bis() const { return *FBis; }

    bool ContainsDate(const TDatum& Date) const;
    // 01.01.1900-31.12.2099
    std::string MakeText() const;
    void SetToZeroValues();
    bool IsZeroValues() const;

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    std::unique_ptr<TDatum> FVon;
    std::unique_ptr<TDatum> FBis;
};

}  // namespace tulma
