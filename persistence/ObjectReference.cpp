#include "ObjectReference.h"

#include "ListEntry.h"
#include "LocaleText.h"

namespace tulma {

TObjectReference::TObjectReference(TListEntry& Entry, int32_t DisplayKind, int32_t SortKind)
    : ObjectItself(&Entry),
      DisplayText(Entry.GetDescription(DisplayKind)),
      SortText(Entry.GetDescription(SortKind)) {
    ID = Entry.ID;
}

void TObjectReference::CopyTo(TStreamableObject& Dest) const {
    TID::CopyTo(Dest);
    auto& Reference = CastTo<TObjectReference>(Dest);
    Reference.ObjectItself = ObjectItself;
    Reference.DisplayText = DisplayText;
    Reference.SortText = SortText;
}

int8_t TObjectReference::Compare(const TCompareableObject& Other) const {
    return CompareTextIgnoreCase(SortText, CastTo<const TObjectReference>(Other).SortText);
}

}  // namespace tulma
