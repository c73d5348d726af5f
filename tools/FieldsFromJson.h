#pragma once

#include <set>
#include <string>

#include "FieldVisitor.h"
#include "Json.h"

namespace tulma {

// Assigns an object's stored fields from the members of its JSON form. Every field must be there with
// a value of its type and range; each fault raises EJsonError with the path of the member.
class TFieldsFromJson : public TFieldVisitor {
  public:
    // Source is the object's JSON form at Path; Depth is the object's nesting depth.
    TFieldsFromJson(const TJson& Source, std::string Path, int Depth);

    void Integer(std::string_view Name, int32_t& Value) override { Number(Name, "Integer", Value); }
    void SmallInt(std::string_view Name, int16_t& Value) override { Number(Name, "SmallInt", Value); }
    void Word(std::string_view Name, uint16_t& Value) override { Number(Name, "Word", Value); }
    void Byte(std::string_view Name, uint8_t& Value) override { Number(Name, "Byte", Value); }
    void ShortInt(std::string_view Name, int8_t& Value) override { Number(Name, "ShortInt", Value); }
    void Boolean(std::string_view Name, bool& Value) override;
    void String(std::string_view Name, std::string& Value) override;
    void Object(std::string_view Name, TStreamableObject& Owned) override;
    void Items(TObjectList& List) override;

    // After the visit: a member that no field took is a misspelt or foreign field of ClassName.
    void RequireAllTaken(const std::string& ClassName) const;

  private:
    const TJson& Take(std::string_view Name);
    template <class T>
    void Number(std::string_view Name, const char* TypeName, T& Value);

    const TJson& FSource;
    std::string FPath;
    int FDepth;
    std::set<std::string, std::less<>> FTaken;
};

}  // namespace tulma
