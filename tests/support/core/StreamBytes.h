#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "ObjectStream.h"

namespace tulma::test {

using Bytes = std::vector<uint8_t>;

// The bytes a stream holds from its start up to its position: what the writers produced.
inline Bytes Written(const TObjectStream& Stream) {
    return Bytes(Stream.Bytes().begin(), Stream.Bytes().begin() + Stream.Position());
}

inline Bytes WrittenObject(const TStreamableObject& Object) {
    TObjectStream Stream(0);
    Stream.WriteObject(Object);
    return Written(Stream);
}

template <class T = TStreamableObject>
std::unique_ptr<T> ReadBack(const Bytes& Data) {
    TObjectStream Stream(0);
    Stream.LoadFromBytes(Data);
    if constexpr (std::is_same_v<T, TStreamableObject>) {
        return Stream.ReadObject();
    } else {
        return Stream.ReadObjectOf<T>();
    }
}

template <class T>
std::unique_ptr<T> RoundTrip(const T& Object) {
    return ReadBack<T>(WrittenObject(Object));
}

}  // namespace tulma::test
