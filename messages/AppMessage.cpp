#include "AppMessage.h"

#include "FieldVisitor.h"
#include "MessageBoxFunction.h"
#include "MessageFormat.h"
#include "ObjectStream.h"

namespace tulma {
namespace {

constexpr int64_t SortOffset = 10000;

}  // namespace

TAppMessage::TAppMessage()
    : FName(std::make_unique<TText>()),
      FCaption(std::make_unique<TText>()),
      FText(std::make_unique<TText>()),
      FBemerkung(std::make_unique<TText>()) {}

TAppMessage::TAppMessage(TObjectStream& Stream) : TListEntry(Stream) {
    Stream.ReadInteger();
    FName = Stream.ReadObjectOf<TText>();
    FCaption = Stream.ReadObjectOf<TText>();
    FText = Stream.ReadObjectOf<TText>();
    Flags = Stream.ReadInteger();
    FBemerkung = Stream.ReadObjectOf<TText>();
}

int32_t TAppMessage::Style() const {
    return Flags & MessageBoxStyle::StyleMask;
}

int32_t TAppMessage::ShowMessageSimple() const {
    return ShowMessageBox(FText->GetText(), FCaption->GetText(), Style());
}

int32_t TAppMessage::ShowMessage(const TMessageArgs& Args) const {
    return ShowMessageBox(FormatMessageText(FText->GetText(), Args), FCaption->GetText(), Style());
}

std::string TAppMessage::GetDescription(int32_t Kind) const {
    if (Kind == DisplayKind) {
        return std::to_string(ID) + ": " + FName->GetText();
    }
    return std::to_string(ID + SortOffset);
}

void TAppMessage::Store(TObjectStream& Stream) const {
    TListEntry::Store(Stream);
    Stream.WriteInteger(LayoutVersion);
    Stream.WriteObject(*FName);
    Stream.WriteObject(*FCaption);
    Stream.WriteObject(*FText);
    Stream.WriteInteger(Flags);
    Stream.WriteObject(*FBemerkung);
}

void TAppMessage::CopyTo(TStreamableObject& Dest) const {
    TListEntry::CopyTo(Dest);
    auto& Message = CastTo<TAppMessage>(Dest);
    FName->CopyTo(*Message.FName);
    FCaption->CopyTo(*Message.FCaption);
    FText->CopyTo(*Message.FText);
    FBemerkung->CopyTo(*Message.FBemerkung);
    Message.Flags = Flags;
}

void TAppMessage::VisitFields(TFieldVisitor& Visitor) {
    TListEntry::VisitFields(Visitor);
    Visitor.Object("Name", *FName);
    Visitor.Object("Caption", *FCaption);
    Visitor.Object("Text", *FText);
    Visitor.Integer("Flags", Flags);
    Visitor.Object("Bemerkung", *FBemerkung);
}

}  // namespace tulma
