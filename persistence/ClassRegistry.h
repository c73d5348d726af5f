#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "StreamableObject.h"

namespace tulma {

class TObjectStream;

// What the registry knows of a persistent class: its code, its name, its two constructors and the C++
// class that they build.
struct TClassDescriptor {
    using TCreateFunction = std::unique_ptr<TStreamableObject> (*)();
    using TCreateFromStreamFunction = std::unique_ptr<TStreamableObject> (*)(TObjectStream&);

    int32_t Code = 0;
    std::string Name;
    TCreateFunction Create = nullptr;
    TCreateFromStreamFunction CreateFromStream = nullptr;
    const std::type_info* Type = nullptr;

    // A new default object of this class that receives Source's fields through Source's CopyTo.
    std::unique_ptr<TStreamableObject> CreateCopy(const TStreamableObject& Source) const;

    template <class T>
    static TClassDescriptor Of() {
        return {T::ClassCode, T::ClassName,
                [] { return std::unique_ptr<TStreamableObject>(std::make_unique<T>()); },
                [](TObjectStream& Stream) {
                    return std::unique_ptr<TStreamableObject>(std::make_unique<T>(Stream));
                },
                &typeid(T)};
    }
};

struct TRegistryEntry {
    int32_t Code = 0;
    TClassDescriptor ObjectClass;
};

// The registered classes, kept in descending order of their codes and found by binary search.
class TClassRegistry {
  public:
    // The code under which old files stored identifier lists.
    static constexpr int32_t LegacyIDListCode = 108;

    bool GetPosition(int32_t Code, int32_t& Position) const;
    const TRegistryEntry* GetEntryForID(int32_t Code, bool RaiseIfMissing) const;
    const TClassDescriptor& GetClassForID(int32_t Code) const;
    void RegisterObjectClass(const TClassDescriptor& Class);

    template <class T>
    void RegisterObjectClass() {
        RegisterObjectClass(TClassDescriptor::Of<T>());
    }

    int32_t Count() const { return static_cast<int32_t>(FEntries.size()); }
    const TRegistryEntry& At(int32_t Index) const { return FEntries.at(static_cast<size_t>(Index)); }
    // The registered class of that name, or none; for tools that name classes in text.
    const TClassDescriptor* FindByName(const std::string& Name) const;

  private:
    std::vector<TRegistryEntry> FEntries;
};

// The one registry of the process.
TClassRegistry& ClassRegistry();

// The object stored in FileName, or a fresh object of Class when there is no such file.
std::unique_ptr<TStreamableObject> LoadObjectFromFile(const TClassDescriptor& Class,
                                                      const std::string& FileName);

}  // namespace tulma
