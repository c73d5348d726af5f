#include "ID.h"

#include "FieldVisitor.h"
#include "IntHelpers.h"
#include "ObjectStream.h"

namespace tulma {

TID::TID(TObjectStream& Stream) : ID(Stream.ReadInteger()) {}

std::unique_ptr<TID> TID::CreateWithID(int32_t ID) {
    auto Probe = std::make_unique<TID>();
    Probe->ID = ID;
    return Probe;
}

void TID::Store(TObjectStream& Stream) const {
    Stream.WriteInteger(ID);
}

void TID::CopyTo(TStreamableObject& Dest) const {
    TCompareableObject::CopyTo(Dest);
    CastTo<TID>(Dest).ID = ID;
}

void TID::VisitFields(TFieldVisitor& Visitor) {
    Visitor.Integer("ID", ID);
}

int8_t TID::Compare(const TCompareableObject& Other) const {
    return CompareInt(ID, CastTo<const TID>(Other).ID);
}

TDID::TDID(TObjectStream& Stream) : TID(Stream), SecondID(Stream.ReadLongInt()) {}

void TDID::Store(TObjectStream& Stream) const {
    TID::Store(Stream);
    Stream.WriteLongInt(SecondID);
}

void TDID::CopyTo(TStreamableObject& Dest) const {
    TID::CopyTo(Dest);
    CastTo<TDID>(Dest).SecondID = SecondID;
}

void TDID::VisitFields(TFieldVisitor& Visitor) {
    TID::VisitFields(Visitor);
    Visitor.Integer("SecondID", SecondID);
}

int8_t TDID::Compare(const TCompareableObject& Other) const {
    const int8_t ByID = TID::Compare(Other);
    return ByID != 0 ? ByID : CompareInt(SecondID, CastTo<const TDID>(Other).SecondID);
}

}  // namespace tulma
