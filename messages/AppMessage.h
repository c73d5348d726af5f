#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "AppMessageHook.h"
#include "ListEntry.h"
#include "Text.h"

namespace tulma {

// One numbered message of the catalogue: what a message box shows and which buttons it offers. The
// message number is the inherited ID.
class TAppMessage : public TListEntry {
  public:
    static constexpr int32_t ClassCode = 1012;
    static constexpr const char* ClassName = "TAppMessage";
    // Written in front of the texts; readers skip it.
    static constexpr int32_t LayoutVersion = 100;

    TAppMessage();
    explicit TAppMessage(TObjectStream& Stream);

    // Symbolic name, for diagnostics and the description only.
    TText& Name() { return *FName; }
    const TText& Name() const { return *FName; }
    TText& Caption() { return *FCaption; }
    const TText& Caption() const { return *FCaption; }
    // May hold %d and %s placeholders for ShowMessage.
    TText& Text() { return *FText; }
    const TText& Text() const { return *FText; }
    // A remark for whoever maintains the message file; never shown.
    TText& Bemerkung() { return *FBemerkung; }
    const TText& Bemerkung() const { return *FBemerkung; }
    // The low 16 bits are the message box style.
    int32_t Flags = 0;

    int32_t Style() const;
    // A modal box with Text, Caption and Style; returns the button pressed.
    int32_t ShowMessageSimple() const;
    // The same with Text formatted with Args.
    int32_t ShowMessage(const TMessageArgs& Args) const;

    // Kind 0: "number: name"; any other kind: the number plus 10000, so that text order is number order.
    std::string GetDescription(int32_t Kind) const override;
    void Store(TObjectStream& Stream) const override;
    // Dest keeps its own text objects; their contents change.
    void CopyTo(TStreamableObject& Dest) const override;
    int32_t GetRegistrationCode() const override { return ClassCode; }
    void VisitFields(TFieldVisitor& Visitor) override;

  private:
    std::unique_ptr<TText> FName;
    std::unique_ptr<TText> FCaption;
    std::unique_ptr<TText> FText;
    std::unique_ptr<TText> FBemerkung;
};

}  // namespace tulma
