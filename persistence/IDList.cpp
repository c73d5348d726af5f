#include "IDList.h"

#include "FieldVisitor.h"
#include "IntHelpers.h"
#include "ObjectStream.h"

namespace tulma {

TIDList::TIDList(TObjectStream& Stream) : TSortedObjectList(Stream), LastID(Stream.ReadInteger()) {}

void TIDList::Add(std::unique_ptr<TStreamableObject> Item) {
    if (CastTo<TID>(*Item).ID == TID::NoID) {
        AssignNewID(std::move(Item));
    } else {
        TSortedObjectList::Add(std::move(Item));
    }
}

void TIDList::FreeAll() {
    TSortedObjectList::FreeAll();
    RecalcLastID();
}

void TIDList::AssignNewID(std::unique_ptr<TStreamableObject> Item) {
    auto& Identified = CastTo<TID>(*Item);
    ++LastID;
    Identified.ID = LastID;
    TSortedObjectList::Add(std::move(Item));
}

TID* TIDList::GetByID(int32_t ID) {
    const int32_t Index = IndexOfID(ID);
    return Index < 0 ? nullptr : &ItemAs<TID>(Index);
}

int32_t TIDList::IndexOfID(int32_t ID) {
    const auto Probe = TID::CreateWithID(ID);
    int32_t Position = 0;
    return Search(*Probe, Position) ? Position : -1;
}

void TIDList::FreeByID(int32_t ID) {
    const int32_t Index = IndexOfID(ID);
    if (Index != -1) {
        AtFree(Index);
    }
}

void TIDList::RecalcLastID() {
    LastID = TID::NoID;
    for (int32_t I = 0; I < Count(); ++I) {
        LastID = Max(LastID, ItemAs<TID>(I).ID);
    }
}

void TIDList::Store(TObjectStream& Stream) const {
    TSortedObjectList::Store(Stream);
    Stream.WriteInteger(LastID);
}

void TIDList::CopyTo(TStreamableObject& Dest) const {
    TSortedObjectList::CopyTo(Dest);
    CastTo<TIDList>(Dest).LastID = LastID;
}

void TIDList::VisitFields(TFieldVisitor& Visitor) {
    TSortedObjectList::VisitFields(Visitor);
    Visitor.Integer("LastID", LastID);
}

}  // namespace tulma
