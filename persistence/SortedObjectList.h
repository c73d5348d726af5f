#pragma once

#include "CompareableObject.h"
#include "ObjectList.h"

namespace tulma {

// A list kept in ascending Compare order. Equal items are accepted; the latest comes first.
class TSortedObjectList : public TObjectList {
  public:
    TSortedObjectList() = default;
    explicit TSortedObjectList(TObjectStream& Stream) : TObjectList(Stream) {}

    void Add(std::unique_ptr<TStreamableObject> Item) override;
    // Ignores Index: the item goes to its sorted place.
    void AtInsert(int32_t Index, std::unique_ptr<TStreamableObject> Item) override;

    // Binary search for Object (the receiver of Compare); Position is the lowest index among equal
    // items, or where Object would be inserted.
    bool Search(const TCompareableObject& Object, int32_t& Position);

  protected:
    TSortedObjectList(TSortedObjectList&&) noexcept = default;
    TSortedObjectList& operator=(TSortedObjectList&&) noexcept = default;
};

}  // namespace tulma
