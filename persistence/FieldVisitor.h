#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tulma {

class TStreamableObject;
class TObjectList;

// Walks the stored fields of an object by name, in stream order. The same walk serves to show an
// object (the visitor reads the references) and to build one (the visitor assigns them).
class TFieldVisitor {
  public:
    virtual ~TFieldVisitor() = default;
    virtual void Integer(std::string_view Name, int32_t& Value) = 0;
    virtual void SmallInt(std::string_view Name, int16_t& Value) = 0;
    virtual void Word(std::string_view Name, uint16_t& Value) = 0;
    virtual void Byte(std::string_view Name, uint8_t& Value) = 0;
    virtual void ShortInt(std::string_view Name, int8_t& Value) = 0;
    virtual void Boolean(std::string_view Name, bool& Value) = 0;
    virtual void String(std::string_view Name, std::string& Value) = 0;
    // An owned object stored with its class code in front; it always exists.
    virtual void Object(std::string_view Name, TStreamableObject& Owned) = 0;
    // The items of a list, in stored order.
    virtual void Items(TObjectList& List) = 0;
};

}  // namespace tulma
