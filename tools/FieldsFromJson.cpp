#include "FieldsFromJson.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "Json.h"
#include "JsonString.h"
#include "ObjectJson.h"
#include "ObjectList.h"
#include "ToolErrors.h"

namespace tulma {

TFieldsFromJson::TFieldsFromJson(const TJson& Source, std::string Path, int Depth)
    : FSource(Source), FPath(std::move(Path)), FDepth(Depth) {}

void TFieldsFromJson::Boolean(std::string_view Name, bool& Value) {
    const TJson& Member = Take(Name);
    if (!Member.is_boolean()) {
        throw EJsonError(MemberPath(FPath, Name), "expected true or false, found " + JsonValueText(Member));
    }
    Value = Member.get<bool>();
}

void TFieldsFromJson::String(std::string_view Name, std::string& Value) {
    Value = StringFromJson(Take(Name), MemberPath(FPath, Name));
}

void TFieldsFromJson::Object(std::string_view Name, TStreamableObject& Owned) {
    FillObjectFromJson(Owned, Take(Name), MemberPath(FPath, Name), FDepth + 1);
}

void TFieldsFromJson::Items(TObjectList& List) {
    const TJson& Items = Take(ItemsMember);
    const std::string Path = MemberPath(FPath, ItemsMember);
    if (!Items.is_array()) {
        throw EJsonError(Path, "expected an array of objects, found " + JsonValueText(Items));
    }
    // The list holds exactly the items given, whatever a new list of its class starts with.
    List.Clear();
    for (size_t I = 0; I < Items.size(); ++I) {
        List.AppendAsStored(ObjectFromJson(Items[I], ItemPath(Path, I), FDepth + 1));
    }
}

void TFieldsFromJson::RequireAllTaken(const std::string& ClassName) const {
    for (const auto& [Key, Member] : FSource.items()) {
        if (Key != ClassMember && !FTaken.contains(Key)) {
            throw EJsonError(MemberPath(FPath, Key), "a " + ClassName + " has no field of this name");
        }
    }
}

const TJson& TFieldsFromJson::Take(std::string_view Name) {
    const auto Found = FSource.find(std::string(Name));
    if (Found == FSource.end()) {
        throw EJsonError(MemberPath(FPath, Name), "missing");
    }
    FTaken.emplace(Name);
    return *Found;
}

template <class T>
void TFieldsFromJson::Number(std::string_view Name, const char* TypeName, T& Value) {
    const TJson& Member = Take(Name);
    constexpr int64_t Min = std::numeric_limits<T>::min();
    constexpr int64_t Max = std::numeric_limits<T>::max();
    const std::string Range = std::string(TypeName) + ", " + std::to_string(Min) + ".." + std::to_string(Max);
    if (!Member.is_number_integer()) {
        throw EJsonError(MemberPath(FPath, Name),
                         "expected an integer (" + Range + "), found " + JsonValueText(Member));
    }
    const bool TooLarge = Member.is_number_unsigned() ? Member.get<uint64_t>() > static_cast<uint64_t>(Max)
                                                      : Member.get<int64_t>() > Max;
    if (TooLarge || (!Member.is_number_unsigned() && Member.get<int64_t>() < Min)) {
        throw EJsonError(MemberPath(FPath, Name), JsonValueText(Member) + " is out of range (" + Range + ")");
    }
    Value = static_cast<T>(Member.get<int64_t>());
}

}  // namespace tulma
