#pragma once

#include <cstdint>
#include <string>

namespace tulma {

// A whole number in German words, its sign dropped: 21 gives "einundzwanzig", 1000000 "eine Million".
std::string NumberWords(int64_t N);

}  // namespace tulma
