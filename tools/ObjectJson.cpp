#include "ObjectJson.h"

#include "ClassRegistry.h"
#include "FieldsFromJson.h"
#include "FieldsToJson.h"
#include "Json.h"
#include "ObjectStream.h"
#include "ToolErrors.h"

namespace tulma {
namespace {

const std::string& ClassNameIn(const TJson& Value, const std::string& Path) {
    if (!Value.is_object()) {
        throw EJsonError(Path, "expected an object, found " + JsonValueText(Value));
    }
    const auto Found = Value.find(ClassMember);
    if (Found == Value.end()) {
        throw EJsonError(MemberPath(Path, ClassMember), "missing");
    }
    if (!Found->is_string()) {
        throw EJsonError(MemberPath(Path, ClassMember),
                         "expected a class name, found " + JsonValueText(*Found));
    }
    return Found->get_ref<const std::string&>();
}

// A stream reader refuses objects nested deeper than this, so a deeper document could never be read.
void CheckDepth(int Depth, const std::string& Path) {
    if (Depth > TObjectStream::MaxNesting) {
        throw EJsonError(
            Path, "objects are nested deeper than " + std::to_string(TObjectStream::MaxNesting) + " levels");
    }
}

void FillFields(TStreamableObject& Object, const TJson& Value, const std::string& Path, int Depth) {
    TFieldsFromJson Fields(Value, Path, Depth);
    Object.VisitFields(Fields);
    Fields.RequireAllTaken(ClassNameOf(Object));
}

}  // namespace

TJson ToJson(TStreamableObject& Object) {
    TJson Result = TJson::object();
    Result[ClassMember] = ClassNameOf(Object);
    TFieldsToJson Fields(Result);
    Object.VisitFields(Fields);
    return Result;
}

std::unique_ptr<TStreamableObject> FromJson(const TJson& Value) {
    return ObjectFromJson(Value, "$", 1);
}

std::string ClassNameOf(const TStreamableObject& Object) {
    return ClassRegistry().GetClassForID(Object.GetRegistrationCode()).Name;
}

std::unique_ptr<TStreamableObject> ObjectFromJson(const TJson& Value, const std::string& Path, int Depth) {
    CheckDepth(Depth, Path);
    const std::string& Name = ClassNameIn(Value, Path);
    const TClassDescriptor* Class = ClassRegistry().FindByName(Name);
    if (Class == nullptr) {
        throw EJsonError(MemberPath(Path, ClassMember), "no class named \"" + Name + "\" is registered");
    }
    auto Object = Class->Create();
    FillFields(*Object, Value, Path, Depth);
    return Object;
}

void FillObjectFromJson(TStreamableObject& Object, const TJson& Value, const std::string& Path, int Depth) {
    CheckDepth(Depth, Path);
    const std::string& Name = ClassNameIn(Value, Path);
    const std::string Wanted = ClassNameOf(Object);
    if (Name != Wanted) {
        throw EJsonError(MemberPath(Path, ClassMember), "this field holds a " + Wanted + ", not a " + Name);
    }
    FillFields(Object, Value, Path, Depth);
}

}  // namespace tulma
