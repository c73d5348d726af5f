#include "HotKeyFile.h"

#include "FieldVisitor.h"
#include "HotTulma.h"
#include "LayoutVersion.h"
#include "ObjectStream.h"
#include "StoredItems.h"

namespace tulma {

THotKeyFile::THotKeyFile(TObjectStream& Stream) {
    Stream.ReadLongInt();
    MinimizeAtStartup = Stream.ReadBoolean();
    FHotKeyList = ReadListOf<THotTulma>(Stream);
}

THotTulma& THotKeyFile::HotKeyAt(int32_t Index) const {
    return FHotKeyList.ItemAs<THotTulma>(Index);
}

void THotKeyFile::Store(TObjectStream& Stream) const {
    Stream.WriteLongInt(CurrentLayoutVersion);
    Stream.WriteBoolean(MinimizeAtStartup);
    Stream.WriteObject(FHotKeyList);
}

void THotKeyFile::CopyTo(TStreamableObject& Dest) const {
    TStreamableObject::CopyTo(Dest);
    auto& File = CastTo<THotKeyFile>(Dest);
    FHotKeyList.CopyTo(File.FHotKeyList);
    File.MinimizeAtStartup = MinimizeAtStartup;
}

void THotKeyFile::VisitFields(TFieldVisitor& Visitor) {
    Visitor.Boolean("MinimizeAtStartup", MinimizeAtStartup);
    Visitor.Object("HotKeyList", FHotKeyList);
}

}  // namespace tulma
