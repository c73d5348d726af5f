#pragma once

#include <cstdint>

#include "IDList.h"
#include "StreamableObject.h"

namespace tulma {

class THotTulma;

// The content of a hotkey file: the start-up option and the list of hotkeys.
class THotKeyFile : public TStreamableObject {
  public:
    static constexpr int32_t ClassCode = 156;
    static constexpr const char* ClassName = "THotKeyFile";
    // The stream size a hotkey file is written with: smaller data is padded up to it.
    static constexpr int32_t StreamSize = 16384;

    THotKeyFile() = default;
    explicit THotKeyFile(TObjectStream& Stream);

    bool MinimizeAtStartup = false;

    TIDList& HotKeyList() { return FHotKeyList; }
    const TIDList& HotKeyList() const { return FHotKeyList; }
    THotTulma& HotKeyAt(int32_t Index) const;

    void Store(TObjectStream& Stream) const override;
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    TIDList FHotKeyList;
};

}  // namespace tulma
