#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ObjectList.h"
#include "Text.h"

namespace tulma {

// A list that also has one field of every kind a visitor knows, so that the conversion is tried on
// all of them; registered for the tests only.
class TFieldKindsSample : public TObjectList {
  public:
    static constexpr int32_t ClassCode = 9001;
    static constexpr const char* ClassName = "TFieldKindsSample";

    TFieldKindsSample();
    explicit TFieldKindsSample(TObjectStream& Stream);

    int32_t IntegerValue = 0;
    int16_t SmallIntValue = 0;
    uint16_t WordValue = 0;
    uint8_t ByteValue = 0;
    int8_t ShortIntValue = 0;
    bool BooleanValue = false;
    std::string StringValue;
    TText& Label() { return *FLabel; }

    void Store(TObjectStream& Stream) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    std::unique_ptr<TText> FLabel;
};

}  // namespace tulma
