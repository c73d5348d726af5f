#pragma once

#include <cstdint>
#include <memory>

#include "CompareableObject.h"

namespace tulma {

class TObjectStream;

// An identified object. The stream constructors of this family read only what is stored: every
// other field starts as zero, empty or absent.
class TID : public TCompareableObject {
  public:
    static constexpr int32_t ClassCode = 1002;
    static constexpr const char* ClassName = "TID";
    static constexpr int32_t NoID = -1;

    TID() = default;
    explicit TID(TObjectStream& Stream);
    static std::unique_ptr<TID> CreateWithID(int32_t ID);

    int32_t ID = NoID;

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;
    int8_t Compare(const TCompareableObject& Other) const override;
};

// An identifier with a second number; ordered by ID, then SecondID.
class TDID : public TID {
  public:
    static constexpr int32_t ClassCode = 1011;
    static constexpr const char* ClassName = "TDID";

    TDID() = default;
    explicit TDID(TObjectStream& Stream);

    int32_t SecondID = NoID;

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;
    int8_t Compare(const TCompareableObject& Other) const override;
};

}  // namespace tulma
