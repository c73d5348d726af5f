#include "ObjectList.h"

#include <algorithm>
#include <utility>

#include "FieldVisitor.h"
#include "ObjectStream.h"

namespace tulma {

namespace {
// The smallest stored object: its class code alone.
constexpr int32_t MinStoredObjectSize = 4;
}  // namespace

TObjectList::TObjectList(TObjectStream& Stream) {
    const int32_t Count = Stream.ReadCount(MinStoredObjectSize);
    // Bounded by the data: ReadCount refused any count the remaining bytes cannot hold.
    FItems.reserve(static_cast<size_t>(std::max(Count, 0)));
    for (int32_t I = 0; I < Count; ++I) {
        AppendAsStored(Stream.ReadObject());
    }
}

TObjectList::TObjectList(TObjectList&& Other) noexcept
    : FItems(std::exchange(Other.FItems, {})), FCursor(std::exchange(Other.FCursor, -1)) {}

// The items held before are freed.
TObjectList& TObjectList::operator=(TObjectList&& Other) noexcept {
    FItems = std::exchange(Other.FItems, {});
    FCursor = std::exchange(Other.FCursor, -1);
    return *this;
}

void TObjectList::Add(std::unique_ptr<TStreamableObject> Item) {
    FItems.push_back(std::move(Item));
}

std::unique_ptr<TStreamableObject> TObjectList::Remove(const TStreamableObject* Item) {
    const auto Found =
        std::find_if(FItems.begin(), FItems.end(), [Item](const auto& Owned) { return Owned.get() == Item; });
    if (Found == FItems.end()) {
        throw EListError();
    }
    return AtDelete(static_cast<int32_t>(Found - FItems.begin()));
}

void TObjectList::FreeAll() {
    auto Items = Clear();
    Items.clear();
}

void TObjectList::AtInsert(int32_t Index, std::unique_ptr<TStreamableObject> Item) {
    CheckIndex(Index, Count() + 1);
    if (Index <= FCursor) {
        ++FCursor;
    }
    FItems.insert(FItems.begin() + Index, std::move(Item));
}

TStreamableObject* TObjectList::At(int32_t Index) const {
    CheckIndex(Index, Count());
    return FItems[static_cast<size_t>(Index)].get();
}

std::vector<std::unique_ptr<TStreamableObject>> TObjectList::Clear() {
    FCursor = -1;
    return std::exchange(FItems, {});
}

std::unique_ptr<TStreamableObject> TObjectList::AtDelete(int32_t Index) {
    CheckIndex(Index, Count());
    auto Item = std::move(FItems[static_cast<size_t>(Index)]);
    FItems.erase(FItems.begin() + Index);
    if (Index <= FCursor) {
        --FCursor;
    }
    return Item;
}

void TObjectList::AtFree(int32_t Index) {
    AtDelete(Index).reset();
}

TStreamableObject* TObjectList::Previous() {
    --FCursor;
    return FCursor < 0 ? nullptr : FItems[static_cast<size_t>(FCursor)].get();
}

void TObjectList::AppendAsStored(std::unique_ptr<TStreamableObject> Item) {
    FItems.push_back(std::move(Item));
}

void TObjectList::Store(TObjectStream& Stream) const {
    Stream.WriteInteger(Count());
    for (const auto& Item : FItems) {
        Stream.WriteObject(*Item);
    }
}

void TObjectList::CopyTo(TStreamableObject& Dest) const {
    TStreamableObject::CopyTo(Dest);
    auto& List = CastTo<TObjectList>(Dest);
    List.FreeAll();
    for (const auto& Item : FItems) {
        List.Add(Item->CopyToNew());
    }
}

void TObjectList::VisitFields(TFieldVisitor& Visitor) {
    Visitor.Items(*this);
}

void TObjectList::CheckIndex(int32_t Index, int32_t Limit) const {
    if (Index < 0 || Index >= Limit) {
        throw EListError();
    }
}

}  // namespace tulma
