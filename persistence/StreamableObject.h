#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>

#include "Errors.h"

namespace tulma {

class TObjectStream;
class TFieldVisitor;

// The base of every persistent value. A class writes its parent's fields first, then its own, and
// reads them back in the same order in its stream constructor (the C++ form of CreateFromStream).
// Each registered class also declares ClassCode and ClassName, so that the registry can answer its
// code and name without an instance.
class TStreamableObject {
  public:
    TStreamableObject() = default;
    virtual ~TStreamableObject() = default;
    TStreamableObject(const TStreamableObject&) = delete;
    TStreamableObject& operator=(const TStreamableObject&) = delete;

    virtual void Store(TObjectStream& Stream) const;
    // Copies this object's fields into Dest, an object of the same or a derived class.
    virtual void CopyTo(TStreamableObject& Dest) const;
    virtual int32_t GetRegistrationCode() const = 0;
    // Names every stored field, parent's first, for tools that show or build objects field by field.
    virtual void VisitFields(TFieldVisitor& Visitor);

    void Assign(const TStreamableObject& Source) { Source.CopyTo(*this); }
    // A separately owned copy, of the class registered under this object's code.
    std::unique_ptr<TStreamableObject> CopyToNew() const;
    // Writes the fields alone (no class code in front) into a file of at least 512 bytes.
    void SaveToFile(const std::string& FileName) const;
};

// dynamic_cast<T*>, with the usual case of reading a file settled cheaply first: an object of
// exactly class T. The class code would not settle it, since two classes may register one code.
template <class T, class From>
T* TryCastTo(From* Object) {
    if (Object != nullptr && typeid(*Object) == typeid(T)) {
        return static_cast<T*>(Object);
    }
    return dynamic_cast<T*>(Object);
}

// The checked downcast of CopyTo and Compare: an object of another class is an invalid cast.
template <class T, class From>
T& CastTo(From& Object) {
    auto* Typed = TryCastTo<T>(&Object);
    if (Typed == nullptr) {
        throw EInvalidCast();
    }
    return *Typed;
}

// Takes over an owned object as a T; an object of another class is an invalid cast and is freed.
template <class T>
std::unique_ptr<T> OwnedAs(std::unique_ptr<TStreamableObject> Object) {
    T& Typed = CastTo<T>(*Object);
    Object.release();
    return std::unique_ptr<T>(&Typed);
}

}  // namespace tulma
