#include "HotTulma.h"

#include "FieldVisitor.h"
#include "HotKeyCommand.h"
#include "KeyComboText.h"
#include "LayoutVersion.h"
#include "ObjectStream.h"
#include "StoredItems.h"

namespace tulma {

THotTulma::THotTulma(TObjectStream& Stream) : TSimpleListEntry(Stream) {
    Stream.ReadLongInt();
    HotKey = Stream.ReadWord();
    FCommands = ReadListOf<THotKeyCommand>(Stream);
}

std::string THotTulma::GetDescription(int32_t) const {
    return Name + " (" + KeyComboText(HotKey) + ")";
}

void THotTulma::Store(TObjectStream& Stream) const {
    TSimpleListEntry::Store(Stream);
    Stream.WriteLongInt(CurrentLayoutVersion);
    Stream.WriteWord(HotKey);
    Stream.WriteObject(FCommands);
}

void THotTulma::CopyTo(TStreamableObject& Dest) const {
    TSimpleListEntry::CopyTo(Dest);
    auto& HotKeyDest = CastTo<THotTulma>(Dest);
    HotKeyDest.HotKey = HotKey;
    FCommands.CopyTo(HotKeyDest.FCommands);
}

void THotTulma::VisitFields(TFieldVisitor& Visitor) {
    TSimpleListEntry::VisitFields(Visitor);
    Visitor.Word("HotKey", HotKey);
    Visitor.Object("Commands", FCommands);
}

}  // namespace tulma
