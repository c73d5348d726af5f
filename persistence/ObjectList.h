#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "StreamableObject.h"

namespace tulma {

class TObjectStream;

// The owning, persistent list of the framework, stored as a count followed by its items.
// Operations that take an item out without freeing it (Clear, AtDelete, Remove) hand it back.
class TObjectList : public TStreamableObject {
  public:
    static constexpr int32_t ClassCode = 1001;
    static constexpr const char* ClassName = "TObjectList";

    TObjectList() = default;
    explicit TObjectList(TObjectStream& Stream);

    virtual void Add(std::unique_ptr<TStreamableObject> Item);
    virtual std::unique_ptr<TStreamableObject> Remove(const TStreamableObject* Item);
    virtual void FreeAll();
    virtual void AtInsert(int32_t Index, std::unique_ptr<TStreamableObject> Item);

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    TStreamableObject* At(int32_t Index) const;
    std::vector<std::unique_ptr<TStreamableObject>> Clear();
    std::unique_ptr<TStreamableObject> AtDelete(int32_t Index);
    void AtFree(int32_t Index);
    TStreamableObject* Previous();

    // The item at Index as a T; an item of another class is an invalid cast.
    template <class T>
    T& ItemAs(int32_t Index) const {
        return CastTo<T>(*At(Index));
    }

    // Appends exactly as stored, bypassing Add: reading a list never re-sorts or renumbers it.
    void AppendAsStored(std::unique_ptr<TStreamableObject> Item);

    int32_t Cursor() const { return FCursor; }
    void SetCursor(int32_t Value) { FCursor = Value; }

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  protected:
    // A list moves with its items, for a field that holds a list by value. Protected, so that no list
    // is moved into the base part of another and loses its own fields; a class without heirs makes
    // its moves public.
    TObjectList(TObjectList&& Other) noexcept;
    TObjectList& operator=(TObjectList&& Other) noexcept;

    void CheckIndex(int32_t Index, int32_t Limit) const;

  private:
    std::vector<std::unique_ptr<TStreamableObject>> FItems;
    int32_t FCursor = -1;
};

}  // namespace tulma
