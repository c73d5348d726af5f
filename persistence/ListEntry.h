#pragma once

#include <cstdint>
#include <string>

#include "ID.h"

namespace tulma {

class IPicture;
class IStringGrid;

// An identified object that presents itself in list controls through its description.
class TListEntry : public TID {
  public:
    // Kind 0 asks for the text that is shown, any other kind for the text that entries sort by.
    static constexpr int32_t DisplayKind = 0;
    static constexpr int32_t SortKind = 1;

    using TID::TID;

    virtual std::string GetDescription(int32_t Kind) const;
    virtual const IPicture* GetBitmap(bool Small) const;
    virtual void AddToStringGrid(IStringGrid& Grid, int32_t Tag);
    virtual void SetStringGridCols(IStringGrid& Grid, int32_t Row, int32_t Tag);
    virtual void InitStringGrid(IStringGrid& Grid);
};

// A list entry whose description is its name.
class TSimpleListEntry : public TListEntry {
  public:
    static constexpr int32_t ClassCode = 1004;
    static constexpr const char* ClassName = "TSimpleListEntry";

    TSimpleListEntry() = default;
    explicit TSimpleListEntry(TObjectStream& Stream);

    std::string Name;

    std::string GetDescription(int32_t Kind) const override;
    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;
};

}  // namespace tulma
