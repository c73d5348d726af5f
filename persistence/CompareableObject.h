#pragma once

#include <cstdint>

#include "StreamableObject.h"

namespace tulma {

// The base of every object that can stand in a sorted list.
class TCompareableObject : public TStreamableObject {
  public:
    // -1, 0 or 1 as this object sorts before, equal to or after Other.
    virtual int8_t Compare(const TCompareableObject& Other) const = 0;
};

}  // namespace tulma
