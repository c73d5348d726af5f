#pragma once

#include <utility>

#include "FieldVisitor.h"
#include "Json.h"

namespace tulma {

// Adds an object's stored fields to a JSON object, one member a field, in the order they are visited.
class TFieldsToJson : public TFieldVisitor {
  public:
    explicit TFieldsToJson(TJson& Target) : FTarget(Target) {}

    void Integer(std::string_view Name, int32_t& Value) override { Add(Name, Value); }
    void SmallInt(std::string_view Name, int16_t& Value) override { Add(Name, Value); }
    void Word(std::string_view Name, uint16_t& Value) override { Add(Name, Value); }
    void Byte(std::string_view Name, uint8_t& Value) override { Add(Name, Value); }
    void ShortInt(std::string_view Name, int8_t& Value) override { Add(Name, Value); }
    void Boolean(std::string_view Name, bool& Value) override { Add(Name, Value); }
    void String(std::string_view Name, std::string& Value) override;
    void Object(std::string_view Name, TStreamableObject& Owned) override;
    void Items(TObjectList& List) override;

  private:
    void Add(std::string_view Name, TJson Value) { FTarget[std::string(Name)] = std::move(Value); }

    TJson& FTarget;
};

}  // namespace tulma
