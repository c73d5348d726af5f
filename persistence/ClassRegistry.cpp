#include "ClassRegistry.h"

#include <cerrno>
#include <filesystem>
#include <iostream>

#include "IntHelpers.h"
#include "ObjectStream.h"

namespace tulma {

std::unique_ptr<TStreamableObject> TClassDescriptor::CreateCopy(const TStreamableObject& Source) const {
    auto Copy = Create();
    Source.CopyTo(*Copy);
    return Copy;
}

bool TClassRegistry::GetPosition(int32_t Code, int32_t& Position) const {
    int32_t Low = 0;
    int32_t High = Count() - 1;
    while (Low <= High) {
        const int32_t Mid = (Low + High) / 2;
        const int8_t Order = CompareInt(FEntries[static_cast<size_t>(Mid)].Code, Code);
        if (Order == 0) {
            Position = Mid;
            return true;
        }
        if (Order < 0) {
            High = Mid - 1;
        } else {
            Low = Mid + 1;
        }
    }
    Position = Low;
    return false;
}

const TRegistryEntry* TClassRegistry::GetEntryForID(int32_t Code, bool RaiseIfMissing) const {
    int32_t Position = 0;
    if (GetPosition(Code, Position)) {
        return &FEntries[static_cast<size_t>(Position)];
    }
    if (RaiseIfMissing) {
        throw EClassNotFound(Code);
    }
    return nullptr;
}

const TClassDescriptor& TClassRegistry::GetClassForID(int32_t Code) const {
    const int32_t Wanted = Code == LegacyIDListCode ? 1003 : Code;
    return GetEntryForID(Wanted, true)->ObjectClass;
}

void TClassRegistry::RegisterObjectClass(const TClassDescriptor& Class) {
    if (const TRegistryEntry* Existing = GetEntryForID(Class.Code, false)) {
        std::cout << "Class ID " << Class.Code << " used by " << Existing->ObjectClass.Name << " wanted by "
                  << Class.Name << std::endl;
        if (!std::cout) {
            throw EInOutError(errno);
        }
    }
    int32_t Position = 0;
    GetPosition(Class.Code, Position);
    FEntries.insert(FEntries.begin() + Position, TRegistryEntry{Class.Code, Class});
}

const TClassDescriptor* TClassRegistry::FindByName(const std::string& Name) const {
    for (const auto& Entry : FEntries) {
        if (Entry.ObjectClass.Name == Name) {
            return &Entry.ObjectClass;
        }
    }
    return nullptr;
}

TClassRegistry& ClassRegistry() {
    static TClassRegistry Registry;
    return Registry;
}

std::unique_ptr<TStreamableObject> LoadObjectFromFile(const TClassDescriptor& Class,
                                                      const std::string& FileName) {
    std::error_code Ignored;
    if (!std::filesystem::exists(FileName, Ignored)) {
        return Class.Create();
    }
    TObjectStream Stream(TObjectStream::GeneralSize);
    Stream.LoadFromFile(FileName);
    return Stream.ReadObject();
}

}  // namespace tulma
