#pragma once

#include <memory>
#include <string>

#include "Json.h"

namespace tulma {

class TStreamableObject;

// The JSON form of a persistent object: {"class": <registered class name>, then every stored field
// under its name in stream order}. Owned objects nest in the same form; a list's items are an array
// under "Items". Strings follow StringToJson.
TJson ToJson(TStreamableObject& Object);

// The object that a JSON form describes, built through the class registry with its items in the
// order and with the identifiers given. Raises EJsonError naming the path of the first fault.
std::unique_ptr<TStreamableObject> FromJson(const TJson& Value);

// The name the registry knows the object's class code by: what a stream reader will build from it.
std::string ClassNameOf(const TStreamableObject& Object);

// The steps of FromJson, for the field visitor that walks nested objects. Depth counts the objects
// from the document's top, which is 1.
std::unique_ptr<TStreamableObject> ObjectFromJson(const TJson& Value, const std::string& Path, int Depth);
// Fills an object that already exists (an owned object): the JSON must name the object's own class.
void FillObjectFromJson(TStreamableObject& Object, const TJson& Value, const std::string& Path, int Depth);

}  // namespace tulma
