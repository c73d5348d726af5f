#pragma once

#include <array>
#include <cstdint>

#include "StreamableObject.h"

namespace tulma {

class TObjectStream;

// The order in which dates compare their components, as component kinds of TDatum::GetComponent.
class TDateSortingOrder : public TStreamableObject {
  public:
    static constexpr int32_t ClassCode = 1007;
    static constexpr const char* ClassName = "TDateSortingOrder";

    TDateSortingOrder() = default;
    explicit TDateSortingOrder(TObjectStream& Stream);

    // Year, month, day: the chronological order.
    std::array<uint8_t, 3> Order{0, 1, 2};

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;
};

}  // namespace tulma
