#include "FieldsToJson.h"

#include "JsonString.h"
#include "ObjectJson.h"
#include "ObjectList.h"

namespace tulma {

void TFieldsToJson::String(std::string_view Name, std::string& Value) {
    Add(Name, StringToJson(Value));
}

void TFieldsToJson::Object(std::string_view Name, TStreamableObject& Owned) {
    Add(Name, ToJson(Owned));
}

void TFieldsToJson::Items(TObjectList& List) {
    TJson Items = TJson::array();
    for (int32_t I = 0; I < List.Count(); ++I) {
        Items.push_back(ToJson(*List.At(I)));
    }
    Add(ItemsMember, std::move(Items));
}

}  // namespace tulma
