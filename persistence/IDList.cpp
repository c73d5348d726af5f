#include "IDList.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "FieldVisitor.h"
#include "IntHelpers.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

constexpr int32_t HighestID = std::numeric_limits<int32_t>::max();

// The smallest identifier of 0 or more that no item has. A list holds fewer items than there are
// such identifiers, so there always is one.
int32_t LowestFreeID(const TIDList& List) {
    std::vector<int32_t> Used;
    for (int32_t I = 0; I < List.Count(); ++I) {
        Used.push_back(List.ItemAs<TID>(I).ID);
    }
    std::sort(Used.begin(), Used.end());
    int32_t Free = 0;
    for (const int32_t ID : Used) {
        if (ID == Free) {
            ++Free;
        } else if (ID > Free) {
            break;
        }
    }
    return Free;
}

}  // namespace

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
    LastID = NextID();
    Identified.ID = LastID;
    TSortedObjectList::Add(std::move(Item));
}

int32_t TIDList::NextID() const {
    if (LastID >= TID::NoID && LastID < HighestID) {
        return LastID + 1;
    }
    // A stored LastID that no list of this program hands on: going on from it would overflow or
    // give -1, so the numbering goes on above the largest identifier in use.
    int32_t Largest = TID::NoID;
    for (int32_t I = 0; I < Count(); ++I) {
        Largest = Max(Largest, ItemAs<TID>(I).ID);
    }
    return Largest < HighestID ? Largest + 1 : LowestFreeID(*this);
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
