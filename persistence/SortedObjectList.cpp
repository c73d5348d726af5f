#include "SortedObjectList.h"

namespace tulma {

void TSortedObjectList::Add(std::unique_ptr<TStreamableObject> Item) {
    const auto& Comparable = CastTo<const TCompareableObject>(*Item);
    int32_t Position = 0;
    Search(Comparable, Position);
    if (Position < Count()) {
        TObjectList::AtInsert(Position, std::move(Item));
    } else {
        TObjectList::Add(std::move(Item));
    }
}

void TSortedObjectList::AtInsert(int32_t, std::unique_ptr<TStreamableObject> Item) {
    Add(std::move(Item));
}

bool TSortedObjectList::Search(const TCompareableObject& Object, int32_t& Position) {
    int32_t Low = 0;
    int32_t High = Count() - 1;
    while (Low <= High) {
        const int32_t Mid = (Low + High) / 2;
        const int8_t Order = Object.Compare(ItemAs<TCompareableObject>(Mid));
        if (Order < 0) {
            High = Mid - 1;
        } else if (Order > 0) {
            Low = Mid + 1;
        } else {
            SetCursor(Mid);
            while (TStreamableObject* Before = Previous()) {
                if (Object.Compare(CastTo<TCompareableObject>(*Before)) != 0) {
                    break;
                }
            }
            Position = Cursor() + 1;
            return true;
        }
    }
    Position = Low;
    return false;
}

}  // namespace tulma
