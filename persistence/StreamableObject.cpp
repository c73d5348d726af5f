#include "StreamableObject.h"

#include "ClassRegistry.h"
#include "ObjectStream.h"

namespace tulma {

void TStreamableObject::Store(TObjectStream&) const {}

void TStreamableObject::CopyTo(TStreamableObject&) const {}

void TStreamableObject::VisitFields(TFieldVisitor&) {}

std::unique_ptr<TStreamableObject> TStreamableObject::CopyToNew() const {
    return ClassRegistry().GetClassForID(GetRegistrationCode()).CreateCopy(*this);
}

void TStreamableObject::SaveToFile(const std::string& FileName) const {
    TObjectStream Stream(TObjectStream::GeneralSize);
    Store(Stream);
    Stream.SaveToFile(FileName);
}

}  // namespace tulma
