#pragma once

#include <string>

#include "IDList.h"
#include "ObjectStream.h"

namespace tulma {

// Reads an identifier list, for a field that holds it by value, whose items must all be of class T.
// A file from elsewhere could hold any registered class in their place; refusing it here keeps the
// rest of the program from meeting it.
template <class T>
TIDList ReadListOf(TObjectStream& Stream) {
    const int32_t At = Stream.Position();
    TIDList List = Stream.ReadObjectValue<TIDList>();
    for (int32_t I = 0; I < List.Count(); ++I) {
        if (TryCastTo<T>(List.At(I)) == nullptr) {
            Stream.FailRead("item " + std::to_string(I) + " of the list at byte " + std::to_string(At) +
                            " is not a " + T::ClassName);
        }
    }
    return List;
}

}  // namespace tulma
