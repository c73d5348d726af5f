#pragma once

#include <cstdint>
#include <utility>

// Small comparisons shared by the registry, the identifier lists and the date values.
namespace tulma {

constexpr int8_t CompareInt(int32_t A, int32_t B) {
    return A == B ? 0 : (A < B ? -1 : 1);
}

constexpr int8_t CompareShortInt(int8_t A, int8_t B) {
    return A == B ? 0 : (A < B ? -1 : 1);
}

constexpr int32_t Max(int32_t A, int32_t B) {
    return A > B ? A : B;
}

inline void ExchangeInt(int32_t& A, int32_t& B) {
    std::swap(A, B);
}

}  // namespace tulma
