#include "DateSortingOrder.h"

#include <string>

#include "FieldVisitor.h"
#include "ObjectStream.h"

namespace tulma {

TDateSortingOrder::TDateSortingOrder(TObjectStream& Stream) {
    for (uint8_t& Kind : Order) {
        Kind = Stream.ReadByte();
    }
}

void TDateSortingOrder::Store(TObjectStream& Stream) const {
    for (const uint8_t Kind : Order) {
        Stream.WriteByte(Kind);
    }
}

void TDateSortingOrder::CopyTo(TStreamableObject& Dest) const {
    TStreamableObject::CopyTo(Dest);
    CastTo<TDateSortingOrder>(Dest).Order = Order;
}

void TDateSortingOrder::VisitFields(TFieldVisitor& Visitor) {
    for (size_t I = 0; I < Order.size(); ++I) {
        Visitor.Byte("Order" + std::to_string(I), Order[I]);
    }
}

}  // namespace tulma
