#pragma once

#include <cstdint>
#include <string>

#include "ID.h"

namespace tulma {

class TListEntry;

// One row of a reference list: an entry of some object list, not owned, with its identifier and the
// two texts taken from it when the reference was made. Ordered by SortText, ignoring case.
class TObjectReference : public TID {
  public:
    TObjectReference() = default;
    // The texts are captured now; later changes to Entry reach the reference only through a rebuild.
    TObjectReference(TListEntry& Entry, int32_t DisplayKind, int32_t SortKind);

    TListEntry* ObjectItself = nullptr;
    std::string DisplayText;
    std::string SortText;

    void CopyTo(TStreamableObject& Dest) const override;
    int8_t Compare(const TCompareableObject& Other) const override;
};

}  // namespace tulma
