#pragma once

#include <cstdint>

#include "ID.h"
#include "SortedObjectList.h"

namespace tulma {

// The sorted list of identified objects. It hands out LastID + 1 to every object added without an
// identifier and never lowers LastID, so an identifier is never handed out twice. A LastID that
// cannot go on (the highest 32-bit value, or below -1, as only a foreign file stores) gives the
// identifier above the largest one in use instead, or the lowest free one when that is the highest.
class TIDList : public TSortedObjectList {
  public:
    static constexpr int32_t ClassCode = 1003;
    static constexpr const char* ClassName = "TIDList";

    TIDList() = default;
    explicit TIDList(TObjectStream& Stream);
    TIDList(TIDList&&) noexcept = default;
    TIDList& operator=(TIDList&&) noexcept = default;

    int32_t LastID = TID::NoID;

    void Add(std::unique_ptr<TStreamableObject> Item) override;
    void FreeAll() override;
    virtual void AssignNewID(std::unique_ptr<TStreamableObject> Item);
    virtual TID* GetByID(int32_t ID);

    int32_t IndexOfID(int32_t ID);
    void FreeByID(int32_t ID);
    bool HasID(int32_t ID) { return GetByID(ID) != nullptr; }
    void RecalcLastID();

    // The item with that identifier as a T, or none.
    template <class T>
    T* GetAs(int32_t ID) {
        TID* Item = GetByID(ID);
        return Item == nullptr ? nullptr : &CastTo<T>(*Item);
    }

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    // The identifier that AssignNewID hands out next.
    int32_t NextID() const;
};

}  // namespace tulma
