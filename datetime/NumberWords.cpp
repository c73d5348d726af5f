#include "NumberWords.h"

namespace tulma {
namespace {

constexpr const char* Units[10] = {"",     "ein",   "zwei",   "drei", "vier",
                                   "fünf", "sechs", "sieben", "acht", "neun"};
constexpr const char* Tens[10] = {"",        "zehn",    "zwanzig", "dreißig", "vierzig",
                                  "fünfzig", "sechzig", "siebzig", "achtzig", "neunzig"};

std::string Compose(uint64_t N);

std::string BelowHundred(uint64_t N) {
    std::string Words;
    if (N > 10 && N % 10 != 0) {
        switch (N) {
            case 11:
                return "elf";
            case 12:
                return "zwölf";
            case 16:
                return "sechzehn";
            case 17:
                return "siebzehn";
            default:
                Words = Compose(N % 10) + (N / 10 > 1 ? "und" : "");
                N -= N % 10;
        }
    }
    return Words + (N % 10 == 0 ? Tens[N / 10] : Units[N]);
}

// The words without the closing "s" of "eins", which only the whole number gets.
std::string Compose(uint64_t N) {
    std::string Words;
    if (N >= 1000000) {
        Words += Compose(N / 1000000) + (N < 2000000 ? "e Million" : " Millionen ");
        N %= 1000000;
    }
    if (N >= 1000) {
        Words += Compose(N / 1000) + "tausend";
        N %= 1000;
    }
    if (N >= 100) {
        Words += Compose(N / 100) + "hundert";
        N %= 100;
    }
    return Words + BelowHundred(N);
}

}  // namespace

std::string NumberWords(int64_t N) {
    const uint64_t Magnitude = N < 0 ? 0 - static_cast<uint64_t>(N) : static_cast<uint64_t>(N);
    if (Magnitude == 0) {
        return "Null";
    }
    const bool EndsInOne = Magnitude % 10 == 1 && Magnitude / 10 % 10 == 0;
    return Compose(Magnitude) + (EndsInOne ? "s" : "");
}

}  // namespace tulma
